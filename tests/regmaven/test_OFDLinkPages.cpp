// The OFD link pages: the network settings they write into the emulated
// register's tables, the link check on its worker and the OFD queue.
#include "emulator/RegisterFN.h"
#include "emulator/RegisterNetwork.h"
#include "regmaven/CheckLANWorkTask.h"
#include "regmaven/fmuCheckEthernet.h"
#include "regmaven/fmuCheckRNDIS.h"
#include "regmaven/fmuEthernetParams.h"
#include "regmaven/fmuFinalMessage.h"
#include "regmaven/fmuOFDExchangeState.h"
#include "regmaven/fmuRNDISParams.h"
#include "regmaven/fmuSelectNetType.h"
#include "regmaven/fmuWiFiParams.h"
#include "regmaven/untInputChecks.h"
#include "tests/regmaven/RegistrationPageTest.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>

using namespace Regmaven;

namespace {

QVariant Field(int table, int field)
{
    return TestRegister().Tables().Value(table, 1, field);
}

// Table 16's four fields from first on, as numbers.
QList<int> Octets(int first)
{
    QList<int> octets;
    for (int field = first; field < first + 4; ++field)
        octets << Field(16, field).toInt();
    return octets;
}

void SetOctets(int first, QList<int> octets)
{
    for (int i = 0; i < 4; ++i)
        TestRegister().Tables().SetValue(16, 1, first + i, octets[i]);
}

void FillAddresses(TNetParamsPage& page, const QString& ip, const QString& mask, const QString& gateway,
                   const QString& dns, const QString& port)
{
    page.ipStatic->setText(ip);
    page.ipMask->setText(mask);
    page.ipGateway->setText(gateway);
    page.ipDNS->setText(dns);
    page.edtTCPPort->setText(port);
}

const QString Reboot = QStringLiteral(" успешно записаны.\r\nПерезагрузите устройство и нажмите \"ОК\"");

} // namespace

class OFDLinkTest : public RegistrationPageTest {
protected:
    void TearDown() override
    {
        SetDHCPWaitLimit(0);
        RegistrationPageTest::TearDown();
    }

    // Shows the check page and waits for its run to end (bounded by the run's own limits).
    template <class T>
    T& RunCheck()
    {
        T& page = Show<T>();
        page.Task.WaitFor();
        return page;
    }
};

TEST_F(OFDLinkTest, NetTypeChoosesTheSettingsPage)
{
    auto& page = Show<TfmSelectNetType>();
    EXPECT_EQ(page.listBox->count(), 3);
    EXPECT_EQ(page.listBox->currentRow(), 0);
    page.Next();
    EXPECT_TRUE(WentTo<TfmEthernetParams>());
    EXPECT_FALSE(Controller().IsRNDIS);
    page.listBox->setCurrentRow(1);
    page.Next();
    EXPECT_TRUE(WentTo<TfmWiFiParams>());
    page.listBox->setCurrentRow(2);
    page.Next();
    EXPECT_TRUE(WentTo<TfmRNDISParams>());
    EXPECT_TRUE(Controller().IsRNDIS);
    EXPECT_EQ(Controller().NetType, 2);
}

TEST_F(OFDLinkTest, EthernetShowsTheRegistersSettings)
{
    TestRegister().Tables().SetValue(16, 1, 1, 1);
    SetOctets(3, {10, 1, 2, 3});
    SetOctets(15, {9, 9, 4, 4});
    TestRegister().Tables().SetValue(21, 1, 4, 7790);
    auto& page = Show<TfmEthernetParams>();
    EXPECT_FALSE(page.chkDHCP->isChecked());
    EXPECT_EQ(page.ipStatic->text(), "10.1.2.3");
    EXPECT_EQ(page.ipMask->text(), "255.255.255.0");
    EXPECT_EQ(page.ipGateway->text(), "192.168.137.1");
    EXPECT_EQ(page.ipDNS->text(), "9.9.4.4");
    EXPECT_EQ(page.edtTCPPort->text(), "7790");
    EXPECT_TRUE(page.ipStatic->isEnabled());
    page.chkDHCP->click();
    for (QLineEdit* edit : {page.ipStatic, page.ipMask, page.ipGateway, page.ipDNS}) {
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_FALSE(CaptionOf(edit)->isEnabled());
    }
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
}

