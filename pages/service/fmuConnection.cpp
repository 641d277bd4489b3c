#include "pages/service/fmuConnection.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/untUtil.h"
#include "pages/service/ConnectionControls.h"
#include "platform/Guard.h"
#include "platform/ui/FormBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {
constexpr int TCPSocket = 128;

QLabel* BuddyLabel(QWidget* control)
{
    for (QLabel* label : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == control)
            return label;
    return nullptr;
}
} // namespace

TfmConnection::TfmConnection(QWidget* owner) : TPage(owner, "fmConnection", PageCaption)
{
    using T = TfmConnection;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    auto params = left.Group("gbParams", QStringLiteral("Параметры"));
    params.Combo(NAMED(cbCOMNumber), QStringLiteral("Порт:"), {QStringLiteral("COM1")}, 0, "ComNumber");
    params.Combo(NAMED(cbBaudRate), QStringLiteral("Скорость:"), BaudRateItems(), 6, "BaudRate");
    params.Spin(NAMED(seTimeout), QStringLiteral("Таймаут:"), 0, 1000000, 100, "Timeout");
    params.Combo(NAMED(cbPortNumber), QStringLiteral("Интерфейс:"), {}, 0, "PortNumber");
    // The register's code holds one byte.
    params.Spin(NAMED(seTCPPortCode), QStringLiteral("TCP порт (код):"), 0, 255, 0, "TCPPort");
    params.Edit(NAMED(edtTCPPortReal), QStringLiteral("TCP порт:"), {}, "TCPPort")->setReadOnly(true);
    left.Spin(NAMED(seConnectionTimeout), QStringLiteral("Таймаут ожидания:"), 0, 1000000, 0, "ConnectionTimeout");
    left.Check(NAMED(chkConnected), QStringLiteral("Устройство подключено"), false, "Connected");
    chkConnected->setProperty("tag", 1000);
    left.Space();
    page.Buttons(7, {
        {NAMED(btnGetExchangeParam), QStringLiteral("Получить параметры"), &T::btnGetExchangeParamClick, "GetExchangeParam"},
        {NAMED(btnSetExchangeParam), QStringLiteral("Установить параметры"), &T::btnSetExchangeParamClick, "SetExchangeParam"},
        {NAMED(btnConnect), QStringLiteral("Установить связь"), &T::btnConnectClick, "Connect"},
        {NAMED(btnDisconnect), QStringLiteral("Разорвать связь"), &T::btnDisconnectClick, "Disconnect"},
        {NAMED(btnWaitConnection), QStringLiteral("Ожидать подключения"), &T::btnWaitConnectionClick, "WaitConnection"},
        {NAMED(btnWaitForPrinting), QStringLiteral("Ожидать завершения печати"), &T::btnWaitForPrintingClick,
         "WaitForPrinting"},
        {NAMED(btnWaitForCheckClose), QStringLiteral("Ожидать закрытия чека"), &T::btnWaitForCheckCloseClick,
         "WaitForCheckClose"},
    });
    page.Space();
    lblTCPPortCode = BuddyLabel(seTCPPortCode);
    lblTCPPortReal = BuddyLabel(edtTCPPortReal);

    // A click of the user's writes Connected; UpdatePage's setChecked does not.
    connect(chkConnected, &QCheckBox::clicked, this, Guarded(this, &T::chkConnectedClick));
    // Also when the store restores the interface, so the TCP controls follow it.
    connect(cbPortNumber, &QComboBox::currentIndexChanged, this, Guarded([this] { cbPortNumberChange(); }));
}

void TfmConnection::Initialize()
{
    FillComNumbers(cbCOMNumber);
    FillPortNumbers();
}

