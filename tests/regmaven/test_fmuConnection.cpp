// The connection pages: the driver gate, the port type and password, the TCP
// check and the UDP discovery over loopback.
#include "emulator/OrvekDiscovery.h"
#include "emulator/OrvekInstallation.h"
#include "core/binding/OrvekCodes.h"
#include "tests/regmaven/WizardTestSupport.h"
#include "regmaven/fmuConnectDevice.h"
#include "regmaven/fmuSelectPortType.h"
#include "regmaven/fmuTCPParams.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSet>
#include <QTreeWidget>
#include <QToolButton>
#include <QUdpSocket>

using namespace Regmaven;

namespace {

class ConnectionTest : public WizardTest {
protected:
    void TearDown() override
    {
        WizardTest::TearDown();
        SetOrvekInstallation(FSavedInstallation);
    }
    void Install(OrvekInstallation installation) { SetOrvekInstallation(installation); }

    // Shows the TCP page along the road.
    TfmTCPParams& ShowTCPPage()
    {
        Form();
        Next();
        Page<TfmSelectPortType>().listBox->setCurrentRow(1);
        EXPECT_EQ(Next(), "Параметры подключения по TCP");
        return Page<TfmTCPParams>();
    }

    // Sends the datagrams to the page's discovery, then a marker, and serves
    // events until the marker's row shows (bounded): every datagram before it
    // has been read by then.
    void Announce(TfmTCPParams& page, const QList<QByteArray>& datagrams)
    {
        QUdpSocket sender;
        const quint16 port = page.FSearch.Port();
        ASSERT_NE(port, 0);
        const QByteArray marker = "SN:marker" + QByteArray::number(++FMarkers) + ";IP:127.0.0.1;port:1";
        for (const QByteArray& d : datagrams + QList<QByteArray>{marker})
            sender.writeDatagram(d, QHostAddress(QHostAddress::LocalHost), port);
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && !page.FSearch.Items().FindBySerial("marker" + QString::number(FMarkers)))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(page.FSearch.Items().FindBySerial("marker" + QString::number(FMarkers)));
    }

    // The rows without the markers: "serial ip port".
    QStringList Rows(TfmTCPParams& page)
    {
        QStringList rows;
        for (int i = 0; i < page.ListView->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = page.ListView->topLevelItem(i);
            if (!item->text(0).startsWith("marker"))
                rows << item->text(0) + " " + item->text(1) + " " + item->text(2);
        }
        return rows;
    }

    OrvekInstallation FSavedInstallation = CurrentOrvekInstallation();
    int FMarkers = 0;
};

} // namespace

TEST_F(ConnectionTest, DriverVersionGate)
{
    struct Case {
        int v[4];
        bool passes;
    };
    const Case cases[] = {{{4, 13, 0, 594}, true}, {{4, 13, 0, 593}, false}, {{4, 12, 9, 999}, false},
                          {{5, 0, 0, 0}, true}};
    for (const Case& c : cases) {
        Install({true, c.v[0], c.v[1], c.v[2], c.v[3]});
        Regmaven::FreeDriver();
        TfmMain& form = Form();
        const auto& page = Page<TfmConnectDevice>();
        EXPECT_EQ(form.btnNext->isEnabled(), c.passes) << c.v[3];
        EXPECT_TRUE(form.btnMenu->isEnabled());
        EXPECT_EQ(page.lblInfo->isVisible(), !c.passes);
        if (!c.passes) {
            EXPECT_EQ(page.lblInfo->text(), QStringLiteral("Внимание! Установленная версия драйвера ФР меньше "
                                                           "минимальной\r\nДля корректной работы необходима версия "
                                                           "не ниже 4.13.0.594"));
        }
        FForm.reset();
    }
}

