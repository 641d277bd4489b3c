#pragma once
// Tfm2DBarcode: the page "2D штрихкод": 2D codes from a text, or from a file
// loaded into the device in 64-byte blocks, with five parameters whose
// captions follow the chosen type.
#include "core/pages/untPages.h"

#include <QByteArray>
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Asks for a file and reads it whole into `data`; `status` then shows
// "Файл открыт, длина <n> байт". False when the user cancelled. A file
// larger than `maxSize` (what the code can hold) is refused.
bool OpenDataFile(QByteArray& data, QLineEdit* status, qint64 maxSize);

class Tfm2DBarcode : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "2D штрихкод";
    // The most any of the codes holds: a QR code of 7089 digits (version
    // 40, level L, numeric mode); a file is kept one character per byte.
    static constexpr qint64 MaxFileSize = 7089;
    explicit Tfm2DBarcode(QWidget* owner = nullptr);

    const QByteArray& Data() const { return FData; }

    QComboBox* cbBarcodeType;
    QSpinBox* seBarcodeDataLength;
    QSpinBox* seStartBlockNumber;
    QSpinBox* seBarcodeParameter1;
    QSpinBox* seBarcodeParameter2;
    QSpinBox* seBarcodeParameter3;
    QSpinBox* seBarcodeParameter4;
    QSpinBox* seBarcodeParameter5;
    QComboBox* cbBarcodeAlignment;
    QCheckBox* chbDelayedPrint;
    QCheckBox* chbCutPaper;
    QLineEdit* edtStatus;
    QLineEdit* edtBarcode;
    // The captions of the five parameter spins.
    std::array<QLabel*, 5> lblBarcodeParameter{};

    QPushButton* btnOpenFile;
    QPushButton* btnLoadBlockData;
    QPushButton* btnPrint2DBarcode;
    QPushButton* btnLoadAndPrint;

    void btnOpenFileClick();
    void btnLoadBlockDataClick();
    void btnPrint2DBarcodeClick();
    void btnLoadAndPrintClick();
    void cbBarcodeTypeChange();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetBarcodeParams();
    void CutPaper();

    QByteArray FData;
    std::array<QStringList, 5> FCaptions;  // per type item: the five captions
};
