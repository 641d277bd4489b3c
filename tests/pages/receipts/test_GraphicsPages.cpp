// The pages "Изображение", "Изображение из файла" and "Линия" against the
// emulated register: raster rows of small BMP fixtures, the four loads with
// their questions, the filters, the prints and the lines.
#include "pages/receipts/fmuPrintImage.h"
#include "pages/receipts/fmuPrintImage2.h"
#include "pages/receipts/fmuPrintLine.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterGraphics.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
// A picture of white pixels with the given ones black (or of the given colour).
QImage Picture(int width, int height, std::initializer_list<QPoint> black = {}, QRgb background = qRgb(255, 255, 255))
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(background);
    for (QPoint p : black)
        picture.setPixel(p, qRgb(0, 0, 0));
    return picture;
}

// The 10 × 2 fixture: row 0 black at x = 0, 2, 7, 8 (and near-black blue at 1
// and pure blue at 3); row 1 all black.
QImage TenByTwo()
{
    QImage picture = Picture(10, 2, {{0, 0}, {2, 0}, {7, 0}, {8, 0}});
    picture.setPixel(1, 0, qRgb(0, 0, 1));
    picture.setPixel(3, 0, qRgb(0, 0, 255));
    for (int x = 0; x < 10; ++x)
        picture.setPixel(x, 1, qRgb(0, 0, 0));
    return picture;
}

QString SaveBmp(const QImage& picture, const QString& name = QStringLiteral("picture.bmp"))
{
    const QString fileName = TestTempDir() + QLatin1Char('/') + name;
    EXPECT_TRUE(picture.save(fileName, "BMP"));
    return fileName;
}

QByteArray Bytes(const char* hex)
{
    return QByteArray::fromHex(hex);
}

// The value a traced call was given for a property (the last one written).
QVariant Written(const OrvekTracedCall& call, P prop)
{
    QVariant value;
    for (const auto& [p, v] : call.Written)
        if (p == prop)
            value = v;
    return value;
}

QByteArray WrittenBytes(const OrvekTracedCall& call, P prop)
{
    return WideToAnsi(Written(call, prop).toString());
}

class GraphicsPageTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Driver();
        TestRegister().Paper().Clear();
    }
    // The traced calls of one method since the trace was cleared.
    std::vector<OrvekTracedCall> CallsOf(M method)
    {
        std::vector<OrvekTracedCall> calls;
        for (const OrvekTracedCall& call : TestComponent().Trace().Calls())
            if (call.Method == method)
                calls.push_back(call);
        return calls;
    }
    QByteArray MemoryLine(int number, GraphicsBuffer buffer = GraphicsBuffer::Graphics)
    {
        return TestRegister().Area<RegisterGraphics>().Line(buffer, number);
    }
};

class PrintImagePageTest : public GraphicsPageTest {
protected:
    void SetUp() override
    {
        GraphicsPageTest::SetUp();
        Page = std::make_unique<TfmPrintImage>();
    }
    void TearDown() override
    {
        Page.reset();
        GraphicsPageTest::TearDown();
    }
    void Open(const QImage& picture)
    {
        TestDialogs().answerFile(SaveBmp(picture));
        Page->btnOpenPicture->click();
        ASSERT_FALSE(Page->Picture().isNull());
        TestComponent().Trace().Clear();
    }
    std::unique_ptr<TfmPrintImage> Page;
};
} // namespace

