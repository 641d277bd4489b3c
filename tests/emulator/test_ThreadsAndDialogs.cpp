// Calls from worker threads, and the component's own dialogs.
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/OrvekSettings.h"
#include "platform/KeptFile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QCoreApplication>
#include <QTreeWidget>
#include <atomic>
#include <thread>

using M = OrvekMethod;

class ThreadTest : public DriverTest {};

TEST_F(ThreadTest, WorkerAndUiThreadCallOneDriverObjectAtOnce)
{
    const int n = 2000;
    Driver().setStringForPrinting(QStringLiteral("ui"));
    std::atomic<int> workerFailures{0};
    std::thread worker([&] {
        for (int i = 0; i < n; ++i) {
            if (Driver().GetShortECRStatus() != 0)
                ++workerFailures;
            if (Driver().ECRModeDescription().isEmpty())
                ++workerFailures;
        }
    });
    int uiFailures = 0;
    for (int i = 0; i < n; ++i)
        if (Driver().PrintString() != 0 || Driver().ResultCodeDescription().isEmpty())
            ++uiFailures;
    worker.join();
    EXPECT_EQ(workerFailures, 0);
    EXPECT_EQ(uiFailures, 0);
    EXPECT_EQ(TestRegister().CallCount(M::GetShortECRStatus), n);
    EXPECT_EQ(TestRegister().CallCount(M::PrintString), n);
    EXPECT_EQ(TestRegister().Paper().Texts(), QStringList(n, QStringLiteral("ui")));
}

TEST_F(ThreadTest, TwoDriverObjectsOnTwoThreadsShareTheRegister)
{
    const int n = 1000;
    std::thread worker([&] {
        TOrvek own;
        own.setStringForPrinting(QStringLiteral("worker"));
        for (int i = 0; i < n; ++i)
            own.PrintString();
    });
    Driver().setStringForPrinting(QStringLiteral("ui"));
    for (int i = 0; i < n; ++i)
        Driver().PrintString();
    worker.join();
    QStringList texts = TestRegister().Paper().Texts();
    EXPECT_EQ(texts.size(), 2 * n);
    EXPECT_EQ(texts.count(QStringLiteral("ui")), n);
    EXPECT_EQ(texts.count(QStringLiteral("worker")), n);
}

class DialogTest : public DriverTest {};

