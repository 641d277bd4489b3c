#pragma once
// TfmWorkMode: page "Тип налогообложения и режим работы ККТ": tax systems,
// work modes, agent signs, reason codes and the time zone.
#include "regmaven/ParamPage.h"

#include <QList>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Regmaven {

class TfmWorkMode : public TParamPage {
    Q_OBJECT
public:
    TfmWorkMode();
    void Next() override;

    // The hint of a time-zone item (index 0 to 11).
    static QString TimeZoneHint(int Index);

    QGroupBox* grpTax;
    QCheckBox* chkTax0;
    QCheckBox* chkTax1;
    QCheckBox* chkTax2;
    QCheckBox* chkTax4;
    QCheckBox* chkTax5;
    QGroupBox* grpWorkMode;
    QCheckBox* chkWorkMode0;
    QCheckBox* chkWorkMode1;
    QCheckBox* chkWorkMode2;
    QCheckBox* chkWorkMode3;
    QCheckBox* chkWorkMode4;
    QCheckBox* chkWorkMode5;
    QCheckBox* chkWorkMode6;
    QCheckBox* chkWorkMode7;
    QGroupBox* grpWorkModeEx;
    QCheckBox* chkWorkModeEx0;
    QCheckBox* chkWorkModeEx1;
    QCheckBox* chkWorkModeEx2;
    QCheckBox* chkWorkModeEx3;
    QCheckBox* chkWorkModeEx4;
    QCheckBox* chkWorkModeEx5;
    QCheckBox* chkWorkModeEx6;
    QCheckBox* chkWorkModeEx7;
    QGroupBox* grpAgent;
    QCheckBox* chkAgent0;
    QCheckBox* chkAgent1;
    QCheckBox* chkAgent2;
    QCheckBox* chkAgent3;
    QCheckBox* chkAgent4;
    QCheckBox* chkAgent5;
    QCheckBox* chkAgent6;
    QLineEdit* edtAutomatNumber;
    QComboBox* cbReasonCode;
    QLineEdit* edtReasonCodes;
    QPushButton* btnSelectReasonCodes;
    QComboBox* cbTimeZone;

protected:
    void FormShow() override;

private:
    // The automat number is open only in automatic mode.
    void UpdateAutomatic();
    // No time zone chosen (each show starts so).
    void ClearTimeZone();
    void btnSelectReasonCodesClick();
    void cbTimeZoneChange();
    // The extended-code number; raises for an empty or too large one.
    uint32_t ReasonCodesEx() const;

    QList<QCheckBox*> FTax;       // by bit; bit 3 has none
    QList<QCheckBox*> FWorkMode;
    QList<QCheckBox*> FWorkModeEx;
    QList<QCheckBox*> FAgent;
};

} // namespace Regmaven
