// The barcode pages against the emulated register: what each button sends,
// the finishing steps with their pauses, the sample run, block loading and
// 2D codes read back from the paper.
#include "pages/receipts/fmu2DBarcode.h"
#include "pages/receipts/fmuPDF417.h"
#include "pages/receipts/fmuPrintBarcode.h"
#include "pages/receipts/fmuPrintBarcodePrinter.h"
#include "core/binding/BusyRetry.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterGraphics.h"
#include "tests/DriverTestSupport.h"
#include "tests/PaperDecode.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using M = OrvekMethod;
using P = OrvekProp;
using K = PaperKind;

namespace {
class BarcodePageTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        ClearPaperAndTrace();
        SetPause([this](int ms) { Pauses.push_back(ms); });
    }
    void TearDown() override
    {
        SetPause(nullptr);
        DriverTest::TearDown();
    }
    std::vector<K> Kinds()
    {
        std::vector<K> kinds;
        for (const PaperItem& item : TestRegister().Paper().Items())
            kinds.push_back(item.Kind);
        return kinds;
    }
    QString WriteFile(const QByteArray& bytes)
    {
        const QString fileName = TestTempDir() + QStringLiteral("/data.bin");
        QFile file(fileName);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return fileName;
    }
    std::vector<M> Methods() { return TestComponent().Trace().Methods(); }

    std::vector<int> Pauses;
};

QByteArray FileBytes(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(i * 3 + 1));
    return bytes;
}
} // namespace

TEST_F(BarcodePageTest, BarcodePageFinishesWithItsLineOrGraphicAndTheCut)
{
    TfmPrintBarcode page;
    page.Initialize();
    page.chbPrintMaxWidth->setChecked(true);
    page.cbBarcodeType->setCurrentIndex(4);
    page.btnPrintBarcodeLine->click();
    EXPECT_EQ(Methods(), (std::vector<M>{M::PrintBarcodeLine, M::GetFontMetrics, M::PrintLine, M::FeedDocument, M::CutCheck}));
    EXPECT_EQ(Pauses, (std::vector<int>{100, 100, 100}));
    const auto lines = TestRegister().Paper().ItemsOf(K::Graphics);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].Data, QByteArray(72, '\xFF'));
    const auto code = DecodePaperItem(TestRegister().Paper().ItemsOf(K::Barcode)[0]);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->Text, QStringLiteral("12345678901234567890"));
    EXPECT_EQ(TestRegister().Paper().ItemsOf(K::Feed)[0].Param, 10);

    // The graphic: 80 × FF into lines 1..10, then Draw 1..10.
    TestComponent().Trace().Clear();
    TestRegister().Paper().Clear();
    Pauses.clear();
    page.cbBarcodeType->setCurrentIndex(3);
    page.btnPrintBarcodeGraph->click();
    std::vector<M> expected{M::PrintBarcodeGraph};
    expected.insert(expected.end(), 10, M::LoadLineData);
    expected.insert(expected.end(), {M::Draw, M::FeedDocument, M::CutCheck});
    EXPECT_EQ(Methods(), expected);
    EXPECT_EQ(Pauses, (std::vector<int>{100, 100, 100}));
    for (int line = 1; line <= 10; ++line)
        EXPECT_EQ(TestRegister().Area<RegisterGraphics>().Line(GraphicsBuffer::Graphics, line), QByteArray(80, '\xFF'));
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Barcode, K::Image, K::Feed, K::Cut}));
    EXPECT_EQ(TestRegister().Paper().ItemsOf(K::Image)[0].Text, QStringLiteral("Draw 1..10"));
    const auto qr = DecodePaperItem(TestRegister().Paper().ItemsOf(K::Barcode)[0]);
    ASSERT_TRUE(qr);
    EXPECT_EQ(qr->Format, QStringLiteral("QRCode"));
}

TEST_F(BarcodePageTest, AFailedPrintEndsTheHandlerBeforeTheSteps)
{
    TfmPrintBarcode page;
    page.cbBarcodeType->setCurrentIndex(3);  // QR Code: graphics only
    page.btnPrintBarcodeLine->click();
    EXPECT_EQ(Methods(), std::vector<M>{M::PrintBarcodeLine});
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_TRUE(TestDialogs().shown().empty());

    page.edtBarcode->setText(QStringLiteral("4600000000001"));
    page.btnPrintBarcode->click();
    EXPECT_EQ(TestRegister().Paper().ItemsOf(K::Barcode)[0].Text, QStringLiteral("4600000000001"));
    EXPECT_EQ(TestRegister().Paper().Items().back().Kind, K::Cut);
}