TEST_F(DialogTest, PropertiesDialogChangesTheSettingsOnlyWhenAccepted)
{
    QString checkText;
    ScriptOrvekDialog([&](QDialog& d) {
        auto* type = d.findChild<QComboBox*>(QStringLiteral("cbConnectionType"));
        type->setCurrentIndex(type->findData(6));
        d.findChild<QLineEdit*>(QStringLiteral("edtIPAddress"))->setText(QStringLiteral("127.0.0.1"));
        d.findChild<QSpinBox*>(QStringLiteral("seTCPPort"))->setValue(7778);
        d.findChild<QLineEdit*>(QStringLiteral("edtPassword"))->setText(QStringLiteral("29"));
        d.findChild<QPushButton*>(QStringLiteral("btnCheckConnection"))->click();
        checkText = d.findChild<QLabel*>(QStringLiteral("lblCheckResult"))->text();
        return int(QDialog::Accepted);
    });
    ASSERT_EQ(Driver().ShowProperties(), 0);
    EXPECT_TRUE(checkText.startsWith(QStringLiteral("Связь установлена"))) << checkText.toStdString();
    EXPECT_EQ(Driver().ConnectionType(), 6);
    EXPECT_EQ(Driver().Password(), 29);
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(Driver().OperatorNumber(), 29);

    ScriptOrvekDialog([&](QDialog& d) {
        d.findChild<QSpinBox*>(QStringLiteral("seTCPPort"))->setValue(9999);
        d.findChild<QPushButton*>(QStringLiteral("btnCheckConnection"))->click();
        checkText = d.findChild<QLabel*>(QStringLiteral("lblCheckResult"))->text();
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(Driver().ShowProperties(), 0);
    EXPECT_EQ(checkText, QStringLiteral("Нет связи"));
    EXPECT_EQ(Driver().TCPPort(), 7778);
    EXPECT_EQ(UnexpectedOrvekDialogs(), 0);

    // Without a script the dialog is answered Cancel and nothing blocks.
    ASSERT_EQ(Driver().ShowProperties(), 0);
    EXPECT_EQ(UnexpectedOrvekDialogs(), 1);
    SetOrvekDialogRunner(nullptr);  // the programs' runner: shows nothing while dialogs are scripted
    ASSERT_EQ(Driver().ShowProperties(), 0);
}

TEST_F(DialogTest, TablesDialogWritesEditedValuesToTheRegister)
{
    auto editField = [](QDialog& d, int table, int row, int field, const QString& text) {
        auto* tables = d.findChild<QTreeWidget*>(QStringLiteral("lvTables"));
        tables->setCurrentItem(tables->topLevelItem(table - 1));
        d.findChild<QSpinBox*>(QStringLiteral("seRow"))->setValue(row);
        auto* fields = d.findChild<QTreeWidget*>(QStringLiteral("lvFields"));
        fields->topLevelItem(field - 1)->setText(3, text);
        QCoreApplication::processEvents();   // a refused value is put back after the change
        return fields->topLevelItem(field - 1)->text(3);
    };
    QString shown;
    ScriptOrvekDialog([&](QDialog& d) {
        editField(d, 17, 1, 12, QStringLiteral("77"));
        editField(d, 2, 5, 2, QStringLiteral("Иванов"));
        shown = editField(d, 1, 1, 1, QStringLiteral("abc"));  // refused: not a number
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(Driver().ShowTablesDlg(), 0);
    EXPECT_EQ(TestRegister().Tables().Value(17, 1, 12), QVariant(77));
    EXPECT_EQ(TestRegister().Tables().Value(2, 5, 2), QVariant(QStringLiteral("Иванов")));
    EXPECT_EQ(TestRegister().Tables().Value(1, 1, 1), QVariant(1));
    EXPECT_EQ(shown, QStringLiteral("1"));
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("(51) Некорректные параметры в команде"));
}

// A refused value typed in the field's editor: the list shows the register's
// value again and Qt has nothing to warn about.
TEST_F(DialogTest, ARefusedValueTypedInTheEditorIsPutBackQuietly)
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler before = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        // The headless platform's own note on shown windows is no fault.
        if (type != QtDebugMsg && type != QtInfoMsg && !text.contains(QStringLiteral("propagateSizeHints")))
            warnings << text;
    });
    QString shown;
    ScriptOrvekDialog([&](QDialog& d) {
        d.show();
        auto* tables = d.findChild<QTreeWidget*>(QStringLiteral("lvTables"));
        tables->setCurrentItem(tables->topLevelItem(0));
        auto* fields = d.findChild<QTreeWidget*>(QStringLiteral("lvFields"));
        fields->editItem(fields->topLevelItem(0), 3);
        auto* editor = fields->viewport()->findChild<QLineEdit*>();
        if (!editor)
            return int(QDialog::Rejected);
        editor->setText(QStringLiteral("abc"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();   // the editor's commit comes queued
        QCoreApplication::processEvents();   // and the refusal after it
        shown = fields->topLevelItem(0)->text(3);
        return int(QDialog::Rejected);
    });
    ASSERT_EQ(Driver().ShowTablesDlg(), 0);
    qInstallMessageHandler(before);
    EXPECT_EQ(shown, QStringLiteral("1"));
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("(51) Некорректные параметры в команде"));
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
}

// The driver's own settings outlive the driver object, as a real driver's do.
class DriverSettingsTest : public DriverTest {};

TEST_F(DriverSettingsTest, ConnectionChosenInThePropertiesDialogIsThereAtTheNextStart)
{
    ScriptOrvekDialog([](QDialog& d) {
        auto* type = d.findChild<QComboBox*>(QStringLiteral("cbConnectionType"));
        type->setCurrentIndex(type->findData(6));
        d.findChild<QLineEdit*>(QStringLiteral("edtComputerName"))->setText(QStringLiteral("касса=1\n#2"));
        d.findChild<QSpinBox*>(QStringLiteral("seTCPPort"))->setValue(7778);
        d.findChild<QSpinBox*>(QStringLiteral("seTimeout"))->setValue(250);
        d.findChild<QSpinBox*>(QStringLiteral("seTCPConnectionTimeout"))->setValue(3000);
        return int(QDialog::Accepted);
    });
    ASSERT_EQ(Driver().ShowProperties(), 0);
    // Saved on OK: another driver object made now has them.
    EmulatedOrvek other;
    EXPECT_EQ(other.Props().Int(OrvekProp::ConnectionType), 6);
    EXPECT_EQ(other.Props().Str(OrvekProp::ComputerName), QStringLiteral("касса=1\n#2"));

    Driver().setBaudRate(4);
    Driver().setComNumber(3);
    Driver().setUseIPAddress(true);
    Driver().setConnectionTimeout(7);
    FreeDriver();   // freeing saves too
    EXPECT_EQ(Driver().ConnectionType(), 6);
    EXPECT_EQ(Driver().IPAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Driver().ComputerName(), QStringLiteral("касса=1\n#2"));
    EXPECT_TRUE(Driver().UseIPAddress());
    EXPECT_EQ(Driver().TCPPort(), 7778);
    EXPECT_EQ(Driver().Timeout(), 250);
    EXPECT_EQ(Driver().TCPConnectionTimeout(), 3000);
    EXPECT_EQ(Driver().ConnectionTimeout(), 7);
    EXPECT_EQ(Driver().ComNumber(), 3);
    EXPECT_EQ(Driver().BaudRate(), 4);
    EXPECT_EQ(Driver().Password(), 30);   // not a connection setting
    // The bench still decides what answers there.
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_EQ(TestComponent().ConnectedRegister().get(), &TestRegister());
    Driver().setTCPPort(7790);
    FreeDriver();
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::NoLink);
}

