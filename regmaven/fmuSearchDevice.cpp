#include "regmaven/fmuSearchDevice.h"

#include "core/binding/OrvekTypes.h"
#include "core/support/SysUtils.h"
#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untUtils2.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmSearchDevice);

namespace {

// Ports of these devices are listed but not searched.
constexpr int SkippedVendorId = 0x0E8D;
constexpr int SkippedProductId = 0x2012;
// The oldest firmware the wizard works with.
const QDate MinSoftDate(2018, 10, 24);

constexpr int PortRole = Qt::UserRole;

} // namespace

TfmSearchDevice::TfmSearchDevice() : TParamPage("fmSearchDevice", QStringLiteral("Поиск устройств"))
{
    TFormBuilder<TfmSearchDevice> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Label(NAMED(lblStatus), QStringLiteral("Поиск устройств..."))->setFont(BoldArial(14));
    b.Label(NAMED(lblNext), QStringLiteral("Выберите устройство и нажмите \"Далее...\""));
    lvDevices = b.Whole(NewControl<QTreeWidget>(this, "lvDevices"));
    lvDevices->setColumnCount(1);
    lvDevices->setHeaderHidden(true);
    lvDevices->setRootIsDecorated(false);
    lvDevices->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvDevices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvDevices->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    b.Stretch(lvDevices);
    gifProgress = b.Whole(NewControl<QProgressBar>(this, "gifProgress"));
    gifProgress->setRange(0, 0);
    gifProgress->setTextVisible(false);
    gifProgress->setMaximumHeight(8);
    gifProgress->hide();
    auto buttons = b.Columns();
    buttons.Button({NAMED(btnStop), QStringLiteral("Остановить поиск"), &TfmSearchDevice::btnStopClick});
    buttons.Button({NAMED(btnStart), QStringLiteral("Повторить поиск"), &TfmSearchDevice::btnStartClick});
    buttons.Space();

    connect(lvDevices, &QTreeWidget::itemSelectionChanged, this,
            Guarded([this] { Controller().EnableNext(!lvDevices->selectedItems().isEmpty()); }));
    connect(lvDevices, &QTreeWidget::itemDoubleClicked, this, Guarded([] { Controller().Next(); }));
    Timer.setInterval(100);
    connect(&Timer, &QTimer::timeout, this, Guarded(this, &TfmSearchDevice::UpdateView));
    Timer.start();
}

TfmSearchDevice::~TfmSearchDevice()
{
    Timer.stop();
    Stop();
    FSearchDevices.clear();
}

void TfmSearchDevice::FormShow()
{
    Controller().EnableNext(false);
    Driver().Disconnect();
    Start();
}

void TfmSearchDevice::Start()
{
    gifProgress->show();
    btnStart->setEnabled(false);
    btnStop->setEnabled(true);
    lvDevices->clear();
    FPorts.clear();
    FSearchDevices.clear();  // waits for the workers of the previous search
    FPorts.EnumPorts();
    for (const TSerialPortRec& port : FPorts) {
        if (port.VendorId() == SkippedVendorId || port.ProductId() == SkippedProductId || port.ComNumber < 0)
            continue;
        auto device = std::make_shared<TOrvekSearchDevice>();
        TSearchParamsRec params;
        params.PortNumber = port.ComNumber;
        device->SetParams(params);
        FSearchDevices.push_back(device);
        device->Search();
    }
    Timer.start();
}

void TfmSearchDevice::Stop()
{
    for (const auto& device : FSearchDevices)
        device->Stop();
}

void TfmSearchDevice::UpdateView()
{
    bool finished = true;
    for (const auto& device : FSearchDevices)
        finished = finished && device->GetState().Finished;
    if (finished) {
        gifProgress->hide();
        lblStatus->setText(QStringLiteral("Поиск завершен"));
        btnStart->setEnabled(true);
        btnStop->setEnabled(false);
    } else {
        lblStatus->setText(QStringLiteral("Поиск устройств.."));
        btnStart->setEnabled(false);
    }
    for (const auto& device : FSearchDevices) {
        const TSearchState state = device->GetState();
        if (!state.Finished || !(state.Succeded || state.Held) || state.Added)
            continue;
        auto* row = new QTreeWidgetItem(lvDevices, {state.Text});
        row->setData(0, PortRole, device->GetParams().PortNumber);
        // A register held by another program is shown, but cannot be chosen.
        if (state.Held)
            row->setFlags(Qt::ItemIsEnabled);
        else
            lvDevices->setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
        device->Added();
    }
}

void TfmSearchDevice::btnStopClick()
{
    Stop();
}

void TfmSearchDevice::btnStartClick()
{
    Stop();
    Start();
}

void TfmSearchDevice::Next()
{
    const QList<QTreeWidgetItem*> selected = lvDevices->selectedItems();
    // Without a chosen register there is nothing to go on with.
    if (selected.isEmpty())
        return;
    Stop();
    TController& c = Controller();
    c.NextPageClass = ClassOf<TfmSelectWorkType>();
    TOrvek& d = Driver();
    d.Disconnect();
    const int port = selected.first()->data(0, PortRole).toInt();
    std::shared_ptr<ISearchDevice> device;
    for (const auto& candidate : FSearchDevices)
        if (candidate->GetParams().PortNumber == port)
            device = candidate;
    if (!device)
        throw Exception(QStringLiteral("Устройство на порту COM%1 не найдено").arg(port));
    c.KKTName = device->GetName();
    c.KKTSN = device->GetSerial();
    d.setConnectionType(0);
    d.setProtocolType(0);
    d.setComNumber(port);
    d.setBaudRate(TOrvekBaudrate::BaudrateToCode(device->GetParams().Baudrate));
    d.setTimeout(1000);
    Check(d.GetECRStatus());
    const QDateTime softDate = DateTimeToQDateTime(d.ECRSoftDate());
    if (softDate.date() < MinSoftDate)
        throw Exception(QStringLiteral("Прошивка ККТ устарела (%1).\r\n Требуется обновить прошивку")
                            .arg(DateTimeToStr(softDate)));
}

void TfmSearchDevice::Prev()
{
    Stop();
    Controller().EnableNext(true);
}

void TfmSearchDevice::Home()
{
    Controller().EnableNext(true);
    Stop();
}

void TfmSearchDevice::CloseEvent()
{
    Stop();
}

} // namespace Regmaven