TEST(GetLineDataTest, BlackOnlyForColourZeroInEveryForm)
{
    const QImage picture = TenByTwo();
    const QByteArray row0 = GetLineData(picture, 0, false, false);
    EXPECT_EQ(row0, Bytes("8501") + QByteArray(38, '\0'));
    EXPECT_EQ(GetLineData(picture, 0, false, true), Bytes("8501"));
    EXPECT_EQ(GetLineData(picture, 1, false, true), Bytes("FF03"));
    EXPECT_EQ(GetLineData(picture, 1, true, false), Bytes("FF03") + QByteArray(62, '\0'));
    // Beyond 320 / 512 dots nothing is taken.
    const QImage wide = Picture(600, 1, {{319, 0}, {320, 0}, {511, 0}, {512, 0}});
    EXPECT_EQ(GetLineData(wide, 0, false, true), QByteArray(39, '\0') + Bytes("80"));
    EXPECT_EQ(GetLineData(wide, 0, true, true), QByteArray(39, '\0') + Bytes("8001") + QByteArray(22, '\0') + Bytes("80"));
    // The same rows from a one-bit picture.
    QImage mono = picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    EXPECT_EQ(GetLineData(mono, 1, false, true), Bytes("FF03"));
}

TEST_F(PrintImagePageTest, OpeningShowsTheSizeAndPlacesTheLinesAfterParameter27)
{
    TestRegister().ModelParams().Set(27, 5);
    Open(Picture(10, 30));
    EXPECT_EQ(Page->lblImageSize->text(), QStringLiteral("10x30"));
    EXPECT_EQ(Page->seFirstLineNumber->value(), 5);
    EXPECT_EQ(Page->seLastLineNumber->value(), 34);
    EXPECT_EQ(TestDialogs().shown().front().file.filter, QStringLiteral("Bitmaps (*.bmp)"));

    // A failed read leaves the spins; an unreadable file leaves the picture.
    TestRegister().Faults().FailNext(M::ReadModelParamValue, 80);
    Open(Picture(10, 3));
    EXPECT_EQ(Page->seLastLineNumber->value(), 34);
    QFile broken(TestTempDir() + QStringLiteral("/broken.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM123");
    broken.close();
    TestDialogs().answerFile(broken.fileName());
    Page->btnOpenPicture->click();
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith(QStringLiteral("Не удалось открыть изображение")));
    EXPECT_EQ(Page->Picture().height(), 3);
    EXPECT_EQ(Page->lblImageSize->text(), QStringLiteral("10x3"));
}

TEST_F(PrintImagePageTest, NothingLoadsOrFiltersWithoutAPicture)
{
    for (QPushButton* button : {Page->btnMonochrome1, Page->btnMonochrome2, Page->btnLoadImage,
                                Page->btnLoadLineDataEx, Page->btnWideLoadLineData, Page->btnLoadGraphics512})
        button->click();
    EXPECT_TRUE(TestComponent().Trace().Methods().empty());
    EXPECT_TRUE(TestDialogs().shown().empty());
}

TEST_F(PrintImagePageTest, RowByRowLoadingFillsTheLinesUpTo200)
{
    Open(TenByTwo());
    Page->btnLoadImage->click();
    const auto calls = CallsOf(M::LoadLineData);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(Written(calls[0], P::LineNumber).toInt(), 1);
    EXPECT_EQ(MemoryLine(1), Bytes("8501") + QByteArray(38, '\0'));
    EXPECT_EQ(MemoryLine(2), Bytes("FF03") + QByteArray(38, '\0'));
    EXPECT_TRUE(Page->ProgressBar->isHidden());

    Open(Picture(10, 300));
    Page->btnLoadImage->click();
    EXPECT_EQ(CallsOf(M::LoadLineData).size(), 200u);

    // The whole picture in one command of 80 bytes.
    Open(TenByTwo());
    Page->seFirstLineNumber->setValue(7);
    Page->btnWideLoadLineData->click();
    const auto wide = CallsOf(M::WideLoadLineData);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(WrittenBytes(wide[0], P::LineData).size(), 80);
    EXPECT_EQ(MemoryLine(8), Bytes("FF03") + QByteArray(38, '\0'));
}