TEST_F(OFDLinkTest, StaticEthernetWritesTwelveOctetsButNotTheDNS)
{
    auto& page = Show<TfmEthernetParams>();
    page.chkDHCP->setChecked(false);
    FillAddresses(page, "192.168.1.50", "255.255.0.0", "192.168.1.1", "1.2.3.4", "7790");
    TestDialogs().clear();
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmCheckEthernet>());
    EXPECT_EQ(TestDialogs().lastMessage(), "Настройки Ethernet" + Reboot);
    EXPECT_EQ(Field(16, 1).toInt(), 1);
    EXPECT_EQ(Octets(3), (QList<int>{192, 168, 1, 50}));
    EXPECT_EQ(Octets(7), (QList<int>{192, 168, 1, 1}));
    EXPECT_EQ(Octets(11), (QList<int>{255, 255, 0, 0}));
    EXPECT_EQ(Octets(15), (QList<int>{8, 8, 8, 8}));
    EXPECT_EQ(Field(21, 3).toInt(), 1);
    EXPECT_EQ(Field(21, 4).toInt(), 7790);
    EXPECT_EQ(Field(21, 6).toInt(), 0);
    EXPECT_EQ(Field(21, 9).toInt(), 0);
    EXPECT_EQ(Controller().IP, "192.168.1.50");
    EXPECT_EQ(Controller().TCPPort, 7790);
    EXPECT_FALSE(Controller().DHCP);
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
}

TEST_F(OFDLinkTest, DHCPEthernetLeavesTheAddressAlone)
{
    auto& page = Show<TfmEthernetParams>();
    page.chkDHCP->setChecked(true);
    page.ipStatic->setText("1.1.1");  // disabled and not read
    page.edtTCPPort->setText("7000");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(Field(16, 1).toInt(), 0);
    EXPECT_EQ(Octets(3), (QList<int>{192, 168, 137, 111}));
    EXPECT_EQ(Field(21, 4).toInt(), 7000);
    EXPECT_TRUE(Controller().DHCP);
}

TEST_F(OFDLinkTest, BadInputsWriteNothing)
{
    struct Case {
        QString Ip, Mask, Port, Message;
    };
    for (const Case& c : {Case{"192.168.1", "255.255.255.0", "7778", "Введите корректный IP адрес \"IP адрес\"!"},
                          Case{"10.0.0.1", "255.255.300.0", "7778", "Введите корректный IP адрес \"Маска\"!"},
                          Case{"10.0.0.1", "255.255.255.0", "", "Порт должен быть числом от 1 до 65535!"},
                          Case{"10.0.0.1", "255.255.255.0", "99999", "Порт должен быть числом от 1 до 65535!"},
                          Case{"10.0.0.1", "255.255.255.0", "0", "Порт должен быть числом от 1 до 65535!"}}) {
        SCOPED_TRACE(c.Message.toStdString());
        for (TNetParamsPage* page : std::initializer_list<TNetParamsPage*>{&Show<TfmEthernetParams>(), &Show<TfmRNDISParams>()}) {
            if (page->chkDHCP)
                page->chkDHCP->setChecked(false);
            FillAddresses(*page, c.Ip, c.Mask, "10.0.0.254", "8.8.8.8", c.Port);
            TestRegister().ClearJournal();
            EXPECT_EQ(NextMessage(*page), c.Message);
            EXPECT_EQ(TestRegister().CallCount(OrvekMethod::WriteTable), 0);
            EXPECT_FALSE(Controller().NextPageClass);
        }
    }
    // A port out of range with DHCP, and on the Wi-Fi page: nothing written either.
    auto& ethernet = Show<TfmEthernetParams>();
    ethernet.chkDHCP->setChecked(true);
    ethernet.edtTCPPort->setText("99999");
    TestRegister().ClearJournal();
    EXPECT_EQ(NextMessage(ethernet), "Порт должен быть числом от 1 до 65535!");
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::WriteTable), 0);
    auto& wifi = Show<TfmWiFiParams>();
    wifi.edtWiFiSSID->setText("Зал");
    wifi.edtTCPPort->setText("65536");
    EXPECT_EQ(NextMessage(wifi), "Порт должен быть числом от 1 до 65535!");
    // An access point without a name, or of blanks, is refused before anything is written.
    wifi.edtTCPPort->setText("7781");
    for (const char* ssid : {"", "   "}) {
        wifi.edtWiFiSSID->setText(ssid);
        EXPECT_EQ(NextMessage(wifi), "Введите значение \"Точка доступа WiFI\"!");
    }
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::WriteTable), 0);
    EXPECT_EQ(Field(16, 1).toInt(), 0);
}

