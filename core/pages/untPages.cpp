#include "core/pages/untPages.h"

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
    button->setEnabled(value && !IsStopButton(button));
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
    FOwner = AOwner;
    if (AOwner)
        AOwner->InsertItem(this);
}

TPage* TPages::PageByClass(const TPageClass& AClass) const
{
    if (TPage* page = FindFirst(AClass.Matches))
        return page;
    for (const TAnnounced& page : FAnnounced)
        if (*page.Type == *AClass.Type)
            return page.Make();
    return nullptr;
}

void TPages::Announce(const TPageClass& AClass, std::function<TPage*()> make)
{
    FAnnounced.push_back({AClass.Type, std::move(make)});
}