TEST_F(BarcodePageTest, PrinterPageTypesAndTheSampleRun)
{
    TfmPrintBarcodePrinter page;
    page.Initialize();
    ASSERT_EQ(page.cbBarcodeType->count(), 18);
    EXPECT_EQ(page.cbBarcodeType->itemText(17), QStringLiteral("CODE32"));
    page.cbBarcodeType->setCurrentIndex(17);
    page.btnPrintBarcodeUsingPrinter->click();
    EXPECT_EQ(TestComponent().Trace().Lines().front(),
              QStringLiteral("PrintBarcodeUsingPrinter(LineNumber=100, BarWidth=2, HRIPosition=0, FontType=0, "
                             "BarcodeType=20, BarCode=12345678901234567890)"));
    EXPECT_EQ(Pauses, std::vector<int>{100});

    TestRegister().Paper().Clear();
    page.btnPrintAllBarcodes->click();
    const auto& items = TestRegister().Paper().Items();
    ASSERT_EQ(items.size(), 17u * 3 + 2 + 10);
    for (std::size_t i = 0; i < 17; ++i) {
        const TBarcodeParams& sample = SampleBarcodes()[i];
        EXPECT_EQ(items[3 * i].Text, QString(35, QLatin1Char('-')));
        EXPECT_EQ(items[3 * i + 1].Text, sample.Text);
        EXPECT_TRUE(sample.Text.endsWith(QLatin1Char(' ')));
        EXPECT_EQ(items[3 * i + 2].Kind, K::Barcode);
        EXPECT_EQ(items[3 * i + 2].Param, sample.BarcodeType);
        EXPECT_EQ(items[3 * i + 2].Text, sample.Barcode);
    }
    EXPECT_EQ(items[51].Kind, K::Feed);
    EXPECT_EQ(items[52].Kind, K::Cut);
    EXPECT_EQ(items[53].Data, QByteArray(72, '\xFF'));

    // The first failure ends the run.
    TestRegister().Paper().Clear();
    TestRegister().Faults().FailOnCall(M::PrintBarcodeUsingPrinter, 2, 80);
    page.btnPrintAllBarcodes->click();
    EXPECT_EQ(TestRegister().Paper().Items().size(), 5u);
}

TEST_F(BarcodePageTest, TwoDimensionalPageRelabelsItsParameters)
{
    Tfm2DBarcode page;
    EXPECT_EQ(page.lblBarcodeParameter[0]->text(), QStringLiteral("Количество столбцов:"));
    page.cbBarcodeType->setCurrentIndex(2);
    emit page.cbBarcodeType->activated(2);  // the user's choice
    QStringList captions;
    for (QLabel* label : page.lblBarcodeParameter)
        captions << label->text();
    EXPECT_EQ(captions, (QStringList{"Схема кодирования:", "Не используется", "Размер точки:", "Размер символа:",
                                     "Ур. коррекц. ошибок:"}));
    EXPECT_EQ(page.cbBarcodeType->itemData(4).toInt(), 131);
}

TEST_F(BarcodePageTest, TwoDimensionalPageLoadsBlocksAndPrintsTheFile)
{
    Tfm2DBarcode page;
    page.seStartBlockNumber->setValue(3);
    page.seBarcodeDataLength->setValue(9);
    page.btnLoadBlockData->click();  // no file: nothing sent
    EXPECT_TRUE(Methods().empty());
    EXPECT_EQ(page.seStartBlockNumber->value(), 0);
    EXPECT_EQ(page.seBarcodeDataLength->value(), 0);

    const QByteArray bytes = FileBytes(130);
    TestDialogs().answerFile(WriteFile(bytes));
    page.btnOpenFile->click();
    EXPECT_EQ(page.edtStatus->text(), QStringLiteral("Файл открыт, длина 130 байт"));
    page.btnLoadBlockData->click();
    const auto& calls = TestComponent().Trace().Calls();
    ASSERT_EQ(calls.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const QString hex = calls[std::size_t(i)].Written.back().second.toString();
        EXPECT_EQ(hex.size(), (i < 2 ? 64 : 2) * 3) << i;  // "XX " per byte
    }
    EXPECT_EQ(page.seBarcodeDataLength->value(), 130);

    page.cbBarcodeType->setCurrentIndex(3);
    page.seBarcodeParameter3->setValue(3);
    page.chbCutPaper->setChecked(true);
    page.btnPrint2DBarcode->click();
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Barcode, K::Feed, K::Cut}));
    const auto decoded = DecodePaperItem(TestRegister().Paper().Items()[0]);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Bytes, bytes);
    EXPECT_TRUE(Pauses.empty());
}

