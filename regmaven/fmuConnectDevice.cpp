#include "regmaven/fmuConnectDevice.h"

#include "core/support/Format.h"
#include "platform/ui/NamedControls.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untUtils.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectPortType);
DEFINE_PAGE_CLASS(TfmConnectDevice);

namespace {

QString MinVersionText()
{
    const int* v = TfmConnectDevice::MinVersion;
    return Format("%d.%d.%d.%d", {v[0], v[1], v[2], v[3]});
}

} // namespace

TfmConnectDevice::TfmConnectDevice() : TParamPage("fmConnectDevice", QStringLiteral("Подключите устройство"))
{
    lblText = NewLabel(this,
                       QStringLiteral("1. Подключите устройство к  ПК\r\n"
                                      "2. Включите устройство, дождитесь звукового сигнала\r\n"
                                      "3. Нажмите \"Далее\""),
                       "lblText");
    lblText->setFont(BoldArial(16));
    lblInfo = NewLabel(this, {}, "lblInfo");
    lblInfo->setWordWrap(true);
    lblInfo->setFont(BoldArial(14));
    lblInfo->setStyleSheet(QStringLiteral("color: #b00000"));
    lblInfo->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 24);
    layout->setSpacing(24);
    layout->addWidget(lblText);
    layout->addWidget(lblInfo);
    layout->addStretch();
}

void TfmConnectDevice::FormShow()
{
    lblInfo->hide();
    try {
        CreateDriver();
    } catch (...) {
        lblInfo->setText(QStringLiteral("Внимание! Не установлен драйвер ФР\r\n"
                                        "Для корректной работы установите драйвер версии не ниже ") +
                         MinVersionText() + QStringLiteral(" и перезапустите приложение"));
        Controller().EnableNext(false);
        Controller().EnableSettings(false);
        lblInfo->show();
        return;
    }
    TOrvek& d = Driver();
    const int* v = MinVersion;
    if (CompareVersions(d.DriverMajorVersion(), d.DriverMinorVersion(), d.DriverRelease(), d.DriverBuild(), v[0],
                        v[1], v[2], v[3]) < 0) {
        lblInfo->setText(QStringLiteral("Внимание! Установленная версия драйвера ФР меньше минимальной\r\n"
                                        "Для корректной работы необходима версия не ниже ") +
                         MinVersionText());
        lblInfo->show();
        Controller().EnableNext(false);
    } else {
        lblInfo->hide();
        Controller().EnableNext(true);
    }
}

void TfmConnectDevice::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectPortType>();
}

} // namespace Regmaven
