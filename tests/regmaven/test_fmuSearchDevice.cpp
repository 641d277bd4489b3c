// The COM port search: port enumeration, one search per port, the page's
// rows and states, stopping, and the firmware-date gate of Next.
#include "core/binding/OrvekCodes.h"
#include "tests/regmaven/WizardTestSupport.h"
#include "regmaven/fmuSearchDevice.h"
#include "regmaven/fmuSelectWorkType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace Regmaven;

namespace {

class SearchTest : public WizardTest {
protected:
    // The bench: one register per (COM, baud), no TCP.
    void Registers(const QList<std::pair<int, int>>& ports)
    {
        Bench().Clear();
        for (const auto& [com, baud] : ports) {
            RegisterConfig c;
            c.Name = QStringLiteral("COM%1").arg(com);
            c.ComNumber = com;
            c.BaudRate = baud;
            c.Host.clear();
            c.Serial = QStringLiteral("00000000000000%1").arg(com, 2, 10, QLatin1Char('0'));
            c.SoftDate = FSoftDate;
            Bench().Add(c);
        }
    }
    // Port sources listing these COM numbers.
    void Ports(const QList<int>& numbers)
    {
        SetPortSources({[numbers] {
            QList<TPortDevice> devices;
            for (int n : numbers)
                devices << TPortDevice{QStringLiteral("Port (COM%1)").arg(n), "ACPI\\PNP0501"};
            return devices;
        }});
    }
    TfmSearchDevice& ShowSearchPage()
    {
        Form();
        Next();
        EXPECT_EQ(Next(), "Поиск устройств");
        return Page<TfmSearchDevice>();
    }
    QStringList Rows()
    {
        QStringList rows;
        auto* list = Page<TfmSearchDevice>().lvDevices;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0);
        return rows;
    }
    QStringList States()
    {
        QStringList states;
        for (const auto& device : Page<TfmSearchDevice>().SearchDevices())
            states << device->GetState().Text;
        return states;
    }

    QDate FSoftDate = QDate(2023, 11, 20);
};

} // namespace

TEST(EnumPorts, NamesAndHardwareIds)
{
    struct Case {
        QString friendly, hw;
        int com, vid, pid;
    };
    const QList<Case> cases = {
        {"USB-SERIAL CH340 (COM12)  ", "USB\\VID_1A86&PID_7523&REV_0254 ", 12, 0x1A86, 0x7523},
        {"Printer Port (LPT1)", "ACPI\\PNP0400", -1, 0, 0},
        {"Odd (LPT2) (COM4)", "X", -1, 0, 0},
        {"No number (COM)", "X", -1, 0, 0},
        {"Unclosed (COM5", "X", -1, 0, 0},
        {"Plain name", "X", -1, 0, 0},
        {"Modem (COM7)", "usb\\vid_0e8d&pid_0003", 7, 0x0E8D, 0x0003},
        {"Gadget (COM8)", "USB\\VID_ZZ12&PID_2012", 8, 0, 0x2012},
        {"Pid only (COM9)", "USB\\PID_2012", 9, 0, 0},
        {"Duplicate (COM12)", "USB\\VID_1111&PID_2222", -2, 0, 0},  // COM12 listed already
    };
    QList<TPortDevice> devices;
    for (const Case& c : cases)
        devices << TPortDevice{c.friendly, c.hw};
    const auto saved = SetPortSources({[devices] { return devices; }});
    TSerialPorts ports;
    ports.EnumPorts();
    SetPortSources(saved);
    QList<Case> expected;
    for (const Case& c : cases)
        if (c.com >= 0)
            expected << c;
    ASSERT_EQ(ports.size(), expected.size());
    for (int i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].ComNumber, expected[i].com);
        EXPECT_EQ(ports[i].Name, QStringLiteral("COM%1").arg(expected[i].com));
        EXPECT_EQ(ports[i].VendorId(), expected[i].vid) << i;
        EXPECT_EQ(ports[i].ProductId(), expected[i].pid) << i;
    }
    EXPECT_EQ(ports[0].FriendlyName, "USB-SERIAL CH340 (COM12)");
    EXPECT_EQ(ports[0].HWStr, "USB\\VID_1A86&PID_7523&REV_0254");
    EXPECT_EQ(ComNumberOfTty("ttyS0"), 1);
    EXPECT_EQ(ComNumberOfTty("ttyUSB0"), 33);
    EXPECT_EQ(ComNumberOfTty("ttyACM1"), 66);
    EXPECT_EQ(ComNumberOfTty("tty0"), -1);
}

