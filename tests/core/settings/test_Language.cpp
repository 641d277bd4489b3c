#include "core/settings/DriverTypes.h"
#include "core/settings/LangUtils.h"
#include "core/settings/ResStrings.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
void WriteLocale(const QByteArray& text)
{
    QFile f(GetLanguageParamsFileName());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}
} // namespace

TEST(Language, DriverFolderLiesUnderTheUsersDataFolder)
{
    const QString expected = qEnvironmentVariable("XDG_DATA_HOME") + "/KORVEL/Orvek";
    EXPECT_EQ(GetUserKorvelPath(), expected);
    EXPECT_TRUE(QDir(expected).exists());
    EXPECT_EQ(GetLanguageParamsFileName(), expected + "/locale.ini");
}

TEST(Language, ChoiceIsWrittenOnAFreshProfileWithoutADataFolder)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QString fresh = TestTempDir() + "/fresh/.local/share";
    qputenv("XDG_DATA_HOME", fresh.toLocal8Bit());
    EXPECT_NO_THROW(SetLanguage("EN"));
    EXPECT_EQ(ReadLanguage(), "EN");
    EXPECT_TRUE(QFile::exists(fresh + "/KORVEL/Orvek/locale.ini"));
    qputenv("XDG_DATA_HOME", saved);
}

TEST(Language, OnlyExactlyENGivesEnglish)
{
    QFile::remove(GetLanguageParamsFileName());
    EXPECT_EQ(ReadLanguage(), "RU");
    EXPECT_FALSE(QFile::exists(GetLanguageParamsFileName()));   // reading creates nothing

    struct Case { const char* text; const char* expected; };
    for (const Case c : {Case{"[Locale]\r\nLang=EN\r\n", "EN"}, Case{"[Locale]\r\nLang=en\r\n", "RU"},
                         Case{"[Locale]\r\nLang=RU\r\n", "RU"}, Case{"[Locale]\r\nLang=DE\r\n", "RU"},
                         Case{"[Locale]\r\n", "RU"}, Case{"[Other]\r\nLang=EN\r\n", "RU"}}) {
        WriteLocale(c.text);
        EXPECT_EQ(ReadLanguage(), c.expected) << c.text;
    }
}

TEST(Language, ChoiceIsWrittenEachTimeButTheRunKeepsItsStartValue)
{
    QFile::remove(GetLanguageParamsFileName());
    const QString atStart = GetLanguage();
    EXPECT_EQ(atStart, "RU");
    SetLanguage("EN");
    EXPECT_EQ(ReadLanguage(), "EN");
    SetLanguage("RU");
    EXPECT_EQ(ReadLanguage(), "RU");
    SetLanguage("EN");
    EXPECT_EQ(GetLanguage(), atStart);

    QFile f(GetLanguageParamsFileName());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("[Locale]"));
    EXPECT_TRUE(text.contains("Lang=EN"));
}

// The file is the driver's, in the ANSI code page: choosing a language
// changes the bytes of that one line and keeps every other byte.
TEST(Language, ChoosingKeepsEveryOtherByteOfTheFile)
{
    const QByteArray head = "[\xCF\xF0\xEE\xF7\xE5\xE5]\r\nName=\xCA\xE0\xF1\xF1\xE0 \x98\r\n\n[Locale]\r\n";
    const QByteArray tail = "\r\nNote=\xFF\xE9\r\n[Last]\nX=\xC0";
    WriteLocale(head + "Lang=RU" + tail);
    SetLanguage("EN");
    EXPECT_EQ(FileBytes(GetLanguageParamsFileName()), head + "Lang=EN" + tail);
    EXPECT_EQ(ReadLanguage(), "EN");
}

TEST(Language, ResourceTextsAreShownAsWritten)
{
    EXPECT_EQ(GetRes("мс"), QString::fromUtf8("мс"));
    EXPECT_EQ(Translate("Состояние ФН"), QString::fromUtf8("Состояние ФН"));
}
