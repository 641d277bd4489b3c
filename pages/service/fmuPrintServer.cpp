#include "pages/service/fmuPrintServer.h"

#include "core/driver/untDriver.h"
#include "pages/service/ConnectionControls.h"
#include "platform/Guard.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

TfmPrintServer::TfmPrintServer(QWidget* owner) : TPage(owner, "fmPrintServer", PageCaption)
{
    using T = TfmPrintServer;
    TFormBuilder<T> page(this, nullptr, true);
    auto fields = page.Section();
    SetEditLimit(fields.Edit(NAMED(edtComputerName), QStringLiteral("Имя компьютера:"), {}, "ComputerName"), 4096);
    btnComputerName = NewButton(this, "btnComputerName", QStringLiteral("..."), this, &T::btnComputerNameClick);
    PlaceBrowseButton(fields.Grid(), edtComputerName, btnComputerName);
    fields.Combo(NAMED(cbCOMNumber), QStringLiteral("COM порт:"), {QStringLiteral("COM1")}, 0, "ComNumber");
    fields.Space();
    page.Buttons(8, {
        {NAMED(btnServerConnect), QStringLiteral("Подключиться к серверу"), &T::btnServerConnectClick, "ServerConnect"},
        {NAMED(btnServerDisconnect), QStringLiteral("Отключиться от сервера"), &T::btnServerDisconnectClick,
         "ServerDisconnect"},
        {NAMED(btnLockPort), QStringLiteral("Занять порт"), &T::btnLockPortClick, "LockPort"},
        {NAMED(btnUnlockPort), QStringLiteral("Освободить порт"), &T::btnUnlockPortClick, "UnlockPort"},
        {NAMED(btnAdminUnlockPort), QStringLiteral("Освободить порт (администратор)"), &T::btnAdminUnlockPortClick,
         "AdminUnlockPort"},
        {NAMED(btnAdminUnlockPorts), QStringLiteral("Освободить порты (администратор)"), &T::btnAdminUnlockPortsClick,
         "AdminUnlockPorts"},
        {NAMED(btnCreateDriver), QStringLiteral("Создать драйвер"), &T::btnCreateDriverClick, {}, TRun::Plain},
        {NAMED(btnDeleteDriver), QStringLiteral("Удалить драйвер"), &T::btnDeleteDriverClick, {}, TRun::Plain},
    });
    page.Space();
}

void TfmPrintServer::Initialize()
{
    FillComNumbers(cbCOMNumber);
}

void TfmPrintServer::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    if (!DriverExists())
        return;
    RunGuarded([this] {
        cbCOMNumber->setCurrentIndex(Driver().ComNumber() - 1);
        edtComputerName->setText(Driver().ComputerName());
    });
}

void TfmPrintServer::btnServerConnectClick()
{
    Driver().setComputerName(edtComputerName->text());
    Driver().ServerConnect();
}

void TfmPrintServer::btnServerDisconnectClick()
{
    Driver().ServerDisconnect();
}

void TfmPrintServer::btnLockPortClick()
{
    Driver().setComNumber(cbCOMNumber->currentIndex() + 1);
    Driver().LockPort();
}

void TfmPrintServer::btnUnlockPortClick()
{
    Driver().UnlockPort();
}

void TfmPrintServer::btnAdminUnlockPortClick()
{
    Driver().AdminUnlockPort();
}

void TfmPrintServer::btnAdminUnlockPortsClick()
{
    Driver().AdminUnlockPorts();
}

void TfmPrintServer::btnCreateDriverClick()
{
    // Asking for the control interface makes the driver control itself.
    Driver().ControlInterface();
}

void TfmPrintServer::btnDeleteDriverClick()
{
    // Refused while a job of any page uses the driver object.
    FreeDriver();
}

void TfmPrintServer::btnComputerNameClick()
{
    BrowseComputerName(edtComputerName);
}