TEST_F(ConnectionTest, DriverMissingHoldsTheUserOnTheConnectPage)
{
    Install({false});
    TfmMain& form = Form();
    const auto& page = Page<TfmConnectDevice>();
    EXPECT_FALSE(Regmaven::DriverExists());
    EXPECT_FALSE(form.btnNext->isEnabled());
    EXPECT_FALSE(form.btnMenu->isEnabled());
    EXPECT_TRUE(page.lblInfo->isVisible());
    EXPECT_EQ(page.lblInfo->text(), QStringLiteral("Внимание! Не установлен драйвер ФР\r\nДля корректной работы "
                                                   "установите драйвер версии не ниже 4.13.0.594 и перезапустите "
                                                   "приложение"));
    EXPECT_EQ(page.lblText->text(), QStringLiteral("1. Подключите устройство к  ПК\r\n2. Включите устройство, "
                                                   "дождитесь звукового сигнала\r\n3. Нажмите \"Далее\""));
}

TEST_F(ConnectionTest, PortTypeSetsThePasswordAndChoosesTheRoad)
{
    TfmMain& form = Form();
    EXPECT_EQ(Next(), "Выберите тип подключения к ККТ");
    auto& page = Page<TfmSelectPortType>();
    EXPECT_EQ(page.listBox->currentRow(), 0);
    EXPECT_EQ(page.edtSysAdminPassword->text(), "30");
    // A bad password keeps the wizard here with the conversion error, which
    // names the field, in a box with the program's title.
    page.edtSysAdminPassword->setText("");
    EXPECT_EQ(Next(), "Выберите тип подключения к ККТ");
    ASSERT_FALSE(TestDialogs().shown().empty());
    EXPECT_EQ(TestDialogs().shown().back().message.text,
              "Пароль системного администратора: \"\" не является целым числом");
    EXPECT_EQ(TestDialogs().shown().back().message.caption, "Regmaven");

    page.edtSysAdminPassword->setText("29");
    EXPECT_EQ(Next(), "Поиск устройств");
    EXPECT_TRUE(Controller().IsComConnection);
    EXPECT_EQ(Regmaven::Driver().SysAdminPassword(), 29);
    EXPECT_EQ(Regmaven::Driver().Password(), 29);
    // Back again: the edit shows what the driver holds.
    form.btnPrev->setEnabled(true);
    EXPECT_EQ(Prev(), "Выберите тип подключения к ККТ");
    EXPECT_EQ(page.edtSysAdminPassword->text(), "29");
    page.edtSysAdminPassword->setText("30");
    page.listBox->setCurrentRow(1);
    EXPECT_EQ(Next(), "Параметры подключения по TCP");
    EXPECT_FALSE(Controller().IsComConnection);
}

TEST_F(ConnectionTest, TcpCheckFindsTheRegisterOrReportsNoLink)
{
    // A register on a network address: matched inside the emulator, never dialled.
    RegisterConfig lan;
    lan.Name = "LAN";
    lan.ComNumber = 0;
    lan.Host = "192.168.1.50";
    lan.TcpPort = 5555;
    lan.Serial = "0000000000077777";
    Bench().Add(lan);
    TfmTCPParams& page = ShowTCPPage();
    EXPECT_FALSE(FForm->btnNext->isEnabled());

    page.edtIP->setText("127.0.0.1");
    page.edtTCPPort->setText("7779");
    page.btnCheckConnection->click();
    EXPECT_EQ(page.lblInfo->text(), QStringLiteral("Нет связи с устройством"));
    EXPECT_FALSE(FForm->btnNext->isEnabled());

    Component().Trace().Clear();
    page.edtIP->setText("192.168.1.50");
    page.edtTCPPort->setText("5555");
    page.btnCheckConnection->click();
    EXPECT_EQ(page.lblInfo->text(), QStringLiteral("Найдено устройство Эмулятор ККТ, Зав. номер: 0000000000077777\r\n"
                                                   "Для продолжения нажмите \"Далее\""));
    EXPECT_TRUE(FForm->btnNext->isEnabled());
    EXPECT_EQ(Controller().KKTSN, "0000000000077777");
    EXPECT_EQ(Component().Trace().Lines().value(0),
              "GetECRStatus(ConnectionType=6, ProtocolType=0, ComputerName=192.168.1.50, UseIPAddress=False, "
              "TCPPort=5555, TCPConnectionTimeout=2000)");
    EXPECT_EQ(Component().ConnectedRegister(), nullptr);

    // A failing serial number read shows the result check's message.
    Bench().RegisterByName("LAN")->Faults().FailNext(OrvekMethod::ReadSerialNumber, 17);
    page.btnCheckConnection->click();
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Ошибка 17, "));

    page.btnCheckConnection->click();
    EXPECT_EQ(Next(), "Выберите тип работы");
    EXPECT_FALSE(page.FSearch.Active());
    EXPECT_EQ(Regmaven::Driver().ConnectionType(), 6);
}

