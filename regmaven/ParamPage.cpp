#include "regmaven/ParamPage.h"

#include "platform/Guard.h"
#include "platform/ui/NamedControls.h"

#include <QListWidget>
#include <QShowEvent>

namespace Regmaven {

QFont BoldArial(int PixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(PixelSize);
    font.setBold(true);
    return font;
}

QListWidget* NewChoiceList(QWidget* Page, const char* Name, int Rows)
{
    auto* list = NewControl<QListWidget>(Page, Name);
    list->setFont(BoldArial(16));
    list->setFrameShape(QFrame::NoFrame);
    list->setBackgroundRole(QPalette::Button);
    list->setAutoFillBackground(true);
    list->viewport()->setBackgroundRole(QPalette::Button);
    list->setStyleSheet(QStringLiteral("QListWidget::item { height: 30px; }"));
    list->setFixedSize(420, Rows * 30 + 4);
    return list;
}

void SetFontColor(QWidget* Control, const QColor& Color)
{
    QPalette palette = Control->palette();
    palette.setColor(QPalette::WindowText, Color);
    Control->setPalette(palette);
}

TParamPage::TParamPage(const char* FormName, const QString& Caption)
{
    setObjectName(QLatin1String(FormName));
    setWindowTitle(Caption);
}

TParamPage::~TParamPage()
{
    SetOwner(nullptr);
}

void TParamPage::SetOwner(TParamPages* AOwner)
{
    if (FOwner)
        FOwner->RemoveItem(this);
    FOwner = AOwner;
    if (AOwner)
        AOwner->InsertItem(this);
}

int TParamPage::Index() const
{
    return FOwner ? FOwner->GetItemIndex(this) : -1;
}

void TParamPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring a minimised window shows the page again without the main
    // window showing it: that does not refresh it.
    if (!event->spontaneous())
        RunGuarded([this] { FormShow(); });
}

void TParamPages::CloseEvent()
{
    // One failing page does not keep the others from closing.
    for (TParamPage* page : *this)
        RunGuarded([page] { page->CloseEvent(); });
}

} // namespace Regmaven
