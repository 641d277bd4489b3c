#include "pages/receipts/fmuPrintImage.h"

#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QScopeGuard>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
constexpr int RowBytes = 40;
constexpr int WideRowBytes = 64;
constexpr int MaxLoadRows = 200;
constexpr int LoadExHeader = 10;    // command bytes of LoadLineDataEx besides the rows
constexpr int Load512Header = 12;   // the same of LoadGraphics512
const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);

// Format_Mono with black as index 0, white as 1.
QImage NewMono(int width, int height)
{
    QImage mono(width, height, QImage::Format_Mono);
    mono.setColorTable({Black, White});
    mono.fill(1);
    return mono;
}

inline void SetBlack(uchar* line, int x)
{
    line[x >> 3] &= uchar(~(0x80u >> (x & 7)));
}

void Report(const TFilterProgress& progress, int done, int total)
{
    if (progress)
        progress(done, total);
}

QImage ToRgb32(const QImage& picture)
{
    return picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
        ? picture
        : picture.convertToFormat(QImage::Format_RGB32);
}

// The rows as whole commands' data: an error when not even one row fits.
int RowsPerCommand(int maxCmdLength, int header, int rowBytes)
{
    const int rows = rowBytes > 0 ? (maxCmdLength - header) / rowBytes : 0;
    if (rows < 1)
        throw Exception(QStringLiteral("Максимальная длина команды (%1 байт) меньше строки графики (%2 байт): "
                                       "загрузка невозможна")
                            .arg(maxCmdLength)
                            .arg(rowBytes + header));
    return rows;
}
} // namespace

QByteArray GetLineData(const QImage& picture, int row, bool wide, bool trimmed)
{
    const int maxBytes = wide ? WideRowBytes : RowBytes;
    QByteArray data(maxBytes, '\0');
    if (row >= 0 && row < picture.height()) {
        const int dots = std::min(picture.width(), maxBytes * 8);
        auto* out = reinterpret_cast<std::uint8_t*>(data.data());
        switch (picture.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied: {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(row));
            for (int x = 0; x < dots; ++x)
                if ((line[x] & 0xFFFFFFu) == 0)
                    out[x >> 3] |= std::uint8_t(1u << (x & 7));
            break;
        }
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
        case QImage::Format_Indexed8: {
            const QList<QRgb> table = picture.colorTable();
            std::vector<bool> black(std::size_t(table.size()));
            for (qsizetype i = 0; i < table.size(); ++i)
                black[std::size_t(i)] = (table[i] & 0xFFFFFFu) == 0;
            const uchar* line = picture.constScanLine(row);
            for (int x = 0; x < dots; ++x) {
                int index = picture.format() == QImage::Format_Indexed8 ? line[x]
                            : picture.format() == QImage::Format_Mono ? (line[x >> 3] >> (7 - (x & 7))) & 1
                                                                       : (line[x >> 3] >> (x & 7)) & 1;
                if (std::size_t(index) < black.size() && black[std::size_t(index)])
                    out[x >> 3] |= std::uint8_t(1u << (x & 7));
            }
            break;
        }
        default: {
            const QImage one = picture.copy(0, row, dots, 1).convertToFormat(QImage::Format_RGB32);
            return GetLineData(one, 0, wide, trimmed).leftJustified(maxBytes, '\0');
        }
        }
    }
    if (trimmed)
        data.truncate(std::min(maxBytes, (std::max(picture.width(), 0) + 7) / 8));
    return data;
}

void MonochromeImage(QImage& picture, const TFilterProgress& progress)
{
    const QImage rgb = ToRgb32(picture);
    const int width = rgb.width(), height = rgb.height();
    if (width <= 0 || height <= 0)
        return;
    auto brightness = [](QRgb c) {
        const std::int64_t r = qRed(c), g = qGreen(c), b = qBlue(c);
        return r * r + g * g + b * b;
    };
    std::int64_t sum = 0;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            sum += brightness(line[x]);
    }
    // mean > brightness, with mean = sum / (width × height), in integers.
    const std::int64_t count = std::int64_t(width) * height;
    QImage mono = NewMono(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = mono.scanLine(y);
        for (int x = 0; x < width; ++x)
            if (sum > brightness(line[x]) * count)
                SetBlack(out, x);
        Report(progress, int(std::int64_t(y + 1) * width / height), width);
    }
    picture = mono;
}

