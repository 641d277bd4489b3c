#include "regmaven/ParamPage.h"

#include "platform/Guard.h"

#include <QShowEvent>

namespace Regmaven {

QFont BoldArial(int PixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(PixelSize);
    font.setBold(true);
    return font;
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
