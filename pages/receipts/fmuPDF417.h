#pragma once
// TfmPDF417: the page "PDF417": a PDF417 code of a file's bytes printed by
// the printer with its layout parameters, and a cut.
#include "core/pages/untPages.h"

#include <QByteArray>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmPDF417 : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "PDF417";
    // The most a PDF417 code holds: 2710 digits (numeric compaction).
    static constexpr qint64 MaxFileSize = 2710;
    explicit TfmPDF417(QWidget* owner = nullptr);

    const QByteArray& Data() const { return FData; }

    QComboBox* cbColumnCount;
    QSpinBox* seRowCount;
    QComboBox* cbModuleWidth;
    QComboBox* cbSymbolHeight;
    QSpinBox* seErrorCorrectionLevel;
    QComboBox* cbBarcodeAlignment;
    QCheckBox* chbCutPaper;
    QLineEdit* edtStatus;

    QPushButton* btnOpenFile;
    QPushButton* btnPrintPDF417;
    QPushButton* btnCutPaper;

    void btnOpenFileClick();
    void btnPrintPDF417Click();
    void btnCutPaperClick();

private:
    QByteArray FData;
};