void MonochromeImage2(QImage& picture, const TFilterProgress& progress)
{
    const QImage rgb = ToRgb32(picture);
    const int width = rgb.width(), height = rgb.height();
    if (width <= 0 || height <= 0)
        return;
    // Intensities of three rows at a time: above, this one, below.
    auto intensities = [&](int y, std::vector<int>& row) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            row[std::size_t(x)] = qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]);
    };
    const std::size_t columns = std::size_t(width);
    std::vector<int> above(columns, 0), here(columns, 0), below(columns, 0);
    QImage mono = NewMono(width, height);
    if (height >= 3) {
        intensities(0, above);
        intensities(1, here);
    }
    for (int y = 1; y + 1 < height; ++y) {
        intensities(y + 1, below);
        uchar* out = mono.scanLine(y);
        for (int x = 1; x + 1 < width; ++x) {
            const std::size_t l = std::size_t(x - 1), c = std::size_t(x), r = std::size_t(x + 1);
            const int neighbours = above[l] + above[c] + above[r] + here[l] + here[r] + below[l] + below[c] + below[r];
            if (8 * here[c] < neighbours)
                SetBlack(out, x);
        }
        std::swap(above, here);
        std::swap(here, below);
        Report(progress, int(std::int64_t(y + 1) * width / height), 2 * width);
    }
    Report(progress, width, 2 * width);
    picture = mono;
    Report(progress, 2 * width, 2 * width);
}

void TPrintFlagBoxes::SetDriverFlags() const
{
    Driver().setUseReceiptRibbon(chbUseReceiptRibbon->isChecked());
    Driver().setUseJournalRibbon(chbUseJournalRibbon->isChecked());
    Driver().setUseSlipDocument(chbUseSlipDocument->isChecked());
    Driver().setDelayedPrint(chbDelayedPrint->isChecked());
    Driver().setUseSlipCheck(chbUseSlipCheck->isChecked());
}

QImage LoadPicture(const QString& fileName)
{
    QImageReader reader(fileName);
    QImage picture = reader.read();
    if (picture.isNull())
        throw Exception(QStringLiteral("Не удалось открыть изображение \"%1\": %2").arg(fileName, reader.errorString()));
    switch (picture.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return picture;
    default:  // the forms GetLineData reads fast
        return picture.convertToFormat(QImage::Format_RGB32);
    }
}

TfmPrintImage::TfmPrintImage(QWidget* owner) : TPage(owner, "fmPrintImage", PageCaption)
{
    using T = TfmPrintImage;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    auto size = left.Columns();
    size.Row("Размер изображения:", lblImageSize = NewLabel(this, "0x0", "lblImageSize"));
    size.Space();
    left.Combo(NAMED(cbGraphBufferType), "Графический буфер:", {"Буфер расшир. графики", "Буфер графики 512"}, 0,
               "GraphBufferType");
    left.Spin(NAMED(seFirstLineNumber), "№ первой строки:", 0, 65535, 1, "FirstLineNumber");
    left.Spin(NAMED(seLastLineNumber), "№ посл. строки:", 0, 65535, 200, "LastLineNumber");
    left.Spin(NAMED(edtVertScale), "Коэф. верт. масшт.:", 1, 255, 1, "VertScale");
    left.Spin(NAMED(edtHorizScale), "Коэф. гориз. масшт.:", 1, 255, 1, "HorizScale");
    Flags.Build(left);
    ProgressBar = left.Whole(NewControl<QProgressBar>(this, "ProgressBar"));
    ProgressBar->hide();
    left.Space();

    auto buttons = page.Section();
    buttons.Buttons(11, {
        {NAMED(btnOpenPicture), "Открыть файл", &T::btnOpenPictureClick, "ReadModelParamValue"},
        {NAMED(btnMonochrome1), "Монохромизировать1", &T::btnMonochrome1Click},
        {NAMED(btnMonochrome2), "Монохромизировать2", &T::btnMonochrome2Click},
        {NAMED(btnLoadImage), "Загрузка изображения", &T::btnLoadImageClick, "LoadLineData"},
        {NAMED(btnLoadLineDataEx), "Расширенная загрузка", &T::btnLoadLineDataExClick, "LoadLineDataEx"},
        {NAMED(btnWideLoadLineData), "Загрузка одной командой", &T::btnWideLoadLineDataClick, "WideLoadLineData"},
        {NAMED(btnLoadGraphics512), "Загрузка графики 512", &T::btnLoadGraphics512Click, "LoadGraphics512"},
        {NAMED(btnDraw), "Печать изображения", &T::btnDrawClick, "Draw"},
        {NAMED(btnDrawEx), "Расширенная печать", &T::btnDrawExClick, "DrawEx"},
        {NAMED(btnPrintScale), "Печать с масштабир.", &T::btnPrintScaleClick, "DrawScale"},
        {NAMED(btnPrintGraphics512), "Печать графики 512", &T::btnPrintGraphics512Click, "PrintGraphics512"},
    });

    auto right = page.Section();
    page.Stretch();
    Image = right.Whole(NewLabel(this, {}, "Image"));
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image->setMinimumSize(360, 300);
    right.Stretch(Image);
}

