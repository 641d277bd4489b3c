#pragma once
// TfmTabbedPage: a page group, one tab per page. UpdatePage and UpdateObject
// go to the page of the active tab; a tab switch by the user writes the page
// left (UpdateObject) and refreshes the page chosen (UpdatePage), a tab
// selected from code does neither.
#include "core/pages/untPages.h"
#include "platform/ui/PageControl.h"

class TfmTabbedPage : public TPage {
    Q_OBJECT
public:
    explicit TfmTabbedPage(QWidget* owner = nullptr);

    void UpdatePage() override;
    void UpdateObject() override;

    TPageControl* PageControl;

    // Adds a tab sheet (unnamed) holding the page; the tab's caption is the
    // page's caption (windowTitle).
    void AddPage(TPage* page);
    // The page of a tab; null when the tab holds no page.
    TPage* TabPage(int index) const;
    // Selects a tab from code (no page is written or refreshed).
    void SetActiveTab(int index);

private:
    void PageControlChanging(int leftIndex);
    void PageControlChange();
};