TEST_F(PrintImagePageTest, AFailedLoadAsksAndYesRepeatsTheRow)
{
    Open(TenByTwo());
    TestRegister().Faults().FailOnCall(M::LoadLineData, 2, 80);
    TestDialogs().answerMessage(Dialogs::mrYes);
    Page->btnLoadImage->click();
    const auto& shown = TestDialogs().shown().back().message;
    EXPECT_EQ(shown.text, QStringLiteral("Error 80: ") + OrvekResultDescription(80) + QStringLiteral("\n\rContinue?"));
    EXPECT_EQ(shown.buttons, Dialogs::Buttons::YesNo);
    const auto calls = CallsOf(M::LoadLineData);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(Written(calls[2], P::LineNumber).toInt(), 2);
    EXPECT_EQ(MemoryLine(2), Bytes("FF03") + QByteArray(38, '\0'));

    TestComponent().Trace().Clear();
    TestRegister().Faults().FailNext(M::LoadLineData, 80);
    TestDialogs().answerMessage(Dialogs::mrNo);
    Page->btnLoadImage->click();
    EXPECT_EQ(CallsOf(M::LoadLineData).size(), 1u);
}

TEST_F(PrintImagePageTest, ExtendedLoadingByRowsOrBlocks)
{
    Open(Picture(10, 7, {{0, 6}}));
    TestRegister().ModelParams().Set(51, false);
    Page->seFirstLineNumber->setValue(3);
    Page->btnLoadLineDataEx->click();
    EXPECT_EQ(CallsOf(M::LoadLineDataEx).size(), 7u);
    EXPECT_EQ(MemoryLine(9), Bytes("01") + QByteArray(39, '\0'));

    // Blocks of (MaxCmdLength - 10) div 40 rows from FirstDrawLine on; a failed block is not repeated.
    TestComponent().Trace().Clear();
    TestRegister().ModelParams().Set(51, true);
    TestRegister().ModelParams().Set(53, 130);
    TestRegister().ModelParams().Set(27, 20);
    TestRegister().Faults().FailOnCall(M::LoadLineDataEx, 2, 80);
    TestDialogs().answerMessage(Dialogs::mrYes);
    Page->btnLoadLineDataEx->click();
    const auto calls = CallsOf(M::LoadLineDataEx);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(Written(calls[1], P::LineNumber).toInt(), 23);
    EXPECT_EQ(Written(calls[2], P::LineNumber).toInt(), 26);
    EXPECT_EQ(WrittenBytes(calls[0], P::LineData).size(), 120);
    EXPECT_EQ(WrittenBytes(calls[2], P::LineData).size(), 40);
    EXPECT_EQ(MemoryLine(26), Bytes("01") + QByteArray(39, '\0'));
}

TEST_F(PrintImagePageTest, Buffer512LoadsBlocksOfTrimmedRows)
{
    Open(TenByTwo());
    Page->cbGraphBufferType->setCurrentIndex(1);
    Page->btnLoadGraphics512->click();
    const auto calls = CallsOf(M::LoadGraphics512);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(Written(calls[0], P::LineLength).toInt(), 2);
    EXPECT_EQ(WrittenBytes(calls[0], P::LineData), Bytes("8501FF03"));
    EXPECT_EQ(Written(calls[0], P::LineNumber).toInt(), 2);
    EXPECT_EQ(Written(calls[0], P::GraphBufferType).toInt(), 1);
    EXPECT_EQ(MemoryLine(2, GraphicsBuffer::Buffer512), Bytes("FF03"));

    // 384 dots: 4 rows of 48 bytes with the wide buffer, 5 of 40 with the other.
    Open(Picture(384, 10));
    for (int buffer : {1, 0}) {
        TestComponent().Trace().Clear();
        Page->cbGraphBufferType->setCurrentIndex(buffer);
        Page->btnLoadGraphics512->click();
        std::vector<int> rows;
        for (const auto& call : CallsOf(M::LoadGraphics512)) {
            rows.push_back(Written(call, P::LineNumber).toInt());
            EXPECT_EQ(Written(call, P::LineLength).toInt(), buffer ? 48 : 40);
        }
        EXPECT_EQ(rows, buffer ? (std::vector<int>{4, 4, 2}) : (std::vector<int>{5, 5}));
    }
}

