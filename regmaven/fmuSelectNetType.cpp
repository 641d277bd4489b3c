#include "regmaven/fmuSelectNetType.h"

#include "platform/Guard.h"
#include "platform/ui/NamedControls.h"
#include "regmaven/untController.h"

#include <QListWidget>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmEthernetParams);
DECLARE_PAGE_CLASS(TfmRNDISParams);
DECLARE_PAGE_CLASS(TfmWiFiParams);
DEFINE_PAGE_CLASS(TfmSelectNetType);

namespace {
enum TNetType { ntEthernet, ntWiFi, ntRNDIS };
} // namespace

TfmSelectNetType::TfmSelectNetType() : TParamPage("fmSelectNetType", QStringLiteral("Выберите тип подключения к ОФД"))
{
    listBox = NewChoiceList(this, "listBox", 3);
    listBox->addItems({QStringLiteral("Ethernet"), QStringLiteral("WiFi"), QStringLiteral("RNDIS")});
    connect(listBox, &QListWidget::itemDoubleClicked, this, Guarded([] { Controller().Next(); }));
}

void TfmSelectNetType::FormShow()
{
    listBox->setCurrentRow(0);
    listBox->setFocus();
}

void TfmSelectNetType::Next()
{
    TController& c = Controller();
    const int item = listBox->currentRow();
    if (item < 0)
        return;
    c.NetType = item;
    c.IsRNDIS = false;
    switch (item) {
    case ntEthernet: c.NextPageClass = ClassOf<TfmEthernetParams>(); break;
    case ntWiFi: c.NextPageClass = ClassOf<TfmWiFiParams>(); break;
    case ntRNDIS:
        c.NextPageClass = ClassOf<TfmRNDISParams>();
        c.IsRNDIS = true;
        break;
    default: break;
    }
}

void TfmSelectNetType::resizeEvent(QResizeEvent* event)
{
    TParamPage::resizeEvent(event);
    listBox->move((width() - listBox->width()) / 2, 40);
}

} // namespace Regmaven
