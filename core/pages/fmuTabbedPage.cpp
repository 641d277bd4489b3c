#include "core/pages/fmuTabbedPage.h"

#include "platform/Guard.h"
#include "platform/ui/PageControl.h"

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
    auto* sheet = new QWidget;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    page->show();
    PageControl->addTab(sheet, page->windowTitle());
}

TPage* TfmTabbedPage::TabPage(int index) const
{
    QWidget* sheet = PageControl->widget(index);
    if (!sheet)
        return nullptr;
    const auto children = sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
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
