// The pages "Шрифты" and "Загрузчик" against the emulated register.
#include "pages/service/fmuFont.h"
#include "pages/service/fmuLoader.h"

#include "emulator/FontFile.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterBoard.h"
#include "emulator/RegisterPaper.h"
#include "emulator/RegisterPrinter.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

using M = OrvekMethod;

namespace {
QString Line(const char* name, int value)
{
    return QLatin1Char(' ') + QString::fromUtf8(name).leftJustified(24) + QStringLiteral(": ") + QString::number(value);
}

class FontPageTest : public PageTest<TfmFont> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ClearPaperAndTrace();
    }
    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    RegisterPrinter& Printer() { return TestRegister().Area<RegisterPrinter>(); }
};
} // namespace

TEST_F(FontPageTest, OneFontsMetrics)
{
    Page->btnGetFontMetrics->click();
    EXPECT_EQ(Lines(), (QStringList{{}, " Ширина печати в точках  : 576", Line("Ширина символа в точках", 12),
                                    Line("Высота символа в точках", 24), Line("Количество шрифтов", 7),
                                    " Символов в строке       : 48"}));
    Printer().Fonts[1].CharWidth = 0;
    Page->seFontType->setValue(2);
    Page->btnGetFontMetrics->click();
    EXPECT_EQ(Lines().size(), 5);
    EXPECT_EQ(Lines()[2], Line("Ширина символа в точках", 0));
    Page->seFontType->setValue(8);
    Page->btnGetFontMetrics->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
}

TEST_F(FontPageTest, AllFontsMetrics)
{
    Printer().Fonts[6].CharWidth = 0;
    Page->btnGetFontsMetrics->click();
    const QStringList lines = Lines();
    EXPECT_EQ(lines.size(), 2 + 7 * 6 - 1);
    EXPECT_EQ(lines.mid(0, 9), (QStringList{{}, Line("Количество шрифтов", 7), QLatin1Char(' ') + QString(33, QLatin1Char('-')),
                                            Line("Номер шрифта", 1), Line("Ширина печати в точках", 576),
                                            Line("Ширина символа в точках", 12), Line("Высота символа в точках", 24),
                                            Line("Символов в строке", 48), QLatin1Char(' ') + QString(33, QLatin1Char('-'))}));
    EXPECT_EQ(lines.last(), Line("Высота символа в точках", 16));
    // A failure in the loop ends it after the fonts read so far.
    TestRegister().Faults().FailOnCall(M::GetFontMetrics, 3, 80);
    Page->btnGetFontsMetrics->click();
    EXPECT_EQ(Lines().size(), 2 + 6);
}

TEST_F(FontPageTest, TestPrintShowsEveryCode)
{
    Page->btnTestPrint->click();
    const QStringList texts = TestRegister().Paper().Texts();
    ASSERT_EQ(texts.size(), 17);
    EXPECT_EQ(texts[0], QStringLiteral("Шрифт 1"));
    QString controls = QStringLiteral("0x00 ");
    for (char16_t code = 0; code < 16; ++code)
        controls += QChar(code);
    EXPECT_EQ(texts[1], controls);
    EXPECT_EQ(texts[5], QStringLiteral("0x40 @ABCDEFGHIJKLMNO"));
    EXPECT_EQ(texts[16].left(5), QStringLiteral("0xF0 "));
    const auto feeds = TestRegister().Paper().ItemsOf(PaperKind::Feed);
    ASSERT_EQ(feeds.size(), 1u);
    EXPECT_EQ(feeds[0].Param, 15);
}

TEST_F(FontPageTest, TestPrintStopsAtTheFirstFailure)
{
    for (int row : {0, 7}) {
        TestRegister().Paper().Clear();
        TestRegister().Faults().FailOnCall(M::PrintStringWithFont, row + 2, 107);
        Page->btnTestPrint->click();
        EXPECT_EQ(TestRegister().Paper().Texts().size(), row + 1) << row;
        EXPECT_TRUE(TestRegister().Paper().ItemsOf(PaperKind::Feed).empty());
        EXPECT_EQ(Driver().ResultCode(), 107);
        EXPECT_TRUE(Page->btnTestPrint->isEnabled());
    }
}

TEST_F(FontPageTest, LoadFontHashAndReset)
{
    const QString good = WriteTestFile(QStringLiteral("small.spf"), MakeFontFile(10, 20));
    QByteArray truncated = MakeFontFile(10, 20);
    truncated.chop(1);
    TestDialogs().answerFile(WriteTestFile(QStringLiteral("bad.spf"), truncated));
    Page->btnLoadFont->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("Ошибка загрузки шрифта"));
    EXPECT_FALSE(Printer().Font(9));

    Page->btnReadFontHash->click();
    const QString emptyHash = Page->Memo->toPlainText();
    TestDialogs().answerFile(good);
    Page->btnLoadFont->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("Шрифт загружен"));
    ASSERT_TRUE(Printer().Font(9));
    EXPECT_EQ(Printer().Font(9)->CharWidth, 10);
    Page->btnReadFontHash->click();
    EXPECT_EQ(Page->Memo->toPlainText().size(), 32);
    EXPECT_NE(Page->Memo->toPlainText(), emptyHash);

    Page->btnResetFont->click();
    EXPECT_FALSE(Printer().Font(9));
    // Cancelling the dialog loads nothing.
    TestDialogs().answerFile(QString());
    Page->btnLoadFont->click();
    EXPECT_EQ(TestRegister().CallCount(M::LoadFont), 2);
}

TEST_F(FontPageTest, SmallFontLiesBesideTheProgramsFolder)
{
    const QString name = TfmFont::GetSmallFontFileName();
    EXPECT_TRUE(name.endsWith(QStringLiteral("/Fonts/font_9.spf")));
    ASSERT_TRUE(QFileInfo::exists(name)) << name.toStdString();
    Page->btnLoadSmallFont->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("Шрифт загружен"));
    ASSERT_TRUE(Printer().Font(9));
    TestRegister().Faults().FailNext(M::LoadFont, -1);
    Page->btnLoadSmallFont->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QStringLiteral("Ошибка загрузки шрифта"));
}

TEST_F(DriverTest, LoaderVersion)
{
    TfmLoader page;
    TestRegister().Faults().FailNext(M::ReadLoaderVersion, -1);
    page.btnReadLoaderVersion->click();
    EXPECT_EQ(page.edtLoaderVersion->text(), QString());
    TestRegister().Area<RegisterBoard>().LoaderVersion = QStringLiteral("2.04");
    page.btnReadLoaderVersion->click();
    EXPECT_EQ(page.edtLoaderVersion->text(), QStringLiteral("2.04"));
}
