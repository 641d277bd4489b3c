#pragma once
// TfmPrintBarcode: the page "Штрихкод": barcodes the driver draws as raster
// lines or graphics, and the EAN13 barcode; each print may be followed by a
// full-width test line or graphic and a cut. The finishing steps are shared
// with the other barcode pages.
#include "core/pages/untPages.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The cut: StringQuantity 10 fed on the receipt ribbon, then CutCheck with
// CutType True; `pauseBefore` / `pauseAfter` ms around it (0: none). Each
// call through TPage::Check.
void CutPaperStep(int pauseBefore, int pauseAfter);
// A line of 0xFF over the printer's width (GetFontMetrics of font 1),
// 10 lines high; then `pauseAfter` ms.
void PrintFullWidthLineStep(int pauseAfter);
// A 100 ms pause, 80 bytes 0xFF into the graphics lines 1..10, Draw 1..10.
void PrintFullWidthGraphicStep();

class TfmPrintBarcode : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Штрихкод";
    explicit TfmPrintBarcode(QWidget* owner = nullptr);

    void Initialize() override;

    QLineEdit* edtBarcode;
    QComboBox* cbBarcodeType;
    QSpinBox* seBarWidth;
    QComboBox* cbBarcodeAlignment;
    QComboBox* cbPrintBarcodeText;
    QSpinBox* seLineNumber;
    QSpinBox* seFirstLineNumber;
    QCheckBox* chbLineSwapBytes;
    QCheckBox* chbCutPaper;
    QCheckBox* chbPrintMaxWidth;

    QPushButton* btnPrintBarcodeGraph;
    QPushButton* btnPrintBarcodeLine;
    QPushButton* btnPrintBarcode;

    void btnPrintBarcodeGraphClick();
    void btnPrintBarcodeLineClick();
    void btnPrintBarcodeClick();

private:
    // The full-width line and the cut, each when its box is on.
    void FinishWithLine();
    void CutPaper();
};
