// Graphics memory, printed pictures and lines, barcodes and 2D codes of the
// emulated register; 2D codes are read back from the paper.
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterGraphics.h"
#include "tests/DriverTestSupport.h"
#include "tests/PaperDecode.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
class GraphicsTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Driver();
        TestRegister().Paper().Clear();
    }
    RegisterGraphics& Memory() { return TestRegister().Area<RegisterGraphics>(); }
    QByteArray Line(int number, GraphicsBuffer buffer = GraphicsBuffer::Graphics)
    {
        return Memory().Line(buffer, number);
    }
    static QString Bytes(const QByteArray& bytes) { return AnsiToWide(bytes); }
};

QByteArray Filled(int count, char byte)
{
    return QByteArray(count, byte);
}
} // namespace

TEST_F(GraphicsTest, RowCommandsFillTheMemoryWithinTheirLimits)
{
    Driver().setLineNumber(1);
    Driver().setLineData(Bytes(Filled(80, '\x81')));
    ASSERT_EQ(Driver().LoadLineData(), 0);
    EXPECT_EQ(Line(1), Filled(80, '\x81'));
    Driver().setLineData(Bytes(Filled(81, '\x01')));
    EXPECT_EQ(Driver().LoadLineData(), OrvekResult::BadParameter);
    Driver().setLineNumber(201);
    Driver().setLineData(Bytes("\x01"));
    EXPECT_EQ(Driver().LoadLineData(), OrvekResult::BadParameter);  // the plain command reaches lines 1..200

    // Blocks of 40-byte rows, as long as parameter 53 allows.
    TestRegister().ModelParams().Set(53, 90);
    Driver().setLineNumber(300);
    Driver().setLineData(Bytes(Filled(40, '\x0F') + Filled(40, '\xF0')));
    ASSERT_EQ(Driver().LoadLineDataEx(), 0);
    EXPECT_EQ(Line(300), Filled(40, '\x0F'));
    EXPECT_EQ(Line(301), Filled(40, '\xF0'));
    Driver().setLineData(Bytes(Filled(120, '\x01')));
    EXPECT_EQ(Driver().LoadLineDataEx(), OrvekResult::BadParameter);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Длина команды больше допустимой (90 байт)"));
    EXPECT_TRUE(Line(302).isEmpty());

    // The 512 buffer: LineNumber rows of LineLength bytes.
    Driver().setFirstLineNumber(5);
    Driver().setLineLength(2);
    Driver().setLineNumber(2);
    Driver().setGraphBufferType(1);
    Driver().setLineData(Bytes("\x85\x01\xFF\x03"));
    ASSERT_EQ(Driver().LoadGraphics512(), 0);
    EXPECT_EQ(Line(5, GraphicsBuffer::Buffer512), QByteArray("\x85\x01"));
    EXPECT_EQ(Line(6, GraphicsBuffer::Buffer512), QByteArray("\xFF\x03"));
    Driver().setLineNumber(3);
    EXPECT_EQ(Driver().LoadGraphics512(), OrvekResult::BadParameter);  // 4 bytes are not 3 rows of 2

    // The whole picture at once.
    Driver().setLineNumber(10);
    Driver().setLineData(Bytes(Filled(40, '\x11') + Filled(40, '\x22')));
    ASSERT_EQ(Driver().WideLoadLineData(), 0);
    EXPECT_EQ(Line(11), Filled(40, '\x22'));
}

TEST_F(GraphicsTest, PrintsPutTheMemoryOnThePaper)
{
    Driver().setLineData(Bytes("\x03"));
    for (int line = 1; line <= 2; ++line) {
        Driver().setLineNumber(line);
        ASSERT_EQ(Driver().LoadLineData(), 0);
    }
    Driver().setFirstLineNumber(1);
    Driver().setLastLineNumber(3);
    ASSERT_EQ(Driver().Draw(), 0);
    Driver().setVertScale(2);
    Driver().setHorizScale(3);
    Driver().setLastLineNumber(1);
    ASSERT_EQ(Driver().DrawScale(), 0);
    Driver().setLastLineNumber(201);
    EXPECT_EQ(Driver().Draw(), OrvekResult::BadParameter);

    const auto images = TestRegister().Paper().ItemsOf(PaperKind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].Text, QStringLiteral("Draw 1..3"));
    EXPECT_EQ(images[0].RowBytes, 1);
    EXPECT_EQ(images[0].Data, QByteArray("\x03\x03\x00", 3));  // line 3 was never loaded
    EXPECT_EQ(images[1].RowBytes, 3);                          // each dot three dots wide, twice
    EXPECT_EQ(images[1].Data, QByteArray("\x3F\x00\x00\x3F\x00\x00", 6));
}

