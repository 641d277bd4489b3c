#pragma once
// TfmOFDParams: page "Настройки ОФД": the OFD's server, name, site and INN,
// the tax authority's site, the marking-code server and the sender e-mail,
// with parameter sets kept as templates.
#include "regmaven/ParamPage.h"
#include "regmaven/untOFDTemplate.h"

#include <QStringList>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace Regmaven {

class TfmOFDParams : public TParamPage {
    Q_OBJECT
public:
    TfmOFDParams();
    void Next() override;

    // The fields from the record, or from the register where it has none.
    void ReadFromKKT();
    // The fields into the record (nothing is written to the register).
    void SaveToKKT();
    void LoadTemplate(const QString& FileName);
    void SaveTemplate(const QString& FileName);
    // The nine field texts.
    TOFDTemplate Fields() const;
    void SetFields(const TOFDTemplate& Values);
    // The templates in the order of the combo's items after the first.
    const QStringList& FileList() const { return FFileList; }

    QLineEdit* edtOFDServer;
    QLineEdit* edtOFDPort;
    QLineEdit* edtOFDName;
    QLineEdit* edtOFDUrl;
    QLineEdit* edtINNOFD;
    QLineEdit* edtTaxOfficeURL;
    QLineEdit* edtServerKM;
    QLineEdit* edtPortKM;
    QLineEdit* edtSenderEmail;
    QComboBox* cbTemplate;
    QToolButton* btnOpenFile;
    QToolButton* btnSaveFile;

protected:
    void FormShow() override;

private:
    // The marking-code server is asked for: FFD 1.2 on a register with the
    // OFD link table, on the registration road.
    bool MarkingServerUsed() const;
    void cbTemplateChange();
    void btnOpenFileClick();
    void btnSaveFileClick();

    // The fields shown on entry, restored by the first template item.
    TOFDTemplate FDefParams;
    QStringList FFileList;
};

} // namespace Regmaven
