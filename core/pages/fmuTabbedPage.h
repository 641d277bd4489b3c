#pragma once
// TfmTabbedPage: a page group, one tab per page. UpdatePage and UpdateObject
// go to the page of the active tab; a tab switch by the user writes the page
// left (UpdateObject) and refreshes the page chosen (UpdatePage), a tab
// selected from code does neither. A page added by its class is made when
// its tab is first shown or the page is first asked for; it is initialised
// and its stored values restored (OnPageCreated) before it is first shown.
#include "core/pages/untPages.h"
#include "platform/ui/PageControl.h"

#include <map>

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
    // Adds a tab sheet for a page of the class, made on first show: its
    // owner is this group's owner, which learns of it at once (Announce).
    void AddPage(const TPageClass& pageClass);
    // The page of a tab, made now when it was not; null when the tab holds
    // no page.
    TPage* TabPage(int index);
    // The page of a tab when it is made; null otherwise.
    TPage* MadePage(int index) const;
    // Selects a tab from code (no page is written or refreshed).
    void SetActiveTab(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* AddSheet(const QString& caption);
    // The scrolled content of a sheet, made with the sheet's page.
    static QWidget* SheetContent(QWidget* sheet);
    void PlacePage(QWidget* content, TPage* page);
    void PageControlChanging(int leftIndex);
    void PageControlChange();

    std::map<int, TPageClass> FToMake;   // tab index -> class of a page not made yet
};