TEST_F(SearchTest, FindsARegisterAtASlowRateAfterTheFasterOnes)
{
    Registers({{3, 9600}});
    Ports({3});
    ShowSearchPage();
    auto& search = static_cast<TOrvekSearchDevice&>(*Page<TfmSearchDevice>().SearchDevices().at(0));
    FinishSearch();
    EXPECT_EQ(Rows(), QStringList{"Эмулятор ККТ, COM3, 9600, ЗН: 0000000000000003"});
    EXPECT_EQ(Page<TfmSearchDevice>().lblStatus->text(), "Поиск завершен");
    EXPECT_TRUE(Page<TfmSearchDevice>().btnStart->isEnabled());
    EXPECT_FALSE(Page<TfmSearchDevice>().btnStop->isEnabled());
    // The rates tried, in order, until the register answered.
    QList<int> tried;
    for (const OrvekTracedCall& call : EmulatedComponentOf(search.Device())->Trace().Calls())
        if (call.Method == OrvekMethod::LockPort)
            for (const auto& [prop, value] : call.Written)
                if (prop == OrvekProp::BaudRate)
                    tried << EmulatedOrvek::BaudOfCode(value.toInt());
    EXPECT_EQ(tried, (QList<int>{115200, 4800, 230400, 460800, 921600, 57600, 19200, 9600}));
    EXPECT_EQ(search.GetParams().Baudrate, 9600);
    EXPECT_EQ(search.GetState().DeviceID, 17);

    EXPECT_TRUE(Page<TfmSearchDevice>().lvDevices->selectedItems().isEmpty());
    // No row chosen: Next stays.
    EXPECT_FALSE(FForm->btnNext->isEnabled());
    Controller().NextPageClass = {};
    Page<TfmSearchDevice>().Next();
    EXPECT_FALSE(Controller().NextPageClass);

    Page<TfmSearchDevice>().lvDevices->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(FForm->btnNext->isEnabled());
    EXPECT_EQ(Next(), "Выберите тип работы");
    EXPECT_EQ(Regmaven::Driver().ComNumber(), 3);
    EXPECT_EQ(Regmaven::Driver().BaudRate(), 2);
    EXPECT_EQ(Controller().KKTSN, "0000000000000003");
    EXPECT_EQ(Controller().KKTName, "Эмулятор ККТ");
}

TEST_F(SearchTest, NoRegisterAnywhere)
{
    Registers({});
    Ports({1, 2, 5});
    ShowSearchPage();
    FinishSearch();
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(States(), (QStringList{"Не найдено", "Не найдено", "Не найдено"}));
    EXPECT_EQ(Page<TfmSearchDevice>().lblStatus->text(), "Поиск завершен");
}

// The port held by another driver object (-2) or another program (-3): the
// register is there and busy, shown so and not to be chosen.
TEST_F(SearchTest, RegisterHeldElsewhereIsShownBusy)
{
    for (bool otherProgram : {false, true}) {
        SCOPED_TRACE(otherProgram ? "another program" : "another driver object");
        Registers({{3, 115200}});
        Ports({3});
        TOrvek other;
        if (otherProgram) {
            Bench().RegisterByName("COM3")->Faults().FailNext(OrvekMethod::LockPort, OrvekResult::PortUnavailable);
        } else {
            other.setConnectionType(0);
            other.setComNumber(3);
            other.setBaudRate(6);
            ASSERT_EQ(other.LockPort(), 0);
        }
        ShowSearchPage();
        FinishSearch();
        ASSERT_EQ(Rows(), QStringList{"COM3: Порт недоступен: ККТ занята другой программой"});
        EXPECT_EQ(Page<TfmSearchDevice>().lblStatus->text(), "Поиск завершен");
        EXPECT_FALSE(Page<TfmSearchDevice>().lvDevices->topLevelItem(0)->flags() & Qt::ItemIsSelectable);
        EXPECT_FALSE(FForm->btnNext->isEnabled());
        other.UnlockPort();
        FForm.reset();
    }
}

TEST_F(SearchTest, ListedButNotSearchedIds)
{
    Registers({{1, 115200}});
    SetPortSources({[] {
        return QList<TPortDevice>{{"A (COM1)", "USB\\VID_0E8D&PID_0001"},
                                  {"B (COM2)", "USB\\VID_1234&PID_2012"},
                                  {"C (COM3)", "ACPI\\PNP0501"}};
    }});
    ShowSearchPage();
    FinishSearch();
    ASSERT_EQ(Page<TfmSearchDevice>().SearchDevices().size(), 1u);
    EXPECT_EQ(Page<TfmSearchDevice>().SearchDevices()[0]->GetParams().PortNumber, 3);
}

