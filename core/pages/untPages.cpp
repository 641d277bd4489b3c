#include "core/pages/untPages.h"

#include "platform/Exceptions.h"
#include "platform/ui/Controls.h"

#include <QPushButton>

void TPageNotifier::DoChange(TChangeType ChangeType)
{
    if (FOnChange)
        FOnChange(this, ChangeType);
}

TPageNotifier& PageNotifier()
{
    static TPageNotifier notifier;
    return notifier;
}

TPage::TPage(QWidget* owner) : TBaseForm(owner) {}

TPage::TPage(QWidget* owner, const char* formName, const QString& caption) : TBaseForm(owner)
{
    setObjectName(QLatin1String(formName));
    setWindowTitle(caption);
}

TPage::~TPage()
{
    SetOwner(nullptr);
}

namespace {
void EnableControlButtons(QWidget* control, bool value, const QPointer<QPushButton>& remembered)
{
    for (QWidget* child : ChildControls(control))
        EnableControlButtons(child, value, remembered);
    auto* button = qobject_cast<QPushButton*>(control);
    if (!button)
        return;
    button->setEnabled(value);
    if (value && button == remembered)
        button->setFocus();
}
} // namespace

void TPage::EnableButtons(bool Value)
{
    PageNotifier().DoChange(Value ? ctStop : ctStart);
    // Taken before the walk: disabling the focused button moves the focus on
    // to a later one.
    if (!Value)
        if (QPushButton* focused = FocusedButton())
            FButton = focused;
    EnableControlButtons(this, Value, FButton);
}

void TPage::Check(int32_t ResultCode)
{
    if (ResultCode != 0)
        Abort();
}

void TPage::SetOwner(TPages* AOwner)
{
    if (FOwner)
        FOwner->RemoveItem(this);
    if (AOwner)
        AOwner->InsertItem(this);
}

TPages::~TPages()
{
    while (Count() > 0)
        delete GetItem(0);
}

TPage* TPages::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FList->at(Index);
}

int TPages::GetItemIndex(const TPage* Page) const
{
    return FList ? int(FList->indexOf(const_cast<TPage*>(Page))) : -1;
}

TPage* TPages::PageByClass(const TPageClass& AClass) const
{
    for (int i = 0; i < Count(); ++i)
        if (AClass.Matches(FList->at(i)))
            return FList->at(i);
    for (const TAnnounced& page : FAnnounced)
        if (*page.Type == *AClass.Type)
            return page.Make();
    return nullptr;
}

void TPages::Announce(const TPageClass& AClass, std::function<TPage*()> make)
{
    FAnnounced.push_back({AClass.Type, std::move(make)});
}

void TPages::InsertItem(TPage* Page)
{
    if (!FList)
        FList = std::make_unique<QList<TPage*>>();
    FList->append(Page);
    Page->FOwner = this;
}

void TPages::RemoveItem(TPage* Page)
{
    Page->FOwner = nullptr;
    if (!FList)
        return;
    FList->removeOne(Page);
    if (FList->isEmpty())
        FList.reset();
}
