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

TParamPage::TParamPage(const QString& Caption)
{
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

TParamPages::~TParamPages()
{
    while (!FList.isEmpty())
        delete FList.first();
}

int TParamPages::GetItemIndex(const TParamPage* Page) const
{
    return int(FList.indexOf(const_cast<TParamPage*>(Page)));
}

void TParamPages::InsertItem(TParamPage* Page)
{
    FList.append(Page);
    Page->FOwner = this;
}

void TParamPages::RemoveItem(TParamPage* Page)
{
    FList.removeOne(Page);
    Page->FOwner = nullptr;
}

TParamPage* TParamPages::PageByClass(const TParamPageClass& AClass) const
{
    for (TParamPage* page : FList)
        if (AClass.IsInstance(page))
            return page;
    return nullptr;
}

void TParamPages::CloseEvent()
{
    // One failing page does not keep the others from closing.
    for (TParamPage* page : FList)
        RunGuarded([page] { page->CloseEvent(); });
}

} // namespace Regmaven