// The register's port held by another driver object (-2) or another program
// (-3): the check says the register is there and busy.
TEST_F(ConnectionTest, TcpCheckShowsARegisterHeldElsewhere)
{
    TfmTCPParams& page = ShowTCPPage();
    page.edtIP->setText("127.0.0.1");
    page.edtTCPPort->setText("7778");
    TOrvek other;
    other.setConnectionType(6);
    other.setComputerName("127.0.0.1");
    other.setTCPPort(7778);
    ASSERT_EQ(other.LockPort(), 0);
    page.btnCheckConnection->click();
    EXPECT_EQ(page.lblInfo->text(), "Порт недоступен: ККТ занята другой программой");
    EXPECT_FALSE(FForm->btnNext->isEnabled());
    other.UnlockPort();

    TestRegister().Faults().FailNext(OrvekMethod::GetECRStatus, OrvekResult::PortUnavailable);
    page.btnCheckConnection->click();
    EXPECT_EQ(page.lblInfo->text(), "Порт недоступен: ККТ занята другой программой");
    EXPECT_FALSE(FForm->btnNext->isEnabled());
    // Free again: found.
    page.btnCheckConnection->click();
    EXPECT_TRUE(page.lblInfo->text().startsWith("Найдено устройство "));
    EXPECT_TRUE(FForm->btnNext->isEnabled());
}

TEST_F(ConnectionTest, DiscoveryListsEachSerialOnceByKey)
{
    TfmTCPParams& page = ShowTCPPage();
    EXPECT_TRUE(page.FSearch.Active());
    EXPECT_FALSE(page.gifProgress->isHidden());
    Announce(page, {
                       "SN:0001;IP:10.0.0.1;port:7778",         // fields separated by ";"
                       "SN:0002; IP:10.0.0.2; port:7779",       // by "; "
                       "port:7780;IP:10.0.0.3;SN:0003",         // out of order
                       "SN:0004;IP:10.0.0.4",                   // no port
                       "SN:0005;IP:10.0.0.5;port:70000",        // port out of range
                       "SN:0006;IP:10.0.0.6;port:0",            // port out of range
                       "SN:0007;IP:10.0.0.7;port:x1",           // not a number
                       "sn:0008;IP:10.0.0.8;port:1",            // keys are case-sensitive
                       "SN:0001;IP:10.0.0.9;port:1",            // a known serial keeps its first address
                   });
    EXPECT_EQ(Rows(page), (QStringList{"0001 10.0.0.1 7778", "0002 10.0.0.2 7779", "0003 10.0.0.3 7780"}));

    // A click copies the address and the port.
    page.ListView->topLevelItem(1)->setSelected(true);
    emit page.ListView->itemClicked(page.ListView->topLevelItem(1), 0);
    EXPECT_EQ(page.edtIP->text(), "10.0.0.2");
    EXPECT_EQ(page.edtTCPPort->text(), "7779");

    // Back and forward again: the list is emptied and filled afresh.
    EXPECT_EQ(Prev(), "Выберите тип подключения к ККТ");
    EXPECT_FALSE(page.FSearch.Active());
    EXPECT_EQ(page.FSearch.Items().GetCount(), 0);
    Page<TfmSelectPortType>().listBox->setCurrentRow(1);
    EXPECT_EQ(Next(), "Параметры подключения по TCP");
    EXPECT_TRUE(Rows(page).isEmpty());
    Announce(page, {"SN:0001;IP:10.0.0.9;port:1"});
    EXPECT_EQ(Rows(page), QStringList{"0001 10.0.0.9 1"});
}

