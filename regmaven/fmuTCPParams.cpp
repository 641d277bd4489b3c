#include "regmaven/fmuTCPParams.h"

#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "platform/Guard.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QTreeWidget>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmTCPParams);

TfmTCPParams::TfmTCPParams() : TParamPage("fmTCPParams", QStringLiteral("Параметры подключения по TCP"))
{
    TFormBuilder<TfmTCPParams> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    auto address = b.Columns();
    address.Edit(NAMED(edtIP), QStringLiteral("IP адрес:"), {}, "ComputerName");
    address.Edit(NAMED(edtTCPPort), QStringLiteral("Порт:"), {}, "TCPPort");
    address.Button({NAMED(btnCheckConnection), QStringLiteral("Проверить связь c ККТ"),
                    &TfmTCPParams::btnCheckConnectionClick, QStringLiteral("GetECRStatus")});
    address.Space();
    SetIPv4Input(edtIP);
    edtIP->setMinimumWidth(140);
    edtTCPPort->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edtTCPPort));
    SetEditLimit(edtTCPPort, 5);
    edtTCPPort->setMaximumWidth(80);

    b.Label(NAMED(lblInfo), {})->setWordWrap(true);
    lblInfo->setMinimumHeight(2 * lblInfo->fontMetrics().height() + 4);
    b.Label("lblDevices", QStringLiteral("Устройства в сети (поиск по UDP) :"));
    ListView = b.Whole(NewControl<QTreeWidget>(this, "ListView"));
    ListView->setHeaderLabels({QStringLiteral("Зав.Номер"), QStringLiteral("IP адрес"), QStringLiteral("Порт")});
    ListView->setRootIsDecorated(false);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSortingEnabled(false);
    ListView->setColumnWidth(0, 150);
    ListView->setColumnWidth(1, 120);
    ListView->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    ListView->header()->setStretchLastSection(true);
    ListView->header()->setSectionsClickable(false);
    b.Stretch(ListView);
    gifProgress = b.Whole(NewControl<QProgressBar>(this, "gifProgress"));
    gifProgress->setRange(0, 0);
    gifProgress->setTextVisible(false);
    gifProgress->setMaximumHeight(8);
    gifProgress->hide();

    connect(ListView, &QTreeWidget::itemClicked, this, Guarded(this, &TfmTCPParams::ListViewClick));
    FSearch.OnFound = [this](TTCPSearchItem* Item) { DeviceFound(Item); };
    FSearch.OnLost = [this](TTCPSearchItem* Item) { DeviceLost(Item); };
}

void TfmTCPParams::FormShow()
{
    Controller().EnableNext(false);
    TOrvek& d = Driver();
    edtIP->setText(d.ComputerName());
    edtTCPPort->setText(QString::number(d.TCPPort()));
    edtIP->setFocus();
    lblInfo->clear();
    ListView->clear();
    d.Disconnect();
    FSearch.Stop();
    if (FSearch.Start()) {
        gifProgress->show();
    } else {
        // Without discovery the address is typed in.
        gifProgress->hide();
        lblInfo->setText(FSearch.Error());
    }
}

void TfmTCPParams::btnCheckConnectionClick()
{
    TOrvek& d = Driver();
    const auto disconnect = qScopeGuard([&d] { d.Disconnect(); });
    d.setConnectionType(6);
    d.setProtocolType(0);
    d.setComputerName(edtIP->text());
    d.setUseIPAddress(false);
    d.setTCPPort(NamedConversion(QStringLiteral("Порт"), [this] { return StrToInt(edtTCPPort->text()); }));
    d.setTCPConnectionTimeout(2000);
    if (const int32_t code = d.GetECRStatus(); code != 0) {
        lblInfo->setText(IsPortHeld(code) ? PortHeldText() : QStringLiteral("Нет связи с устройством"));
        Controller().EnableNext(false);
        return;
    }
    Check(d.ReadSerialNumber());
    const QString name = d.UDescription().trimmed();
    const QString serial = d.SerialNumber().trimmed();
    lblInfo->setText(Format("Найдено устройство %s, Зав. номер: %s", {name, serial}) +
                     QStringLiteral("\r\nДля продолжения нажмите \"Далее\""));
    Controller().KKTName = name;
    Controller().KKTSN = serial;
    Controller().EnableNext(true);
}

void TfmTCPParams::DeviceFound(TTCPSearchItem* Item)
{
    auto* row = new QTreeWidgetItem(ListView, {Item->FSerial, Item->FIP, QString::number(Item->FPort)});
    row->setTextAlignment(1, Qt::AlignCenter);
}

void TfmTCPParams::DeviceLost(TTCPSearchItem* Item)
{
    for (int i = 0; i < ListView->topLevelItemCount(); ++i)
        if (ListView->topLevelItem(i)->text(0) == Item->FSerial) {
            delete ListView->takeTopLevelItem(i);
            return;
        }
}

void TfmTCPParams::ListViewClick(QTreeWidgetItem* Row)
{
    if (!Row)
        return;
    edtIP->setText(Row->text(1));
    edtTCPPort->setText(Row->text(2));
}

void TfmTCPParams::StopSearch()
{
    FSearch.Stop();
    gifProgress->hide();
}

void TfmTCPParams::Next()
{
    Driver().Disconnect();
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
    StopSearch();
}

void TfmTCPParams::Prev()
{
    Driver().Disconnect();
    StopSearch();
    Controller().EnableNext(true);
}

void TfmTCPParams::Home()
{
    StopSearch();
}

} // namespace Regmaven
