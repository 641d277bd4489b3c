#include "regmaven/fmuSelectClientType.h"

#include "platform/Guard.h"
#include "platform/ui/NamedControls.h"
#include "regmaven/untController.h"

#include <QListWidget>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFFD);
DEFINE_PAGE_CLASS(TfmSelectClientType);

TfmSelectClientType::TfmSelectClientType() : TParamPage("fmSelectClientType", QStringLiteral("Выберите тип работы"))
{
    listBox = NewControl<QListWidget>(this, "listBox");
    listBox->setFont(BoldArial(16));
    listBox->setFrameShape(QFrame::NoFrame);
    listBox->setBackgroundRole(QPalette::Button);
    listBox->viewport()->setBackgroundRole(QPalette::Button);
    listBox->setStyleSheet(QStringLiteral("QListWidget::item { height: 30px; }"));
    listBox->addItems({QStringLiteral("Юридическое лицо"), QStringLiteral("Индивидуальный предприниматель")});
    listBox->setFixedSize(420, 2 * 30 + 4);
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
    listBox->move((width() - listBox->width()) / 2, (height() - listBox->height()) / 2);
}

} // namespace Regmaven
