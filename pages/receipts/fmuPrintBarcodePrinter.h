#pragma once
// TfmPrintBarcodePrinter: the page "Штрихкод 2": barcodes the printer builds
// itself, one of 18 printer types or a run of 17 samples.
#include "core/pages/untPages.h"

#include <QString>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// A row of the printer barcode table.
struct TBarcode {
    std::int32_t BarcodeType;
    QString Description;
};

// A sample of the sample run: the caption printed above, the data, the type.
struct TBarcodeParams {
    QString Text;
    QString Barcode;
    std::int32_t BarcodeType;
};

// The 18 printer barcode types, in the table's order.
const std::vector<TBarcode>& PrinterBarcodes();
// The 17 samples, in print order.
const std::vector<TBarcodeParams>& SampleBarcodes();

class TfmPrintBarcodePrinter : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Штрихкод 2";
    explicit TfmPrintBarcodePrinter(QWidget* owner = nullptr);

    // Fills the type combo from the table and selects the first row.
    void Initialize() override;

    QLineEdit* edtBarcode;
    QSpinBox* seBarWidth;
    QSpinBox* seFontType;
    QSpinBox* seHRIPosition;
    QComboBox* cbBarcodeType;
    QSpinBox* seLineNumber;
    QCheckBox* chbCutPaper;
    QCheckBox* chbPrintMaxWidth;

    QPushButton* btnPrintBarcodeUsingPrinter;
    QPushButton* btnPrintAllBarcodes;

    void btnPrintBarcodeUsingPrinterClick();
    void btnPrintAllBarcodesClick();

private:
    void SetCommonParams();
    void PrintBarcode(const TBarcodeParams& sample);
    // The cut, then the full-width line, each when its box is on.
    void Finish();
};
