#include "core/pages/fmuTabbedPage.h"

#include "platform/Guard.h"
#include "platform/ui/PageControl.h"

#include <QScrollArea>
#include <QVBoxLayout>

TfmTabbedPage::TfmTabbedPage(QWidget* owner) : TPage(owner), PageControl(new TPageControl(this))
{
    setObjectName(QStringLiteral("fmTabbedPage"));
    setWindowTitle(QStringLiteral("TabbedPage"));
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setUsesScrollButtons(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl);
    connect(PageControl, &TPageControl::userChanged, this, Guarded([this](int leftIndex) {
                PageControlChanging(leftIndex);
                PageControlChange();
            }));
    // A tab chosen while the group shows, by the user or from code, shows its page.
    connect(PageControl, &QTabWidget::currentChanged, this, Guarded([this](int index) {
                if (isVisible())
                    TabPage(index);
            }));
}

namespace {
// The scroll area a sheet gets with its page; named as Qt names its inner
// widgets, it adds no level to stored value names.
const QLatin1String SheetArea("qt_sheet_scrollarea");
} // namespace

QWidget* TfmTabbedPage::AddSheet(const QString& caption)
{
    // A tab's sheet stays an empty widget (one unnamed level of the stored
    // value names) until its page is made.
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl->addTab(sheet, caption);
    return sheet;
}

QWidget* TfmTabbedPage::SheetContent(QWidget* sheet)
{
    if (auto* area = sheet->findChild<QScrollArea*>(SheetArea, Qt::FindDirectChildrenOnly))
        return area->widget();
    // The sheet scrolls, so a page larger than the window stays usable.
    auto* area = new QScrollArea(sheet);
    area->setObjectName(SheetArea);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    area->setWidget(content);
    sheet->layout()->addWidget(area);
    area->show();   // the sheet may be showing already
    return content;
}

void TfmTabbedPage::PlacePage(QWidget* content, TPage* page)
{
    content->layout()->addWidget(page);
    page->show();
}

void TfmTabbedPage::AddPage(TPage* page)
{
    PlacePage(SheetContent(AddSheet(page->windowTitle())), page);
}

void TfmTabbedPage::AddPage(const TPageClass& pageClass)
{
    const int index = PageControl->count();
    AddSheet(QString::fromUtf8(pageClass.Caption));
    FToMake.emplace(index, pageClass);
    if (FOwner)
        FOwner->Announce(pageClass, [this, index] { return TabPage(index); });
}

TPage* TfmTabbedPage::MadePage(int index) const
{
    QWidget* sheet = PageControl->widget(index);
    auto* area = sheet ? sheet->findChild<QScrollArea*>(SheetArea, Qt::FindDirectChildrenOnly) : nullptr;
    if (!area || !area->widget())
        return nullptr;
    const auto children = area->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return children.isEmpty() ? nullptr : qobject_cast<TPage*>(children.first());
}

TPage* TfmTabbedPage::TabPage(int index)
{
    const auto toMake = FToMake.find(index);
    if (toMake == FToMake.end())
        return MadePage(index);
    const TPageClass pageClass = toMake->second;
    FToMake.erase(toMake);
    QWidget* content = SheetContent(PageControl->widget(index));
    TPage* page = pageClass.Create(content);
    page->SetOwner(FOwner);
    page->Initialize();
    if (FOwner && FOwner->OnPageCreated)
        FOwner->OnPageCreated(page);
    // Shown only now: what its show fills in from the driver stands over the
    // stored values, not under them.
    PlacePage(content, page);
    return page;
}

void TfmTabbedPage::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    TabPage(PageControl->currentIndex());
}

void TfmTabbedPage::SetActiveTab(int index)
{
    PageControl->setCurrentIndex(index);
}

void TfmTabbedPage::UpdatePage()
{
    if (TPage* page = TabPage(PageControl->currentIndex()))
        page->UpdatePage();
}

void TfmTabbedPage::UpdateObject()
{
    if (TPage* page = MadePage(PageControl->currentIndex()))
        page->UpdateObject();
}

void TfmTabbedPage::PageControlChanging(int leftIndex)
{
    // The tab has already changed in Qt; write the page that was left.
    if (TPage* page = MadePage(leftIndex))
        page->UpdateObject();
}

void TfmTabbedPage::PageControlChange()
{
    UpdatePage();
}
