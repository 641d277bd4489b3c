#include "regmaven/fmuOFDExchangeState.h"

#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFinalMessage);
DEFINE_PAGE_CLASS(TfmOFDExchangeState);

TfmOFDExchangeState::TfmOFDExchangeState()
    : TParamPage("fmOFDExchangeState", QStringLiteral("Проверка отправки данных в ОФД"))
{
    TFormBuilder<TfmOFDExchangeState> b(this);
    b.Grid()->setContentsMargins(40, 24, 40, 8);
    b.Label(NAMED(lblInfo), {})->setWordWrap(true);
    lblInfo->setFont(BoldArial(14));
    lblInfo->setMinimumHeight(3 * lblInfo->fontMetrics().height());
    auto buttons = b.Columns();
    buttons.Button({NAMED(btnRefresh), QStringLiteral("Обновить состояние"), &TfmOFDExchangeState::btnRefreshClick,
                    QStringLiteral("FNGetInfoExchangeStatus")});
    buttons.Space();
    b.Space();
}

void TfmOFDExchangeState::FormShow()
{
    btnRefreshClick();
}

void TfmOFDExchangeState::btnRefreshClick()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    Check(Driver().FNGetInfoExchangeStatus());
    const int count = Driver().MessageCount();
    if (count != 0)
        lblInfo->setText(QStringLiteral("Кол-во неотправленных документов в ОФД: ") + QString::number(count) +
                         QStringLiteral("\r\nПроверьте настройки соединения с Интернет"));
    else
        lblInfo->setText(QStringLiteral("Все документы успешно отправлены в ОФД\r\nНажмите \"Далее\""));
}

void TfmOFDExchangeState::Next()
{
    Controller().NextPageClass = ClassOf<TfmFinalMessage>();
}

} // namespace Regmaven
