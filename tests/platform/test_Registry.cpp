#include "platform/Exceptions.h"
#include "platform/Registry.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString Key = QStringLiteral("\\SOFTWARE\\Brannic\\Tests\\Lumaq\\A4\\Param");

class RegistryTest : public ::testing::Test {
protected:
    QString dir = TestTempDir();
    QString file = dir + "/registry.reg";
    void TearDown() override { TRegistry::SetBeforeReplaceHook({}); }

    QByteArray FileBytes() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return {};
}
} // namespace

TEST_F(RegistryTest, TypedValuesSurviveTheFileAndWrongTypesRaise)
{
    {
        TRegistry reg(file);
        ASSERT_TRUE(reg.OpenKey(Key, true));
        reg.WriteInteger("PageIndex", -7);
        reg.WriteString("edtName", QString::fromUtf8("Печать \"строки\"\r\n\\x\t"));
        reg.WriteBinaryData("Raw", QByteArray("\x00\x01\xFE", 3));
        reg.WriteDateTime("Date", 45306.5);
    }
    TRegistry reg(file);
    ASSERT_TRUE(reg.OpenKey(Key, false));
    EXPECT_EQ(reg.ReadInteger("pageindex"), -7);   // names ignore case
    EXPECT_EQ(reg.ReadString("edtName"), QString::fromUtf8("Печать \"строки\"\r\n\\x\t"));
    EXPECT_EQ(reg.ReadBinaryData("Raw"), QByteArray("\x00\x01\xFE", 3));
    EXPECT_EQ(reg.ReadDateTime("Date"), 45306.5);
    EXPECT_EQ(reg.GetDataType("Date"), rdBinary);
    EXPECT_EQ(reg.GetDataType("PageIndex"), rdInteger);
    EXPECT_EQ(reg.GetDataType("edtName"), rdString);
    EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);
    EXPECT_TRUE(reg.ValueExists("Raw"));
    EXPECT_FALSE(reg.ValueExists("Missing"));

    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("edtName"); }), "Invalid data type for 'edtName'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("PageIndex"); }), "Invalid data type for 'PageIndex'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadDateTime("Raw"); }), "Invalid data type for 'Raw'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
}

TEST_F(RegistryTest, OpenKeyCreatesOnlyWhenAskedAndPathsAreRelativeToTheOpenKey)
{
    TRegistry reg(file);
    EXPECT_FALSE(reg.OpenKey(Key, false));
    EXPECT_FALSE(reg.KeyExists(Key));
    reg.CloseKey();
    EXPECT_FALSE(QFile::exists(file));   // nothing was changed, nothing written

    ASSERT_TRUE(reg.OpenKey(Key, true));
    EXPECT_TRUE(reg.KeyExists("\\software\\brannic"));   // parents exist with it
    EXPECT_TRUE(reg.OpenKey("Sub", true));
    EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\Brannic\\Tests\\Lumaq\\A4\\Param\\Sub");
    reg.WriteInteger("X", 1);
    reg.CloseKey();

    TRegistry again(file);
    EXPECT_TRUE(again.OpenKeyReadOnly(Key + "\\Sub"));
    EXPECT_EQ(again.ReadInteger("X"), 1);
    EXPECT_EQ(ErrorOf([&] { again.WriteInteger("X", 2); }), "Failed to set data for 'X'");
    EXPECT_TRUE(again.KeyExists(Key));   // an empty key made by OpenKey is kept
    EXPECT_TRUE(again.DeleteKey("\\SOFTWARE\\Brannic"));
    EXPECT_FALSE(again.KeyExists(Key + "\\Sub"));
}

TEST_F(RegistryTest, AFailedWriteKeepsThePreviousFileWhole)
{
    {
        TRegistry reg(file);
        reg.OpenKey(Key, true);
        reg.WriteString("Old", "kept");
    }
    const QByteArray before = FileBytes();
    ASSERT_FALSE(before.isEmpty());

    TRegistry reg(file);
    reg.OpenKey(Key, true);
    reg.WriteString("New", QString(100000, 'x'));
    TRegistry::SetBeforeReplaceHook([] { throw std::runtime_error("crash"); });
    EXPECT_THROW(reg.CloseKey(), std::runtime_error);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"registry.reg"});   // no stray temporary file

    TRegistry::SetBeforeReplaceHook({});
    reg.CloseKey();   // the change is still pending and goes out now
    TRegistry check(file);
    check.OpenKey(Key, false);
    EXPECT_EQ(check.ReadString("Old"), "kept");
    EXPECT_EQ(check.ReadString("New").size(), 100000);
}

TEST_F(RegistryTest, TwoWritersKeepEachOthersValues)
{
    TRegistry a(file), b(file);
    a.OpenKey(Key, true);
    b.OpenKey(Key, true);
    a.WriteInteger("A", 1);
    b.WriteInteger("B", 2);
    a.CloseKey();
    b.CloseKey();
    TRegistry check(file);
    check.OpenKey(Key, false);
    EXPECT_EQ(check.ReadInteger("A"), 1);
    EXPECT_EQ(check.ReadInteger("B"), 2);
}

TEST_F(RegistryTest, AnUnreadableFileIsKeptAsideNotLost)
{
    QDir().mkpath(dir);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{ not a registry");
    f.close();

    TRegistry reg(file);
    EXPECT_FALSE(reg.OpenKey(Key, false));
    reg.OpenKey(Key, true);
    reg.WriteInteger("A", 1);
    reg.CloseKey();
    QFile bad(file + ".bad");
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), "{ not a registry");
    TRegistry check(file);
    check.OpenKey(Key, false);
    EXPECT_EQ(check.ReadInteger("A"), 1);
}

TEST_F(RegistryTest, DefaultFileLiesUnderTheUsersConfigFolder)
{
    EXPECT_EQ(TRegistry::DefaultFileName(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/lumaq/registry.reg");
}