TEST_F(PrintImagePageTest, Buffer512RepeatsAFailedLastBlockOnYes)
{
    Open(Picture(384, 10));
    TestRegister().Faults().FailOnCall(M::LoadGraphics512, 3, 80);
    TestDialogs().answerMessage(Dialogs::mrYes);
    Page->cbGraphBufferType->setCurrentIndex(1);
    Page->btnLoadGraphics512->click();
    const auto calls = CallsOf(M::LoadGraphics512);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(Written(calls[3], P::FirstLineNumber).toInt(), 9);
    EXPECT_EQ(MemoryLine(10, GraphicsBuffer::Buffer512).size(), 48);
}

TEST_F(PrintImagePageTest, ACommandTooShortForARowStopsWithAMessageSendingNothing)
{
    Open(TenByTwo());
    TestRegister().ModelParams().Set(53, 49);
    Page->btnLoadLineDataEx->click();
    TestRegister().ModelParams().Set(53, 13);
    Page->btnLoadGraphics512->click();
    const QStringList messages = TestDialogs().messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], QStringLiteral("Максимальная длина команды (49 байт) меньше строки графики (50 байт): "
                                          "загрузка невозможна"));
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("Максимальная длина команды (13 байт)")));
    EXPECT_TRUE(CallsOf(M::LoadLineDataEx).empty());
    EXPECT_TRUE(CallsOf(M::LoadGraphics512).empty());
    EXPECT_TRUE(Page->btnLoadGraphics512->isEnabled());
}

TEST_F(PrintImagePageTest, PrintsSendTheFlagsLinesAndScales)
{
    Open(TenByTwo());
    Page->btnLoadImage->click();
    Page->seFirstLineNumber->setValue(1);
    Page->seLastLineNumber->setValue(2);
    Page->Flags.chbUseJournalRibbon->setChecked(false);
    Page->edtVertScale->setValue(2);
    Page->edtHorizScale->setValue(3);
    TestComponent().Trace().Clear();
    for (QPushButton* button : {Page->btnDraw, Page->btnDrawEx, Page->btnPrintScale, Page->btnPrintGraphics512})
        button->click();
    const QString flags = QStringLiteral("UseReceiptRibbon=True, UseJournalRibbon=False, UseSlipDocument=True, "
                                         "DelayedPrint=False, UseSlipCheck=False, ");
    EXPECT_EQ(TestComponent().Trace().Lines(),
              (QStringList{"Draw(FirstLineNumber=1, LastLineNumber=2)",
                           "DrawEx(" + flags + "FirstLineNumber=1, LastLineNumber=2)",
                           "DrawScale(" + flags + "FirstLineNumber=1, LastLineNumber=2, VertScale=2, HorizScale=3)",
                           "PrintGraphics512(" + flags + "FirstLineNumber=1, LastLineNumber=2, VertScale=2, HorizScale=3)"}));
    const auto images = TestRegister().Paper().ItemsOf(PaperKind::Image);
    ASSERT_EQ(images.size(), 4u);
    EXPECT_EQ(images[0].Data.left(2), Bytes("8501"));
    EXPECT_EQ(images[2].Data.size(), 4 * images[2].RowBytes);
}

