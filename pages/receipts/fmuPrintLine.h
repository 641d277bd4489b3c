#pragma once
// TfmPrintLine: the page "Линия": a raster line given in hex, or a solid
// black line of a given length, printed a number of times.
#include "core/pages/untPages.h"
#include "pages/receipts/fmuPrintImage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmPrintLine : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Линия";
    explicit TfmPrintLine(QWidget* owner = nullptr);

    QLineEdit* edtLineData;
    QSpinBox* seLineNumber;
    QCheckBox* chbLineSwapBytes;
    TPrintFlagBoxes Flags;
    QSpinBox* seLineCount;
    QSpinBox* seByteCount;

    QPushButton* btnPrintLine;
    QPushButton* btnBlackLine;

    void btnPrintLineClick();
    void btnBlackLineClick();
};
