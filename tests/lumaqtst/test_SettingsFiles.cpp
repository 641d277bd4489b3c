// The settings files of both programs as the user's editor or a damage
// leaves them: registry.reg, locale.ini, driver.conf and LogicalDevices.txt.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "core/settings/LangUtils.h"
#include "emulator/LogicalDevices.h"
#include "emulator/OrvekProperties.h"
#include "emulator/OrvekSettings.h"
#include "lumaqtst/Lumaq.h"
#include "lumaqtst/fmuMain.h"
#include "platform/Registry.h"
#include "platform/ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QByteArray Bom = "\xEF\xBB\xBF";
const QString Key = QStringLiteral("\\SOFTWARE\\Brannic\\Tests\\Settings");

// Each test on settings folders of its own.
class SettingsFilesTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            FSaved.emplace_back(var, qgetenv(var));
            qputenv(var, TestTempDir().toLocal8Bit());
        }
    }
    void TearDown() override
    {
        DriverTest::TearDown();
        SetProgramTitle({});
        for (const auto& [var, value] : FSaved)
            qputenv(var, value);
    }

    // The copies of damaged files beside a file.
    static QStringList BadCopies(const QString& file)
    {
        const QFileInfo info(file);
        return info.dir().entryList({info.fileName() + QStringLiteral(".*.bad")}, QDir::Files);
    }

    // What each file reads as: its value, or its device's name.
    static QString RegistryValue()
    {
        TRegistry reg;
        return reg.OpenKey(Key, false) && reg.ValueExists(QStringLiteral("A")) ? reg.ReadString(QStringLiteral("A"))
                                                                               : QString();
    }
    static QString DriverPort()
    {
        OrvekPropertyStore props;
        LoadOrvekSettings(props);
        return QString::number(props.Int(OrvekProp::ComNumber));
    }
    static QString LogicalDevice()
    {
        const LogicalDeviceList list = LogicalDeviceList::Load();
        return list.Devices.empty() ? QString() : list.Devices.front().Name;
    }

private:
    std::vector<std::pair<const char*, QByteArray>> FSaved;
};
} // namespace

// A byte-order mark that starts a settings file is read as nothing, whatever
// its first line: no notice, no copy aside, every value read; a choice written
// into locale.ini keeps it.
TEST_F(SettingsFilesTest, AByteOrderMarkStartingAFileIsReadAsNothing)
{
    const struct {
        const char* Name;
        QString (*File)();
        QString (*Read)();
        QByteArray Comment;   // a first line that holds nothing
        QByteArray Values;    // the lines that hold the value
        QString Value;
    } cases[] = {
        {"registry", &TRegistry::DefaultFileName, &RegistryValue, "; Lumaq registry\n",
         "[SOFTWARE\\Brannic\\Tests\\Settings]\n\"A\"=\"значение\"\n", QStringLiteral("значение")},
        {"locale", &GetLanguageParamsFileName, &ReadLanguage, "; language\r\n", "[Locale]\r\nLang=EN\r\n",
         QStringLiteral("EN")},
        {"driver", &OrvekSettingsFileName, &DriverPort, "# Settings of the emulated driver\n", "ComNumber=5\n",
         QStringLiteral("5")},
        {"logical devices", &LogicalDeviceList::FileName, &LogicalDevice, "\n",
         "active 1\nld 1 3 6 100 Касса -\n", QStringLiteral("Касса")},
    };
    for (const auto& c : cases) {
        for (const bool comment : {true, false}) {
            SCOPED_TRACE(std::string(c.Name) + (comment ? ", a comment first" : ", values first"));
            const QString file = c.File();
            ASSERT_TRUE(WriteBytes(file, Bom + (comment ? c.Comment : QByteArray()) + c.Values));
            TestDialogs().clear();
            EXPECT_EQ(c.Read(), c.Value);
            EXPECT_EQ(TestDialogs().messages(), QStringList());
            EXPECT_EQ(BadCopies(file), QStringList());
        }
    }
    SetLanguage(QStringLiteral("RU"));
    EXPECT_EQ(FileBytes(GetLanguageParamsFileName()), Bom + "[Locale]\r\nLang=RU\r\n");
}

// A notice about any settings file is titled with the program's title, the
// one its window's caption begins with, from the start on: before the main
// window, while the application title is still the start-up one, and after.
TEST_F(SettingsFilesTest, EveryNoticeAboutASettingsFileIsTitledWithTheProgram)
{
    // Each file with a line that cannot be read (locale.ini: a folder in its place).
    ASSERT_TRUE(WriteBytes(TRegistry::DefaultFileName(), "[SOFTWARE\\Brannic]\nnot a value\n"));
    ASSERT_TRUE(QDir().mkpath(GetLanguageParamsFileName()));
    ASSERT_TRUE(WriteBytes(OrvekSettingsFileName(), "ComNumber=5\nnot a setting\n"));
    ASSERT_TRUE(WriteBytes(LogicalDeviceList::FileName(), "active 0\nnot a device\n"));

    StartLumaqTst();
    ASSERT_EQ(ApplicationTitle(), QStringLiteral("Brannic: Driver test"));
    ReadLanguage();
    RegistryValue();
    {
        TLumaqForms forms;   // its driver reads driver.conf
        ASSERT_EQ(ApplicationTitle(), LumaqTstTitle);
        LogicalDevice();
    }
    const auto& shown = TestDialogs().shown();
    ASSERT_EQ(shown.size(), 4u) << TestDialogs().messages().join('|').toStdString();
    for (const auto& s : shown) {
        EXPECT_EQ(s.message.caption, LumaqTstTitle) << s.message.text.toStdString();
        EXPECT_EQ(s.message.icon, Dialogs::Icon::Warning);
    }
}
