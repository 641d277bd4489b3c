#include "regmaven/fmuSelectWorkType.h"

#include "platform/Guard.h"
#include "platform/ui/NamedControls.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TFmCheckStatusBeforeCloseFN);
DECLARE_PAGE_CLASS(TFmCheckStatusBeforeReRegistration);
DECLARE_PAGE_CLASS(TFmCheckStatusBeforeRegistration);
DECLARE_PAGE_CLASS(TfmCalculationStateReport);
DECLARE_PAGE_CLASS(TfmConnectDevice);
DECLARE_PAGE_CLASS(TfmKKTParamsX5);
DECLARE_PAGE_CLASS(TfmOFDParams);
DEFINE_PAGE_CLASS(TfmSelectWorkType);

namespace {

// The items in their order; the sixth only for a register with the OFD link table.
enum TWorkType { wtRegistration, wtReRegistration, wtReRegistrationNewFN, wtCalculationReport, wtCloseFN, wtOFDSetup };

} // namespace

TfmSelectWorkType::TfmSelectWorkType() : TParamPage("fmSelectWorkType", QStringLiteral("Выберите тип работы"))
{
    setMinimumSize(730, 351);

    lblDevice = NewLabel(this, {}, "lblDevice");
    lblDevice->setFont(BoldArial(16));

    listBox = NewChoiceList(this, "listBox", 6);
    connect(listBox, &QListWidget::itemDoubleClicked, this, Guarded([] { Controller().Next(); }));
}

void TfmSelectWorkType::FormShow()
{
    PrevPage = Controller().FindPageByClass(ClassOf<TfmConnectDevice>());
    Controller().ClearRegParams();
    listBox->clear();
    listBox->addItems({QStringLiteral("Регистрация новой ККТ"), QStringLiteral("Перерегистрация ККТ без замены ФН"),
                       QStringLiteral("Перерегистрация ККТ с заменой ФН"),
                       QStringLiteral("Отчет о текущем состоянии расчетов"), QStringLiteral("Закрытие архива ФН")});
    {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        Driver().setModelParamNumber(73);
        Check(Driver().ReadModelParamValue());
        Controller().RegParams.OFDEnabled = false;
        if (Driver().ModelParamValue().toInt() > 0) {
            listBox->addItem(QStringLiteral("Настройка связи с ОФД"));
            Controller().RegParams.OFDEnabled = true;
        }
    }
    listBox->setCurrentRow(0);
    listBox->setFocus();
    // The connection pages fill the name and the serial; nothing to show before.
    const TController& c = Controller();
    lblDevice->setText(c.KKTName.isEmpty() && c.KKTSN.isEmpty() ? QString()
                                                                : c.KKTName + QStringLiteral(", зав. номер ") + c.KKTSN);
}

void TfmSelectWorkType::Next()
{
    TController& c = Controller();
    c.IsOFDSettingMode = false;
    switch (listBox->currentRow()) {
    case wtRegistration:
        c.RegParams.FirstTime = true;
        c.NextPageClass = ClassOf<TFmCheckStatusBeforeRegistration>();
        break;
    case wtReRegistration:
    case wtReRegistrationNewFN:
        c.RegParams.FirstTime = false;
        c.RegParams.NewFN = listBox->currentRow() == wtReRegistrationNewFN;
        if (c.X5Mode)
            c.NextPageClass = ClassOf<TfmKKTParamsX5>();
        else
            c.NextPageClass = ClassOf<TFmCheckStatusBeforeReRegistration>();
        break;
    case wtCalculationReport:
        c.NextPageClass = ClassOf<TfmCalculationStateReport>();
        break;
    case wtCloseFN:
        c.NextPageClass = ClassOf<TFmCheckStatusBeforeCloseFN>();
        break;
    case wtOFDSetup:
        c.IsOFDSettingMode = true;
        c.NextPageClass = ClassOf<TfmOFDParams>();
        break;
    default:
        break;
    }
}

void TfmSelectWorkType::resizeEvent(QResizeEvent* event)
{
    TParamPage::resizeEvent(event);
    const int left = (width() - listBox->width()) / 2;
    lblDevice->setGeometry(left, 24, width() - left - 8, 24);
    listBox->move(left, 64);
}

} // namespace Regmaven