TEST_F(ConnectionTest, DiscoveryListKeepsTheMostRecentRegisters)
{
    TfmTCPParams& page = ShowTCPPage();
    const int max = TTCPDeviceSearch::MaxItems;
    const int total = 10 * max;
    const auto announce = [&page](int serial) {
        page.FSearch.HandleDatagram("SN:" + QByteArray::number(serial) + ";IP:10.0.0.1;port:7778");
    };
    for (int i = 0; i < total; ++i) {
        announce(i);
        if (i % 100 == 0)
            announce(0);   // announced again: the most recent
    }
    QSet<QString> expected{"0"};
    for (int i = total - max + 1; i < total; ++i)
        expected << QString::number(i);
    QSet<QString> items, rows;
    for (int i = 0; i < page.FSearch.Items().GetCount(); ++i)
        items << page.FSearch.Items().GetItem(i)->FSerial;
    for (int i = 0; i < page.ListView->topLevelItemCount(); ++i)
        rows << page.ListView->topLevelItem(i)->text(0);
    EXPECT_EQ(page.FSearch.Items().GetCount(), max);
    EXPECT_EQ(page.ListView->topLevelItemCount(), max);
    EXPECT_EQ(items, expected);
    EXPECT_EQ(rows, expected);
}

TEST_F(ConnectionTest, DiscoveryTakesInABoundedNumberOfDatagramsPerSecond)
{
    TfmTCPParams& page = ShowTCPPage();
    int found = 0;
    page.FSearch.OnFound = [&found, shown = page.FSearch.OnFound](TTCPSearchItem* item) {
        ++found;
        shown(item);
    };
    QUdpSocket sender;
    QElapsedTimer elapsed;
    elapsed.start();
    for (int burst = 0; burst < 40; ++burst) {
        for (int i = 0; i < 50; ++i)
            sender.writeDatagram("SN:" + QByteArray::number(burst * 50 + i) + ";IP:10.0.0.1;port:7778",
                                 QHostAddress(QHostAddress::LocalHost), page.FSearch.Port());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    // Serves events until nothing new is found for 200 ms (bounded).
    QElapsedTimer quiet;
    quiet.start();
    for (int last = found; quiet.elapsed() < 200 && elapsed.elapsed() < 5000;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (found != last) {
            last = found;
            quiet.restart();
        }
    }
    EXPECT_GT(found, 0);
    EXPECT_LE(found, TTCPDeviceSearch::MaxDatagramsPerSecond * (elapsed.elapsed() / 1000 + 2));
    EXPECT_LE(page.ListView->topLevelItemCount(), TTCPDeviceSearch::MaxItems);
}

TEST_F(ConnectionTest, BenchRegistersAnnounceThemselves)
{
    TfmTCPParams& page = ShowTCPPage();
    OrvekDiscoverySender sender(page.FSearch.Port(), 60000);
    EXPECT_EQ(sender.SendNow(), 1);
    Announce(page, {});
    EXPECT_EQ(Rows(page), QStringList{"0000000000012345 127.0.0.1 7778"});
    emit page.ListView->itemClicked(page.ListView->topLevelItem(0), 0);
    page.btnCheckConnection->click();
    EXPECT_TRUE(FForm->btnNext->isEnabled());
}

TEST_F(ConnectionTest, BusyDiscoveryPortIsReportedAndManualEntryWorks)
{
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress(QHostAddress::LocalHost), 0));
    SetDiscoveryEndpoint({QHostAddress(QHostAddress::LocalHost), holder.localPort()});
    TfmTCPParams& page = ShowTCPPage();
    EXPECT_FALSE(page.FSearch.Active());
    EXPECT_TRUE(page.gifProgress->isHidden());
    EXPECT_TRUE(page.lblInfo->text().startsWith(
        QStringLiteral("Поиск по UDP недоступен: порт %1 не открывается").arg(holder.localPort())));
    page.edtIP->setText("127.0.0.1");
    page.edtTCPPort->setText("7778");
    page.btnCheckConnection->click();
    EXPECT_TRUE(FForm->btnNext->isEnabled());
}
