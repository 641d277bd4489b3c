#pragma once
// TfmPrintImage: the page "Изображение": a BMP picture, two filters that turn
// it black and white, its rows as printer raster bytes loaded into the
// graphics memory in four ways, and four ways of printing what was loaded.
// The raster rows and the filters are free functions (the benchmark and the
// fuzz entry use them); the print flag boxes are shared with the other
// graphics pages.
#include "core/pages/untPages.h"
#include "platform/ui/FormBuilder.h"

#include <QByteArray>
#include <QImage>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

// Raster row `row` of the picture: byte i holds the dots 8i .. 8i + 7, the
// least significant bit the leftmost; a dot is set when its pixel's colour
// is exactly black (0). 40 bytes (320 dots) or, wide, 64 bytes (512 dots);
// trimmed to ceil(width / 8) bytes when that is shorter.
QByteArray GetLineData(const QImage& picture, int row, bool wide, bool trimmed);

// Progress of a filter: steps done of the total.
using TFilterProgress = std::function<void(int done, int total)>;
// Black where the pixel's R² + G² + B² is below the picture's mean, else
// white; the picture becomes Format_Mono. Progress over the columns.
void MonochromeImage(QImage& picture, const TFilterProgress& progress = {});
// Black where 8 × (R + G + B) is below the sum of the eight neighbours'
// (the border white), else white; Format_Mono. Progress over twice the columns.
void MonochromeImage2(QImage& picture, const TFilterProgress& progress = {});

// The five print flag boxes of the graphics pages: "Чековая лента",
// "Контрольная лента", "ПД" (on), "Отложенная печать", "Слип-чек" (off).
struct TPrintFlagBoxes {
    QCheckBox* chbUseReceiptRibbon = nullptr;
    QCheckBox* chbUseJournalRibbon = nullptr;
    QCheckBox* chbUseSlipDocument = nullptr;
    QCheckBox* chbDelayedPrint = nullptr;
    QCheckBox* chbUseSlipCheck = nullptr;

    template <class T>
    void Build(TFormBuilder<T>& b)
    {
        b.Check({&chbUseReceiptRibbon, "chbUseReceiptRibbon"}, "Чековая лента", true, "UseReceiptRibbon");
        b.Check({&chbUseJournalRibbon, "chbUseJournalRibbon"}, "Контрольная лента", true, "UseJournalRibbon");
        b.Check({&chbUseSlipDocument, "chbUseSlipDocument"}, "ПД", true, "UseSlipDocument");
        b.Check({&chbDelayedPrint, "chbDelayedPrint"}, "Отложенная печать", false, "DelayedPrint");
        b.Check({&chbUseSlipCheck, "chbUseSlipCheck"}, "Слип-чек", false, "UseSlipCheck");
    }
    // UseReceiptRibbon, UseJournalRibbon, UseSlipDocument, DelayedPrint,
    // UseSlipCheck := the boxes, in this order.
    void SetDriverFlags() const;
};

// A picture file as a QImage; raises an error naming the file when it does
// not read.
QImage LoadPicture(const QString& fileName);

class TfmPrintImage : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Изображение";
    explicit TfmPrintImage(QWidget* owner = nullptr);

    // The picture loaded (null before the first).
    const QImage& Picture() const { return FPicture; }

    QLabel* Image;
    QLabel* lblImageSize;
    QComboBox* cbGraphBufferType;
    QSpinBox* seFirstLineNumber;
    QSpinBox* seLastLineNumber;
    QSpinBox* edtVertScale;
    QSpinBox* edtHorizScale;
    TPrintFlagBoxes Flags;
    QProgressBar* ProgressBar;

    QPushButton* btnOpenPicture;
    QPushButton* btnMonochrome1;
    QPushButton* btnMonochrome2;
    QPushButton* btnLoadImage;
    QPushButton* btnLoadLineDataEx;
    QPushButton* btnWideLoadLineData;
    QPushButton* btnLoadGraphics512;
    QPushButton* btnDraw;
    QPushButton* btnDrawEx;
    QPushButton* btnPrintScale;
    QPushButton* btnPrintGraphics512;

    void btnOpenPictureClick();
    void btnMonochrome1Click();
    void btnMonochrome2Click();
    void btnLoadImageClick();
    void btnLoadLineDataExClick();
    void btnWideLoadLineDataClick();
    void btnLoadGraphics512Click();
    void btnDrawClick();
    void btnDrawExClick();
    void btnPrintScaleClick();
    void btnPrintGraphics512Click();

    // Asks "Error <code>: <description>\n\rContinue?" with Yes and No; true for Yes.
    static bool ContinueExecution();

private:
    void LoadBlockGraphics();
    void RunFilter(void (*filter)(QImage&, const TFilterProgress&));
    void ShowPicture();
    bool WideRows() const;
    void StartProgress(int total);
    void SetScaledPrintParams();

    QImage FPicture;
};