TEST_F(BarcodePageTest, AFailedPrintFromTextIsReportedAfterTheCut)
{
    Tfm2DBarcode page;
    page.edtBarcode->setText(QStringLiteral("https://example.org/?q=1"));
    page.cbBarcodeType->setCurrentIndex(4);
    page.seBarcodeParameter3->setValue(4);
    page.chbCutPaper->setChecked(true);
    page.btnLoadAndPrint->click();
    const auto decoded = DecodePaperItem(TestRegister().Paper().Items()[0]);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Text, QStringLiteral("https://example.org/?q=1"));
    EXPECT_TRUE(TestDialogs().shown().empty());

    TestRegister().Paper().Clear();
    TestRegister().Faults().FailNext(M::LoadAndPrint2DBarcode, 80);
    page.btnLoadAndPrint->click();
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Feed, K::Cut}));
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Штрихкод не напечатан: (80) ") + OrvekResultDescription(80));
}

// A file larger than the code can hold is refused with its size; the file
// opened before stays.
TEST_F(BarcodePageTest, DataFilesAreBoundByWhatTheCodeHolds)
{
    Tfm2DBarcode twoD;
    TfmPDF417 pdf;
    const struct { QPushButton* open; QLineEdit* status; qint64 max; } pages[] = {
        {twoD.btnOpenFile, twoD.edtStatus, Tfm2DBarcode::MaxFileSize},
        {pdf.btnOpenFile, pdf.edtStatus, TfmPDF417::MaxFileSize},
    };
    for (const auto& p : pages) {
        TestDialogs().answerFile(WriteFile(QByteArray(int(p.max), '7')));
        p.open->click();
        EXPECT_EQ(p.status->text(), QStringLiteral("Файл открыт, длина %1 байт").arg(p.max));
        const QString large = WriteFile(QByteArray(int(p.max) + 1, '7'));
        TestDialogs().answerFile(large);
        p.open->click();
        EXPECT_EQ(TestDialogs().lastMessage(),
                  QStringLiteral("Файл \"%1\" слишком велик: %2 байт (не более %3 байт)").arg(large).arg(p.max + 1).arg(p.max));
        EXPECT_EQ(p.status->text(), QStringLiteral("Файл открыт, длина %1 байт").arg(p.max));
    }
}

TEST_F(BarcodePageTest, PDF417PagePrintsTheFileAndCuts)
{
    TfmPDF417 page;
    EXPECT_EQ(page.cbColumnCount->count(), 31);
    EXPECT_EQ(page.cbModuleWidth->currentText(), QStringLiteral("3"));
    const QByteArray bytes = FileBytes(40);
    TestDialogs().answerFile(WriteFile(bytes));
    page.btnOpenFile->click();
    Driver().setBarCode(QStringLiteral("not this"));
    page.cbModuleWidth->setCurrentIndex(0);
    page.btnPrintPDF417->click();
    const OrvekTracedCall& print = TestComponent().Trace().Calls().front();
    EXPECT_EQ(print.Method, M::LoadAndPrint2DBarcode);
    EXPECT_TRUE(print.Text().contains(QStringLiteral("BarcodeType=0, BlockDataHex=01 04 07 0A ")));
    EXPECT_TRUE(print.Text().endsWith(QStringLiteral("BarcodeParameter1=0, BarcodeParameter2=0, BarcodeParameter3=2, "
                                                     "BarcodeParameter4=3, BarcodeParameter5=0, BarcodeAlignment=0)")));
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Barcode, K::Feed, K::Cut}));
    const auto decoded = DecodePaperItem(TestRegister().Paper().Items()[0]);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Format, QStringLiteral("PDF417"));
    EXPECT_EQ(decoded->Bytes, bytes);

    // A failed print ends the handler; the cut button cuts whatever the box says.
    TestRegister().Paper().Clear();
    TestRegister().Faults().FailNext(M::LoadAndPrint2DBarcode, 80);
    page.btnPrintPDF417->click();
    EXPECT_TRUE(TestRegister().Paper().Items().empty());
    page.chbCutPaper->setChecked(false);
    page.btnCutPaper->click();
    EXPECT_EQ(Kinds(), (std::vector<K>{K::Feed, K::Cut}));
}
