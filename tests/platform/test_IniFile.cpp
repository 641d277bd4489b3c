#include "platform/Exceptions.h"
#include "platform/IniFile.h"
#include "platform/KeptFile.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(IniFile, WritesOneKeyAndKeepsTheRestOfTheFile)
{
    const QString name = TestTempDir() + "/locale.ini";
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("; comment\r\n[Other]\r\nLang=XX\r\n\r\n[LOCALE]\r\nlang=RU\r\nKeep=1\r\n");
    }
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("Locale", "Lang", "?"), "RU");   // names ignore case
    ini.WriteString("Locale", "Lang", "EN");
    ini.WriteString("Locale", "New", "2");
    ini.WriteString("Third", "A", "b");
    EXPECT_EQ(ini.ReadString("Locale", "Lang", "?"), "EN");
    EXPECT_EQ(ini.ReadString("Other", "Lang", "?"), "XX");
    EXPECT_EQ(ini.ReadString("Locale", "Missing", "?"), "?");
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "; comment\r\n[Other]\r\nLang=XX\r\n\r\n[LOCALE]\r\nLang=EN\r\nKeep=1\r\nNew=2\r\n[Third]\r\nA=b\r\n");
}

TEST(IniFile, AFileThatCannotBeWrittenRaises)
{
    TIniFile ini(TestTempDir() + "/missing-folder/locale.ini");
    EXPECT_EQ(ini.ReadString("Locale", "Lang", "RU"), "RU");
    EXPECT_THROW(ini.WriteString("Locale", "Lang", "EN"), EIniFileException);
}

// A full disk or a file that cannot be read: the write raises and the file
// stays as it was.
TEST(IniFile, AFailedWriteKeepsTheFile)
{
    const QString name = TestTempDir() + "/locale.ini";
    const QByteArray before = "[Locale]\r\nLang=EN\r\nKeep=1\r\n";
    ASSERT_TRUE(WriteBytes(name, before));
    TIniFile ini(name);
    {
        TFullDisk full(16);
        EXPECT_THROW(ini.WriteString("Locale", "Lang", "RU"), EIniFileException);
    }
    EXPECT_EQ(FileBytes(name), before);

    QFile::setPermissions(name, {});
    {
        TPermissionsApply permissions;
        EXPECT_EQ(ini.ReadString("Locale", "Lang", "RU"), "RU");
        EXPECT_THROW(ini.WriteString("Locale", "Lang", "RU"), EIniFileException);
    }
    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(FileBytes(name), before);
}

// A FIFO in the file's place is no file: the read does not wait for a
// writer, and nothing is written over it. A file beyond the bound is moved
// aside unread and told.
TEST(IniFile, OnlyARegularFileOfBoundedSizeIsRead)
{
    const QString dir = TestTempDir();
    const QString name = dir + "/locale.ini";
    ASSERT_EQ(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("Locale", "Lang", "RU"), "RU");
    EXPECT_THROW(ini.WriteString("Locale", "Lang", "EN"), EIniFileException);
    EXPECT_TRUE(QFileInfo(name).exists() && !QFileInfo(name).isFile());
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Файл настроек " + name + " не читается: "))
        << TestDialogs().lastMessage().toStdString();
    ASSERT_TRUE(QFile::remove(name));

    ASSERT_TRUE(WriteBytes(name, "[Locale]\r\nLang=EN\r\n"));
    {
        QFile f(name);
        ASSERT_TRUE(f.resize(MaxSettingsFileSize + 1));   // sparse: no disk used
    }
    EXPECT_EQ(ini.ReadString("Locale", "Lang", "RU"), "RU");
    const QStringList aside = QDir(dir).entryList({"locale.ini.*.bad"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(QFileInfo(dir + "/" + aside[0]).size(), MaxSettingsFileSize + 1);
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith(
        QString("Файл настроек %1 слишком велик (%2 байт): он сохранён как ").arg(name).arg(MaxSettingsFileSize + 1)));
    ini.WriteString("Locale", "Lang", "EN");
    EXPECT_EQ(FileBytes(name), "[Locale]\r\nLang=EN\r\n");
}