TEST_F(PrintImagePageTest, FiltersTurnThePictureBlackAndWhite)
{
    // Mean of R² + G² + B²: pixels darker than it turn black, the rest white.
    QImage grey = Picture(4, 1, {}, qRgb(200, 200, 200));
    grey.setPixel(0, 0, qRgb(10, 10, 10));
    grey.setPixel(1, 0, qRgb(0, 0, 255));  // 65025, below the mean 76331
    Open(grey);
    Page->btnMonochrome1->click();
    EXPECT_EQ(Page->Picture().format(), QImage::Format_Mono);
    EXPECT_EQ(GetLineData(Page->Picture(), 0, false, true), Bytes("03"));
    EXPECT_TRUE(Page->ProgressBar->isHidden());

    // 8 × own intensity against the eight neighbours: a dark centre turns
    // black, a light one white, an equal one white; the border stays white.
    QImage local = Picture(5, 3, {{0, 0}, {4, 1}}, qRgb(100, 100, 100));
    local.setPixel(1, 1, qRgb(99, 100, 100));
    local.setPixel(2, 1, qRgb(200, 200, 200));
    Open(local);
    Page->btnMonochrome2->click();
    EXPECT_EQ(Page->Picture().format(), QImage::Format_Mono);
    EXPECT_EQ(GetLineData(Page->Picture(), 0, false, true), Bytes("00"));
    EXPECT_EQ(GetLineData(Page->Picture(), 1, false, true), Bytes("02"));  // (3, 1) is 8 × 300 = its neighbours: white
    EXPECT_EQ(GetLineData(Page->Picture(), 2, false, true), Bytes("00"));
}

TEST_F(GraphicsPageTest, PictureFromFileLoadsThroughTheDriver)
{
    TfmPrintImage2 page;
    const QString fileName = SaveBmp(TenByTwo());
    TestDialogs().answerFile(fileName);
    page.btnOpen->click();
    EXPECT_EQ(page.edtFileName->text(), fileName);
    EXPECT_FALSE(page.Image->pixmap().isNull());
    page.chbCenterImage->setChecked(false);
    page.btnLoad->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(page.seFirstLineNumber->value(), 1);
    EXPECT_EQ(page.seLastLineNumber->value(), 2);
    EXPECT_EQ(MemoryLine(1), Bytes("8F01"));  // the driver's own grey threshold: both blues are dark

    page.btnDrawEx->click();
    ASSERT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Image).size(), 1u);

    // A missing file: the driver's error, the spins take what the driver says.
    page.edtFileName->setText(TestTempDir() + QStringLiteral("/none.bmp"));
    Driver().setFirstLineNumber(4);
    page.btnLoad->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_EQ(page.seFirstLineNumber->value(), 4);
}

TEST_F(GraphicsPageTest, HexLineAndBlackLine)
{
    TfmPrintLine page;
    page.edtLineData->setText(QStringLiteral("01 80"));
    page.seLineNumber->setValue(2);
    page.chbLineSwapBytes->setChecked(true);
    page.btnPrintLine->click();
    auto lines = TestRegister().Paper().ItemsOf(PaperKind::Graphics);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Data, Bytes("8001"));
    page.edtLineData->setText(QStringLiteral("0X"));
    page.btnPrintLine->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);

    // Parameter 55 = 0: the width comes from PrintWidth 576, 72 bytes.
    TestRegister().ModelParams().Set(55, 0);
    TestRegister().Paper().Clear();
    TestComponent().Trace().Clear();
    page.seByteCount->setValue(72);
    page.btnBlackLine->click();
    auto calls = CallsOf(M::PrintLine);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(WrittenBytes(calls[0], P::LineData), QByteArray(72, '\xFF'));
    EXPECT_EQ(Written(calls[0], P::LineNumber).toInt(), 20);
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Graphics).size(), 20u);

    TestComponent().Trace().Clear();
    page.seByteCount->setValue(73);
    page.btnBlackLine->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Неверная длина линии"));
    EXPECT_EQ(TestComponent().Trace().Methods(), (std::vector<M>{M::ReadModelParamValue, M::GetFontMetrics}));

    page.seByteCount->setValue(0);
    page.btnBlackLine->click();
    calls = CallsOf(M::PrintLine);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(WrittenBytes(calls[0], P::LineData).isEmpty());
}
