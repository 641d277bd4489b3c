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
}

void TfmTabbedPage::AddPage(TPage* page)
{
    // The sheet scrolls, so a page larger than the window stays usable. The
    // scroll area's content widget adds no level to stored value names.
    auto* sheet = new QScrollArea;
    sheet->setFrameShape(QFrame::NoFrame);
    sheet->setWidgetResizable(true);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    sheet->setWidget(content);
    page->show();
    PageControl->addTab(sheet, page->windowTitle());
}

TPage* TfmTabbedPage::TabPage(int index) const
{
    auto* sheet = qobject_cast<QScrollArea*>(PageControl->widget(index));
    if (!sheet || !sheet->widget())
        return nullptr;
    const auto children = sheet->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return children.isEmpty() ? nullptr : qobject_cast<TPage*>(children.first());
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
    if (TPage* page = TabPage(PageControl->currentIndex()))
        page->UpdateObject();
}

void TfmTabbedPage::PageControlChanging(int leftIndex)
{
    // The tab has already changed in Qt; write the page that was left.
    if (TPage* page = TabPage(leftIndex))
        page->UpdateObject();
}

void TfmTabbedPage::PageControlChange()
{
    UpdatePage();
}