TEST_F(OFDLinkTest, RNDISWritesAStaticAddressAndItsSwitch)
{
    auto& page = Show<TfmRNDISParams>();
    FillAddresses(page, "172.16.0.2", "255.255.255.252", "172.16.0.1", "1.1.1.1", "7779");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmCheckRNDIS>());
    EXPECT_EQ(TestDialogs().lastMessage(), "Настройки RNDIS" + Reboot);
    EXPECT_EQ(Field(16, 1).toInt(), 1);
    EXPECT_EQ(Octets(3), (QList<int>{172, 16, 0, 2}));
    EXPECT_EQ(Octets(7), (QList<int>{172, 16, 0, 1}));
    EXPECT_EQ(Octets(11), (QList<int>{255, 255, 255, 252}));
    EXPECT_EQ(Octets(15), (QList<int>{8, 8, 8, 8}));
    EXPECT_EQ(Field(21, 9).toInt(), 1);
    EXPECT_EQ(Field(21, 6).toInt(), 0);
    EXPECT_EQ(Field(21, 4).toInt(), 7779);
    EXPECT_EQ(Controller().IP, "172.16.0.2");
    EXPECT_EQ(Controller().TCPPort, 7779);
}

TEST_F(OFDLinkTest, WiFiWritesTextsAndLeadsToTheOFDQueue)
{
    RegisterTables& t = TestRegister().Tables();
    t.SetValue(21, 1, 7, QStringLiteral("Склад"));
    t.SetValue(22, 1, 1, 1);
    t.SetValue(22, 1, 2, QStringLiteral("10.10.0.5"));
    auto& page = Show<TfmWiFiParams>();
    EXPECT_EQ(page.edtWiFiSSID->text(), "Склад");
    EXPECT_FALSE(page.chkDHCP->isChecked());
    EXPECT_EQ(page.ipStatic->text(), "10.10.0.5");
    EXPECT_TRUE(page.ipStatic->isHidden());
    EXPECT_FALSE(CaptionOf(page.ipStatic)->isHidden());

    page.edtWiFiSSID->setText(QStringLiteral("Зал"));
    page.edtWiFiPass->setText(QStringLiteral("секрет 1"));
    FillAddresses(page, "10.10.0.5", "255.255.255.0", "10.10.0.1", "10.10.0.2", "7781");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(TestDialogs().lastMessage(), "Настройки WiFi" + Reboot);
    EXPECT_TRUE(WentTo<TfmOFDExchangeState>());
    EXPECT_EQ(Field(21, 3).toInt(), 1);
    EXPECT_EQ(Field(21, 6).toInt(), 1);
    EXPECT_EQ(Field(21, 9).toInt(), 0);
    EXPECT_EQ(Field(21, 4).toInt(), 7781);
    EXPECT_EQ(Field(21, 7).toString(), "Зал");
    EXPECT_EQ(Field(21, 8).toString(), "секрет 1");
    EXPECT_EQ(Field(22, 1).toInt(), 1);
    EXPECT_EQ(Field(22, 2).toString(), "10.10.0.5");
    EXPECT_EQ(Field(22, 3).toString(), "255.255.255.0");
    EXPECT_EQ(Field(22, 4).toString(), "10.10.0.1");
    EXPECT_EQ(Field(22, 5).toString(), "10.10.0.2");

    page.chkDHCP->setChecked(true);
    page.ipDNS->setText("not written");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(Field(22, 1).toInt(), 0);
    EXPECT_EQ(Field(22, 5).toString(), "10.10.0.2");
}