TEST_F(GraphicsTest, PrintLineTakesTheLaterOfDataAndHex)
{
    Driver().setLineData(Bytes("\x01"));
    Driver().setLineDataHex(QStringLiteral("81 0F"));
    Driver().setLineNumber(1);
    Driver().setLineSwapBytes(true);
    ASSERT_EQ(Driver().PrintLine(), 0);
    Driver().setLineSwapBytes(false);
    Driver().setLineData(Bytes("\x01"));
    ASSERT_EQ(Driver().PrintLine(), 0);
    const auto lines = TestRegister().Paper().ItemsOf(PaperKind::Graphics);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Data, QByteArray("\x81\xF0"));
    EXPECT_EQ(lines[1].Data, QByteArray("\x01"));

    for (const char* bad : {"8", "8G", "FF F"}) {
        Driver().setLineDataHex(QString::fromLatin1(bad));
        EXPECT_EQ(Driver().PrintLine(), OrvekResult::BadParameter) << bad;
        EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Неверные данные Hex"));
    }
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Graphics).size(), 2u);
}

TEST_F(GraphicsTest, LoadImageReadsTheFileAndNamesItsLines)
{
    QImage picture(10, 3, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(9, 2, qRgb(0, 0, 0));
    const QString fileName = TestTempDir() + QStringLiteral("/picture.bmp");
    ASSERT_TRUE(picture.save(fileName, "BMP"));

    Driver().setFileName(fileName);
    Driver().setLineNumber(4);
    Driver().setCenterImage(false);
    ASSERT_EQ(Driver().LoadImage(), 0);
    EXPECT_EQ(Driver().FirstLineNumber(), 4);
    EXPECT_EQ(Driver().LastLineNumber(), 6);
    EXPECT_EQ(Line(4), QByteArray("\x01\x00", 2));
    EXPECT_EQ(Line(6), QByteArray("\x00\x02", 2));
    Driver().setCenterImage(true);  // 283 blank dots before the picture on a 576-dot line
    ASSERT_EQ(Driver().LoadImage(), 0);
    EXPECT_EQ(Line(4).size(), 37);
    EXPECT_EQ(Line(4)[35], char(0x08));

    const QString broken = TestTempDir() + QStringLiteral("/broken.bmp");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM not a picture");
    file.close();
    for (const QString& name : {TestTempDir() + QStringLiteral("/missing.bmp"), broken}) {
        Driver().setFileName(name);
        Driver().setFirstLineNumber(1);
        EXPECT_EQ(Driver().LoadImage(), OrvekResult::BadParameter) << name.toStdString();
        EXPECT_EQ(Driver().FirstLineNumber(), 1);
    }
}

TEST_F(GraphicsTest, PrinterBarcodeTypes)
{
    Driver().setBarCode(QStringLiteral("123456789012"));
    Driver().setLineNumber(50);
    Driver().setBarWidth(2);
    for (int type = -1; type <= 21; ++type) {
        Driver().setBarcodeType(type);
        const bool known = (type >= 0 && type <= 8) || (type >= 10 && type <= 17) || type == 20;
        EXPECT_EQ(Driver().PrintBarcodeUsingPrinter(), known ? 0 : OrvekResult::BadParameter) << type;
    }
    const auto codes = TestRegister().Paper().ItemsOf(PaperKind::Barcode);
    ASSERT_EQ(codes.size(), 18u);
    EXPECT_EQ(codes[0].Param, 0);
    EXPECT_EQ(codes[0].Details, QStringLiteral("LineNumber=50, BarWidth=2, HRIPosition=0, FontType=1"));
    const auto upca = DecodePaperItem(codes[0]);
    ASSERT_TRUE(upca);
    EXPECT_EQ(upca->Format, QStringLiteral("UPC-A"));
    EXPECT_EQ(upca->Text, QStringLiteral("123456789012"));
    EXPECT_TRUE(codes[11].Data.isEmpty());  // GS1 DataBar: no picture
}

TEST_F(GraphicsTest, TwoDimensionalCodesDecodeFromThePaper)
{
    struct Case {
        int Type;
        const char* Format;
        QString Text;
    };
    const QString cyrillic = QStringLiteral("Проверка 2D 0123456789");
    for (const Case& c : {Case{0, "PDF417", cyrillic}, Case{1, "DataMatrix", QStringLiteral("0104600000000001")},
                          Case{2, "Aztec", cyrillic}, Case{3, "QRCode", cyrillic}, Case{131, "QRCode", cyrillic}}) {
        TestRegister().Paper().Clear();
        Driver().setBarcodeType(c.Type);
        Driver().setBarcodeParameter3(c.Type == 0 ? 2 : 4);
        Driver().setBarCode(c.Text);
        ASSERT_EQ(Driver().LoadAndPrint2DBarcode(), 0) << c.Type;
        const auto codes = TestRegister().Paper().ItemsOf(PaperKind::Barcode);
        ASSERT_EQ(codes.size(), 1u);
        const auto decoded = DecodePaperItem(codes[0]);
        ASSERT_TRUE(decoded) << c.Type;
        EXPECT_EQ(decoded->Format, QString::fromLatin1(c.Format));
        EXPECT_EQ(decoded->Text, c.Text);
    }
    Driver().setBarcodeType(4);
    EXPECT_EQ(Driver().LoadAndPrint2DBarcode(), OrvekResult::BadParameter);
}

TEST_F(GraphicsTest, TwoDimensionalBytesFromBlocksOrHex)
{
    QByteArray bytes;
    for (int i = 0; i < 130; ++i)
        bytes.append(char(i * 7));
    Driver().setBlockType(0);
    for (int block = 0; block < 3; ++block) {
        Driver().setBlockNumber(block);
        Driver().setBlockDataHex(StrToHex(bytes.mid(block * 64, 64)));
        ASSERT_EQ(Driver().LoadBlockData(), 0);
    }
    Driver().setBarcodeType(3);
    Driver().setBarcodeParameter3(3);
    Driver().setBarcodeStartBlockNumber(0);
    Driver().setBarcodeDataLength(130);
    ASSERT_EQ(Driver().Print2DBarcode(), 0);
    Driver().setBarcodeDataLength(131);
    EXPECT_EQ(Driver().Print2DBarcode(), OrvekResult::BadParameter);

    // BlockDataHex written after BarCode wins; BarCode written after it wins back.
    Driver().setBarCode(QStringLiteral("text"));
    Driver().setBlockDataHex(QStringLiteral("00 FF 41"));
    ASSERT_EQ(Driver().LoadAndPrint2DBarcode(), 0);
    Driver().setBarCode(QStringLiteral("text"));
    ASSERT_EQ(Driver().LoadAndPrint2DBarcode(), 0);

    const auto codes = TestRegister().Paper().ItemsOf(PaperKind::Barcode);
    ASSERT_EQ(codes.size(), 3u);
    const QByteArray expected[] = {bytes, QByteArray("\x00\xFF\x41", 3), QByteArray("text")};
    for (int i = 0; i < 3; ++i) {
        const auto decoded = DecodePaperItem(codes[std::size_t(i)]);
        ASSERT_TRUE(decoded) << i;
        EXPECT_EQ(decoded->Bytes, expected[i]) << i;
    }

    Driver().setBlockDataHex(QStringLiteral("0"));
    EXPECT_EQ(Driver().LoadBlockData(), OrvekResult::BadParameter);
    Driver().setBlockDataHex(StrToHex(Filled(65, 'a')));
    EXPECT_EQ(Driver().LoadBlockData(), OrvekResult::BadParameter);
}

TEST_F(GraphicsTest, FaultsOnDemandReachEveryGraphicsMethod)
{
    for (M method : {M::LoadLineData, M::LoadGraphics512, M::Draw, M::LoadImage, M::PrintLine, M::PrintBarcodeGraph,
                     M::PrintBarcodeUsingPrinter, M::LoadBlockData, M::Print2DBarcode, M::LoadAndPrint2DBarcode}) {
        TestRegister().Faults().FailNext(method, 80);
        EXPECT_EQ(Driver().Invoke(method), 80);
    }
    EXPECT_TRUE(TestRegister().Paper().Items().empty());
}
