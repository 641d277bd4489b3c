#include "regmaven/fmuFinalMessage.h"

#include "regmaven/untController.h"

#include "platform/ui/NamedControls.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmConnectDevice);
DEFINE_PAGE_CLASS(TfmFinalMessage);

TfmFinalMessage::TfmFinalMessage() : TParamPage("fmFinalMessage", QStringLiteral("Завершение"))
{
    lblMessage = NewLabel(this, QStringLiteral("Все шаги выполнены. \r\nНажмите \"Далее\" для возврата в начало"),
                          "lblMessage");
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