TEST_F(OFDLinkTest, CheckSucceedsAtTheStaticAddress)
{
    auto& settings = Show<TfmEthernetParams>();
    settings.chkDHCP->setChecked(false);
    FillAddresses(settings, "192.168.1.50", "255.255.255.0", "192.168.1.1", "8.8.8.8", "7790");
    settings.Next();
    auto& page = Show<TfmCheckEthernet>();
    // The worker's end waits for the UI thread: the wizard is held meanwhile.
    EXPECT_FALSE(FForm->btnNext->isEnabled());
    EXPECT_FALSE(FForm->btnPrev->isEnabled());
    EXPECT_FALSE(FForm->btnHome->isEnabled());
    EXPECT_FALSE(FForm->btnMenu->isEnabled());
    EXPECT_FALSE(page.btnStart->isEnabled());
    EXPECT_TRUE(page.btnStop->isEnabled());
    page.Task.WaitFor();
    EXPECT_EQ(page.lblStatus->text(), "Связь успешно установлена: 192.168.1.50:7790\r\nНажмите \"Далее\"");
    EXPECT_TRUE(page.Task.State().Succeeded());
    EXPECT_TRUE(FForm->btnNext->isEnabled());
    EXPECT_TRUE(FForm->btnPrev->isEnabled());
    EXPECT_TRUE(FForm->btnHome->isEnabled());
    EXPECT_TRUE(FForm->btnMenu->isEnabled());
    EXPECT_TRUE(page.btnStart->isEnabled());
    EXPECT_FALSE(page.btnStop->isEnabled());
    EXPECT_FALSE(page.Timer->isActive());
    // The wizard's own driver object was left disconnected.
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
    page.Next();
    EXPECT_TRUE(WentTo<TfmOFDExchangeState>());
}

TEST_F(OFDLinkTest, RNDISCheckConnectsAtTheTypedAddress)
{
    Controller().IsRNDIS = true;
    auto& settings = Show<TfmRNDISParams>();
    FillAddresses(settings, "172.16.0.2", "255.255.255.252", "172.16.0.1", "8.8.8.8", "7781");
    settings.Next();
    auto& page = RunCheck<TfmCheckRNDIS>();
    EXPECT_EQ(page.lblStatus->text(), "Связь успешно установлена: 172.16.0.2:7781\r\nНажмите \"Далее\"");
}

TEST_F(OFDLinkTest, CheckFailuresBecomeTheStatus)
{
    // RNDIS: the address typed on its page, where no register answers.
    Controller().IsRNDIS = true;
    Controller().IP = "10.9.9.9";
    Controller().TCPPort = 7000;
    auto& rndis = RunCheck<TfmCheckRNDIS>();
    EXPECT_TRUE(rndis.lblStatus->text().startsWith("Ошибка подключения к : 10.9.9.9:7000, "));
    EXPECT_TRUE(rndis.lblStatus->text().endsWith(" \r\nПроверьте настройки сети"));
    EXPECT_FALSE(rndis.Task.State().Succeeded());
    EXPECT_TRUE(FForm->btnNext->isEnabled());

    // A register that answers nothing on the link.
    Controller().IsRNDIS = false;
    TestRegister().Tables().SetValue(16, 1, 1, 1);
    TestRegister().Faults().FailNext(OrvekMethod::GetECRStatus, -1, 1);
    auto& ethernet = RunCheck<TfmCheckEthernet>();
    EXPECT_TRUE(ethernet.lblStatus->text().startsWith("Ошибка подключения к : 192.168.137.111:7778, "));

    // The register's tables cannot be read.
    TestRegister().Faults().FailNext(OrvekMethod::ReadTable, 80, 1);
    ethernet.btnStart->click();
    ethernet.Task.WaitFor();
    EXPECT_TRUE(ethernet.lblStatus->text().startsWith("Ошибка 80, "));
}