TEST_F(DriverSettingsTest, SaveParamsWritesAndReportsAFailure)
{
    Driver().setComNumber(5);
    ASSERT_EQ(Driver().SaveParams(), 0);
    EXPECT_EQ(EmulatedOrvek().Props().Int(OrvekProp::ComNumber), 5);

    // The file cannot be written: the code and the reason; the object goes on.
    const QString file = OrvekSettingsFileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file));   // a folder where the file should be
    EXPECT_EQ(Driver().SaveParams(), OrvekResult::SettingsNotSaved);
    EXPECT_TRUE(Driver().ResultCodeDescription().startsWith(QStringLiteral("Не удалось сохранить настройки драйвера: ")))
        << Driver().ResultCodeDescription().toStdString();
    EXPECT_TRUE(Driver().ResultCodeDescription().contains(file));
    FreeDriver();   // a failed save at the end is passed over
    ASSERT_TRUE(QDir(file).removeRecursively());
}

// The file is kept as the registry is: read whole up to a bound far above
// any real file, a larger one moved aside, a damaged one copied aside, one
// that cannot be read never written over, a failed save at the end shown.
TEST_F(DriverSettingsTest, TheFileIsNeverLostOrWrittenOverUnread)
{
    const QString file = OrvekSettingsFileName();
    const QDir dir = QFileInfo(file).dir();
    const auto copies = [&] { return dir.entryList({QStringLiteral("driver.conf.*.bad")}, QDir::Files); };
    const auto told = [](const QString& start) {
        for (const QString& message : TestDialogs().messages())
            if (message.startsWith(start))
                return testing::AssertionSuccess();
        return testing::AssertionFailure() << TestDialogs().messages().join('\n').toStdString();
    };

    const qsizetype copiesBefore = copies().size();

    // 100 KB with a long comment: read, the port kept.
    ASSERT_TRUE(WriteBytes(file, "ComNumber=7\n# " + QByteArray(100000, 'x') + "\n"));
    FreeDriver();
    EXPECT_EQ(Driver().ComNumber(), 7);

    // Beyond the bound: moved aside unread, told.
    FreeDriver();
    {
        QFile f(file);
        ASSERT_TRUE(f.resize(MaxSettingsFileSize + 1));   // sparse: no disk used
    }
    EXPECT_EQ(Driver().ComNumber(), 1);
    EXPECT_EQ(copies().size(), copiesBefore + 1);
    EXPECT_TRUE(told(QStringLiteral("Файл настроек %1 слишком велик (%2 байт): он сохранён как ")
                         .arg(file, QString::number(MaxSettingsFileSize + 1))));

    // A line that does not read: the rest read, a copy kept, told.
    FreeDriver();
    const QByteArray damaged = "ComNumber=x\nBaudRate=3\n";
    ASSERT_TRUE(WriteBytes(file, damaged));
    EXPECT_EQ(Driver().BaudRate(), 3);
    EXPECT_TRUE(told(QStringLiteral("Файл настроек %1 повреждён: строк не прочитано 1 (первая — строка 1).").arg(file)));
    EXPECT_EQ(copies().size(), copiesBefore + 2);

    // Unreadable: never written over.
    FreeDriver();
    const QByteArray stored = "ComNumber=4\n";
    ASSERT_TRUE(WriteBytes(file, stored));
    QFile::setPermissions(file, {});
    {
        TPermissionsApply permissions;
        Driver().setComNumber(9);
        FreeDriver();
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(FileBytes(file), stored);
    EXPECT_TRUE(told(QStringLiteral("Файл настроек %1 не читается: ").arg(file)));

    // A full disk at the end: the file as it was, the user told once.
    EXPECT_EQ(Driver().ComNumber(), 4);
    Driver().setComNumber(8);
    const qsizetype shown = TestDialogs().messages().size();
    {
        TFullDisk full(4);
        FreeDriver();
    }
    EXPECT_EQ(FileBytes(file), stored);
    EXPECT_EQ(TestDialogs().messages().size(), shown + 1);
    EXPECT_TRUE(told(QStringLiteral("Не удалось сохранить настройки драйвера: ")));
}

TEST_F(DriverSettingsTest, LinesThatDoNotReadKeepTheStartUpValues)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(OrvekSettingsFileName()).path()));
    QFile f(OrvekSettingsFileName());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("# a comment\nComNumber=x\nBaudRate=3\nUseIPAddress=yes\nPassword=1\nTCPPort\n=5\n"
            "ConnectionType = 6\nIPAddress=10.0.0.%32\n");
    f.close();
    FreeDriver();
    EXPECT_EQ(Driver().ComNumber(), 1);
    EXPECT_EQ(Driver().BaudRate(), 3);
    EXPECT_FALSE(Driver().UseIPAddress());
    EXPECT_EQ(Driver().Password(), 30);
    EXPECT_EQ(Driver().TCPPort(), 7778);
    EXPECT_EQ(Driver().ConnectionType(), 6);
    EXPECT_EQ(Driver().IPAddress(), QStringLiteral("10.0.0.2"));
}
