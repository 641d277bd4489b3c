#include "regmaven/fmuFinalMessage.h"

#include "regmaven/untController.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmConnectDevice);
DEFINE_PAGE_CLASS(TfmFinalMessage);

TfmFinalMessage::TfmFinalMessage() : TParamPage(QStringLiteral("Завершение"))
{
    setObjectName("fmFinalMessage");
    lblMessage = new QLabel(QStringLiteral("Все шаги выполнены. \r\nНажмите \"Далее\" для возврата в начало"), this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setWordWrap(true);
    lblMessage->setFont(BoldArial(16));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 32);
    layout->addWidget(lblMessage);
    layout->addStretch();
}

void TfmFinalMessage::Next()
{
    Controller().NextPageClass = ClassOf<TfmConnectDevice>();
}

} // namespace Regmaven
