#include "regmaven/fmuSelectClientType.h"

#include "platform/Guard.h"
#include "regmaven/untController.h"

#include <QListWidget>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFFD);
DEFINE_PAGE_CLASS(TfmSelectClientType);

TfmSelectClientType::TfmSelectClientType() : TParamPage("fmSelectClientType", QStringLiteral("Выберите тип работы"))
{
    listBox = NewChoiceList(this, "listBox", 2);
    listBox->addItems({QStringLiteral("Юридическое лицо"), QStringLiteral("Индивидуальный предприниматель")});
    connect(listBox, &QListWidget::itemDoubleClicked, this, Guarded([] { Controller().Next(); }));
}

void TfmSelectClientType::FormShow()
{
    listBox->setCurrentRow(0);
    listBox->setFocus();
}

void TfmSelectClientType::Next()
{
    Controller().Yur = listBox->currentRow() == 0;
    Controller().NextPageClass = ClassOf<TfmFFD>();
}

void TfmSelectClientType::resizeEvent(QResizeEvent* event)
{
    TParamPage::resizeEvent(event);
    // At the top, as the other choice lists.
    listBox->move((width() - listBox->width()) / 2, 40);
}

} // namespace Regmaven