TEST_F(SearchTest, StoppingKeepsTheRowsFoundAndCancelsTheRest)
{
    Registers({{1, 115200}, {2, 115200}});
    Ports({1, 2});
    // COM2's register waits on its lock, then fails its first attempt.
    auto com2 = Bench().RegisterByName("COM2");
    com2->Faults().FailNext(OrvekMethod::GetDeviceMetrics, -1);
    auto held = com2->Lock();
    ShowSearchPage();
    auto& page = Page<TfmSearchDevice>();
    static_cast<TOrvekSearchDevice&>(*page.SearchDevices().at(0)).WaitFor();
    page.UpdateView();
    EXPECT_EQ(page.lblStatus->text(), "Поиск устройств..");
    EXPECT_EQ(Rows(), QStringList{"Эмулятор ККТ, COM1, 115200, ЗН: 0000000000000001"});
    page.btnStop->click();
    held.unlock();
    FinishSearch();
    EXPECT_EQ(States().value(1), "Поиск отменен");
    EXPECT_EQ(Rows(), QStringList{"Эмулятор ККТ, COM1, 115200, ЗН: 0000000000000001"});
    EXPECT_EQ(page.lblStatus->text(), "Поиск завершен");

    // "Повторить поиск" starts over with an empty list. (The stop may have
    // come before COM2's first attempt, leaving the fault unused.)
    com2->Faults().Clear();
    page.btnStart->click();
    EXPECT_TRUE(Rows().isEmpty());
    FinishSearch();
    EXPECT_EQ(Rows().size(), 2);
}

TEST_F(SearchTest, FirmwareDateGate)
{
    struct Case {
        QDate date;
        bool passes;
    };
    for (const Case& c : {Case{QDate(2018, 10, 24), true}, Case{QDate(2018, 10, 23), false}}) {
        FSoftDate = c.date;
        Registers({{1, 115200}});
        Ports({1});
        ShowSearchPage();
        FinishSearch();
        Page<TfmSearchDevice>().lvDevices->topLevelItem(0)->setSelected(true);
        TestDialogs().clear();
        EXPECT_EQ(Next(), c.passes ? "Выберите тип работы" : "Поиск устройств");
        if (!c.passes) {
            EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Прошивка ККТ устарела (23.10.2018"));
            EXPECT_TRUE(TestDialogs().lastMessage().endsWith(").\r\n Требуется обновить прошивку"));
        }
        FForm.reset();
        Regmaven::FreeDriver();
    }
}

TEST_F(SearchTest, EveryWayOutOfAWorkerEndsFinished)
{
    Registers({{1, 2400}});
    // Every attempt's port lock fails.
    Bench().Register(0)->Faults().FailAny(-1, 100);
    TOrvekSearchDevice device;
    device.SetParams({1, 0, 600});
    device.Search();
    device.WaitFor();
    EXPECT_TRUE(device.GetState().Finished);
    EXPECT_FALSE(device.GetState().Succeded);
    EXPECT_EQ(device.GetState().Text, "Не найдено");
    // Stopped before it started: cancelled at the first attempt.
    device.Search();
    device.Stop();
    device.WaitFor();
    EXPECT_TRUE(device.GetState().Finished);
}

TEST_F(SearchTest, TheWizardsDriverSettingsAreTheOnesKept)
{
    // Each search object's driver keeps its own settings when it goes; the
    // wizard's driver goes last, so its settings are the ones kept.
    Registers({});
    Ports({5});
    ShowSearchPage();
    FinishSearch();
    FForm.reset();
    TOrvek fresh;
    EXPECT_EQ(fresh.ComNumber(), 1);
    EXPECT_EQ(fresh.BaudRate(), 6);
}

TEST(EnumPorts, SerialPortsOfThisMachineFromSysfs)
{
    // A sysfs tty folder: a UART, a legacy port without one, a USB adapter.
    const QString sys = TestTempDir() + "/sys";
    const QString tty = sys + "/class/tty";
    const QString usb = sys + "/devices/usb1/1-1";
    auto write = [](const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(tty + "/ttyS0/type", "4\n");
    write(tty + "/ttyS1/type", "0\n");
    write(usb + "/idVendor", "0483\n");
    write(usb + "/idProduct", "5740\n");
    write(usb + "/product", "Fiscal Register\n");
    QDir().mkpath(usb + "/1-1:1.0/ttyACM0");
    QDir().mkpath(tty + "/ttyACM0");
    ASSERT_TRUE(QFile::link(usb + "/1-1:1.0", tty + "/ttyACM0/device"));

    const QList<TPortDevice> devices = SystemSerialPorts(tty);
    ASSERT_EQ(devices.size(), 2);
    EXPECT_EQ(devices[0].FriendlyName, "Fiscal Register (COM65)");
    EXPECT_EQ(devices[0].HWStr, "USB\\VID_0483&PID_5740");
    EXPECT_EQ(devices[1].FriendlyName, "Последовательный порт (COM1)");
}