bool TfmPrintImage::ContinueExecution()
{
    const QString text = QStringLiteral("Error %1: %2\n\rContinue?")
                             .arg(Driver().ResultCode())
                             .arg(Driver().ResultCodeDescription());
    return Dialogs::MessageBox(text, ApplicationTitle(), Dialogs::Buttons::YesNo) == Dialogs::mrYes;
}

void TfmPrintImage::ShowPicture()
{
    lblImageSize->setText(QStringLiteral("%1x%2").arg(FPicture.width()).arg(FPicture.height()));
    QPixmap pixmap = QPixmap::fromImage(FPicture);
    if (pixmap.width() > Image->width() || pixmap.height() > Image->height())
        pixmap = pixmap.scaled(Image->size(), Qt::KeepAspectRatio);
    Image->setPixmap(pixmap);
}

bool TfmPrintImage::WideRows() const
{
    return cbGraphBufferType->currentIndex() == 1;
}

void TfmPrintImage::StartProgress(int total)
{
    ProgressBar->setRange(0, std::max(total, 1));
    ProgressBar->setValue(0);
    ProgressBar->show();
}

void TfmPrintImage::btnOpenPictureClick()
{
    const QString fileName = Dialogs::OpenFileName(QStringLiteral("Открыть"), QStringLiteral("Bitmaps (*.bmp)"),
                                                   QCoreApplication::applicationDirPath());
    if (fileName.isEmpty())
        return;
    FPicture = LoadPicture(fileName);
    ShowPicture();
    Driver().setModelParamNumber(27);
    if (Driver().ReadModelParamValue() == 0) {
        const int first = Driver().ModelParamValue().toInt();
        seFirstLineNumber->setValue(first);
        seLastLineNumber->setValue(FPicture.height() + first - 1);
    }
}

void TfmPrintImage::RunFilter(void (*filter)(QImage&, const TFilterProgress&))
{
    if (FPicture.isNull())
        return;
    const auto hide = qScopeGuard([this] { ProgressBar->hide(); });
    StartProgress(1);
    filter(FPicture, [this](int done, int total) {
        ProgressBar->setMaximum(total);
        ProgressBar->setValue(done);
    });
    ShowPicture();
}

void TfmPrintImage::btnMonochrome1Click()
{
    RunFilter(&MonochromeImage);
}

void TfmPrintImage::btnMonochrome2Click()
{
    RunFilter(&MonochromeImage2);
}

void TfmPrintImage::btnLoadImageClick()
{
    if (FPicture.isNull())
        return;
    const auto hide = qScopeGuard([this] { ProgressBar->hide(); });
    const int rows = std::min(FPicture.height(), MaxLoadRows);
    StartProgress(rows);
    for (int i = 0; i < rows;) {
        Driver().setLineNumber(i + 1);
        Driver().setLineData(AnsiToWide(GetLineData(FPicture, i, WideRows(), false)));
        if (Driver().LoadLineData() == 0) {
            ProgressBar->setValue(++i);
        } else if (!ContinueExecution()) {
            break;
        }
    }
}