TEST_F(OFDLinkTest, DHCPWaitEndsWithTheAddressOrTheLimit)
{
    TestRegister().Tables().SetValue(16, 1, 1, 0);
    auto& net = TestRegister().Area<RegisterNetwork>();
    net.SetDHCP({DHCPScript::AfterDelay, 120});
    auto& page = RunCheck<TfmCheckEthernet>();
    EXPECT_EQ(page.lblStatus->text(), "Связь успешно установлена: 192.168.137.111:7778\r\nНажмите \"Далее\"");

    SetDHCPWaitLimit(150);
    net.SetDHCP({DHCPScript::Never, 0, 3});
    QElapsedTimer run;
    run.start();
    page.btnStart->click();
    page.Task.WaitFor();
    EXPECT_GE(run.elapsed(), 150);
    EXPECT_EQ(page.lblStatus->text(), "Не удается получить IP по DHCP 3");
}

TEST_F(OFDLinkTest, StopEndsTheDHCPWait)
{
    TestRegister().Tables().SetValue(16, 1, 1, 0);
    TestRegister().Area<RegisterNetwork>().SetDHCP({DHCPScript::Never});
    auto& page = Show<TfmCheckEthernet>();
    QElapsedTimer wait;
    wait.start();
    while (page.Task.State().Text() != "Ожидание получения IP адреса..." && wait.elapsed() < 10000)
        QThread::yieldCurrentThread();
    ASSERT_EQ(page.Task.State().Text(), "Ожидание получения IP адреса...");
    page.btnStop->click();
    EXPECT_LT(wait.elapsed(), 10000);
    EXPECT_EQ(page.lblStatus->text(), "Операция отменена");
    EXPECT_TRUE(page.Task.State().UserCancelled());
    EXPECT_FALSE(page.Task.State().IsRunning());
    EXPECT_TRUE(page.btnStart->isEnabled());
    EXPECT_FALSE(page.btnStop->isEnabled());
    EXPECT_TRUE(FForm->btnMenu->isEnabled());
}

TEST_F(OFDLinkTest, OFDQueueTexts)
{
    auto& page = Show<TfmOFDExchangeState>();
    EXPECT_EQ(page.lblInfo->text(), "Все документы успешно отправлены в ОФД\r\nНажмите \"Далее\"");
    auto& fn = TestRegister().Area<RegisterFN>();
    for (int i = 0; i < 5; ++i)
        fn.AddDocument(FNDocType::Receipt);
    page.btnRefresh->click();
    EXPECT_EQ(page.lblInfo->text(),
              "Кол-во неотправленных документов в ОФД: 5\r\nПроверьте настройки соединения с Интернет");
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);
    page.Next();
    EXPECT_TRUE(WentTo<TfmFinalMessage>());
}

TEST_F(OFDLinkTest, ClosingTheWindowEndsARunningCheck)
{
    TestRegister().Tables().SetValue(16, 1, 1, 0);
    TestRegister().Area<RegisterNetwork>().SetDHCP({DHCPScript::Never});
    auto& page = Show<TfmCheckEthernet>();
    EXPECT_TRUE(page.Task.Started());
    FForm->close();
    EXPECT_FALSE(page.Task.Started());
    EXPECT_EQ(page.Task.State().Text(), "Операция отменена");
}

TEST_F(OFDLinkTest, StopAfterTheWorkKeepsItsOutcome)
{
    auto& page = Show<TfmCheckEthernet>();
    // The work has ended; its end waits for the UI thread.
    QElapsedTimer wait;
    wait.start();
    while (!page.Task.State().Completed() && wait.elapsed() < 10000)
        QThread::yieldCurrentThread();
    ASSERT_TRUE(page.Task.State().Completed());
    page.btnStop->click();
    EXPECT_TRUE(page.Task.State().Succeeded());
    EXPECT_FALSE(page.Task.State().UserCancelled());
    EXPECT_TRUE(page.lblStatus->text().startsWith("Связь успешно установлена: "));
}