void TfmConnection::FillPortNumbers()
{
    const QSignalBlocker quiet(cbPortNumber);
    cbPortNumber->clear();
    cbPortNumber->addItem(GetRes("RS-232"), 0);
    cbPortNumber->addItem(GetRes("Bluetooth"), 1);
    cbPortNumber->addItem(GetRes("USB"), 2);
    cbPortNumber->addItem(GetRes("WiFi"), 3);
    cbPortNumber->addItem(GetRes("TCP socket"), TCPSocket);
    cbPortNumber->setCurrentIndex(0);
    cbPortNumberChange();
}

int TfmConnection::PortNumber() const
{
    return cbPortNumber->currentData().toInt();
}

int TfmConnection::TCPPort() const
{
    const auto code = uint8_t(seTCPPortCode->value() & 0xFF);
    if (FReadTCPPort && EncodeTCPPort(uint16_t(*FReadTCPPort)) == code)
        return *FReadTCPPort;
    return DecodeTCPPort(code);
}

void TfmConnection::ShowTCPPort(int Port)
{
    seTCPPortCode->setValue(EncodeTCPPort(uint16_t(Port)));
    FReadTCPPort = Port;
}

void TfmConnection::UpdatePage()
{
    if (DriverExists())
        chkConnected->setChecked(Driver().Connected());
}

void TfmConnection::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    if (!DriverExists())
        return;
    RunGuarded([this] {
        TDriver& d = Driver();
        seTimeout->setValue(d.Timeout());
        cbBaudRate->setCurrentIndex(d.BaudRate());
        cbCOMNumber->setCurrentIndex(d.ComNumber() - 1);
        edtTCPPortReal->setText(QString::number(d.TCPPort()));
        ShowTCPPort(d.TCPPort());
        seConnectionTimeout->setValue(d.ConnectionTimeout());
    });
}

void TfmConnection::btnGetExchangeParamClick()
{
    TDriver& d = Driver();
    d.setPortNumber(PortNumber());
    if (d.GetExchangeParam() == 0) {
        seTimeout->setValue(d.Timeout());
        cbBaudRate->setCurrentIndex(d.BaudRate());
        ShowTCPPort(d.TCPPort());
    }
    UpdatePage();
}

void TfmConnection::btnSetExchangeParamClick()
{
    TDriver& d = Driver();
    d.setTimeout(seTimeout->value());
    d.setBaudRate(cbBaudRate->currentIndex());
    d.setTCPPort(TCPPort());
    d.setPortNumber(PortNumber());
    d.SetExchangeParam();
    UpdatePage();
}

void TfmConnection::btnConnectClick()
{
    TDriver& d = Driver();
    d.setComNumber(cbCOMNumber->currentIndex() + 1);
    d.setBaudRate(cbBaudRate->currentIndex());
    d.setTimeout(seTimeout->value());
    d.setTCPPort(TCPPort());
    d.Connect();
    UpdatePage();
}

void TfmConnection::btnDisconnectClick()
{
    Driver().Disconnect();
    UpdatePage();
}

void TfmConnection::chkConnectedClick()
{
    TEnableButtonsFrame frame(this);
    Driver().setConnected(chkConnected->isChecked());
    UpdatePage();
}

void TfmConnection::Wait(int32_t (TOrvek::*Method)())
{
    Driver().setConnectionTimeout(seConnectionTimeout->value());
    (Driver().*Method)();
    UpdatePage();
}

void TfmConnection::btnWaitConnectionClick()
{
    Wait(&TOrvek::WaitConnection);
}

void TfmConnection::btnWaitForPrintingClick()
{
    Wait(&TOrvek::WaitForPrinting);
}

void TfmConnection::btnWaitForCheckCloseClick()
{
    Wait(&TOrvek::WaitForCheckClose);
}

void TfmConnection::cbPortNumberChange()
{
    const bool tcp = PortNumber() == TCPSocket;
    for (QWidget* w : {static_cast<QWidget*>(seTCPPortCode), static_cast<QWidget*>(edtTCPPortReal),
                       static_cast<QWidget*>(lblTCPPortCode), static_cast<QWidget*>(lblTCPPortReal)})
        if (w)
            w->setEnabled(tcp);
}