void TfmPrintImage::btnLoadLineDataExClick()
{
    if (FPicture.isNull())
        return;
    const auto hide = qScopeGuard([this] { ProgressBar->hide(); });
    if (Driver().CapLoadBlockGraphics()) {
        LoadBlockGraphics();
        return;
    }
    StartProgress(FPicture.height());
    for (int i = 0; i < FPicture.height();) {
        Driver().setLineNumber(i + seFirstLineNumber->value());
        Driver().setLineData(AnsiToWide(GetLineData(FPicture, i, false, false)));
        if (Driver().LoadLineDataEx() == 0) {
            ProgressBar->setValue(++i);
        } else if (!ContinueExecution()) {
            break;
        }
    }
}

// Rows in blocks as long as one command holds; a failed block is not repeated.
void TfmPrintImage::LoadBlockGraphics()
{
    const int perCommand = RowsPerCommand(Driver().MaxCmdLength(), LoadExHeader, RowBytes);
    const int firstLine = Driver().FirstDrawLine();
    StartProgress(FPicture.height());
    for (int i = 0; i < FPicture.height(); i += perCommand) {
        QByteArray block;
        for (int row = i; row < std::min(i + perCommand, FPicture.height()); ++row)
            block.append(GetLineData(FPicture, row, false, false));
        Driver().setLineNumber(i + firstLine);
        Driver().setLineData(AnsiToWide(block));
        if (Driver().LoadLineDataEx() != 0 && !ContinueExecution())
            break;
        ProgressBar->setValue(std::min(i + perCommand, FPicture.height()));
    }
}

void TfmPrintImage::btnWideLoadLineDataClick()
{
    if (FPicture.isNull())
        return;
    QByteArray rows;
    for (int row = 0; row < FPicture.height(); ++row)
        rows.append(GetLineData(FPicture, row, false, false));
    Driver().setLineNumber(seFirstLineNumber->value());
    Driver().setLineData(AnsiToWide(rows));
    Driver().WideLoadLineData();
}

// Blocks of trimmed rows; a failed block, the last one too, is sent again on "Yes".
void TfmPrintImage::btnLoadGraphics512Click()
{
    if (FPicture.isNull())
        return;
    const auto hide = qScopeGuard([this] { ProgressBar->hide(); });
    const bool wide = WideRows();
    const int length = int(GetLineData(FPicture, 0, wide, true).size());
    const int perCommand = RowsPerCommand(Driver().MaxCmdLength(), Load512Header, length);
    const int height = FPicture.height();
    StartProgress(height);
    for (int r = 1; r <= height;) {
        const int last = std::min(r + perCommand - 1, height);
        QByteArray block;
        for (int row = r; row <= last; ++row)
            block.append(GetLineData(FPicture, row - 1, wide, true));
        Driver().setFirstLineNumber(r + seFirstLineNumber->value() - 1);
        Driver().setLineLength(length);
        Driver().setLineData(AnsiToWide(block));
        if (Driver().LineData().isEmpty())
            break;
        Driver().setLineNumber(last - r + 1);
        Driver().setGraphBufferType(cbGraphBufferType->currentIndex());
        if (Driver().LoadGraphics512() == 0) {
            ProgressBar->setValue(last);
            r = last + 1;
        } else if (!ContinueExecution()) {
            break;
        }
    }
}

void TfmPrintImage::btnDrawClick()
{
    Driver().setFirstLineNumber(seFirstLineNumber->value());
    Driver().setLastLineNumber(seLastLineNumber->value());
    Driver().Draw();
}

void TfmPrintImage::btnDrawExClick()
{
    Flags.SetDriverFlags();
    Driver().setFirstLineNumber(seFirstLineNumber->value());
    Driver().setLastLineNumber(seLastLineNumber->value());
    Driver().DrawEx();
}

void TfmPrintImage::SetScaledPrintParams()
{
    Flags.SetDriverFlags();
    Driver().setFirstLineNumber(seFirstLineNumber->value());
    Driver().setLastLineNumber(seLastLineNumber->value());
    Driver().setVertScale(edtVertScale->value());
    Driver().setHorizScale(edtHorizScale->value());
}

void TfmPrintImage::btnPrintScaleClick()
{
    SetScaledPrintParams();
    Driver().DrawScale();
}

void TfmPrintImage::btnPrintGraphics512Click()
{
    SetScaledPrintParams();
    Driver().PrintGraphics512();
}
