#pragma once
// TfmPrintImage2: the page "Изображение из файла": the driver loads a picture
// file into the graphics memory itself; the page shows the picture and
// prints what was loaded.
#include "core/pages/untPages.h"
#include "pages/receipts/fmuPrintImage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmPrintImage2 : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Изображение из файла";
    explicit TfmPrintImage2(QWidget* owner = nullptr);

    QLineEdit* edtFileName;
    QCheckBox* chbCenterImage;
    QCheckBox* chbShowProgress;
    QSpinBox* seFirstLineNumber;
    QSpinBox* seLastLineNumber;
    TPrintFlagBoxes Flags;
    QLabel* Image;

    QPushButton* btnOpen;
    QPushButton* btnLoad;
    QPushButton* btnDraw;
    QPushButton* btnDrawEx;

    void btnOpenClick();
    void btnLoadClick();
    void btnDrawClick();
    void btnDrawExClick();
};
