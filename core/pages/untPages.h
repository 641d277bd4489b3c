#pragma once
// The page framework: TPage (base of every page and page group), TPages (the
// ordered list of all groups and pages), TPageNotifier (tells the main window
// that a driver call starts or has ended).
#include "core/pages/BaseForm.h"
#include "platform/OwnedList.h"

#include <QPointer>
#include <cstdint>
#include <functional>
#include <typeinfo>
#include <vector>

class QPushButton;
class TPage;
class TPages;

// A class of pages: creates a page of the class, tells whether a page is of
// the class or of a class derived from it, and gives the caption the class
// states (T::PageCaption), so that a tab can show it before the page is made.
//   PageClass<TfmFNAgent>()
struct TPageClass {
    TPage* (*Create)(QWidget* owner);
    bool (*Matches)(const TPage* page);
    const std::type_info* Type;
    const char* Caption;
};

template <class T>
TPageClass PageClass()
{
    const char* caption = "";
    if constexpr (requires { T::PageCaption; })
        caption = T::PageCaption;
    return {[](QWidget* owner) -> TPage* { return new T(owner); },
            [](const TPage* page) { return dynamic_cast<const T*>(page) != nullptr; }, &typeid(T), caption};
}

enum TChangeType { ctStart, ctStop };

class TPageNotifier {
public:
    using TPageNotifyEvent = std::function<void(TPageNotifier* Sender, TChangeType ChangeType)>;

    const TPageNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TPageNotifyEvent handler) { FOnChange = std::move(handler); }
    // Calls the listener, when one is set; its errors pass to the caller.
    void DoChange(TChangeType ChangeType);

private:
    TPageNotifyEvent FOnChange;
};

// The program's one notifier, made on the first call.
TPageNotifier& PageNotifier();

class TPage : public TBaseForm {
    Q_OBJECT
public:
    explicit TPage(QWidget* owner = nullptr);
    // A page with its form name (objectName, e.g. "fmPrintText") and caption
    // (windowTitle, the text of its tab).
    TPage(QWidget* owner, const char* formName, const QString& caption);
    ~TPage() override;

    // Page variant: fires the notifier first (ctStart for false, ctStop for
    // true), then disables every push button of the page, remembering the
    // focused one, or enables every push button (also one disabled before)
    // but the stop buttons (MarkStopButton), which it disables, and gives the
    // focus back to the remembered one.
    void EnableButtons(bool Value) override;
    // Once, after the whole page tree exists.
    virtual void Initialize() {}
    // Refresh the page from the driver; the page becomes the visible one.
    virtual void UpdatePage() {}
    // Write the page's inputs into the driver; the page is being left.
    virtual void UpdateObject() {}
    virtual int32_t LoadDefaults() { return 0; }

    // Ends the running handler silently (EAbort) when the code is not 0.
    static void Check(int32_t ResultCode);

    // Moves the page into AOwner (appended) or, with none, out of any list.
    void SetOwner(TPages* AOwner);
    TPages* Owner() const { return FOwner; }

protected:
    TPages* FOwner = nullptr;

private:
    QPointer<QPushButton> FButton;
};

class TPages : public TOwnedList<TPage> {
public:
    TPages() = default;
    // Frees the pages while the announcements still exist.
    ~TPages() { Clear(); }
    int GetCount() const { return Count(); }
    // The first page of the class or of a class derived from it; null when
    // none. A page of exactly the class that is announced but not made yet
    // is made now.
    TPage* PageByClass(const TPageClass& AClass) const;
    template <class T>
    T* PageByClass() const { return static_cast<T*>(PageByClass(::PageClass<T>())); }

    // A page that is made on first show: `make` makes it when it is asked
    // for before.
    void Announce(const TPageClass& AClass, std::function<TPage*()> make);
    // Runs once for each page made after its announcement, after its
    // Initialize and before its first show (the main window restores the
    // page's stored values).
    std::function<void(TPage*)> OnPageCreated;

    int32_t Password = 0;

private:
    struct TAnnounced {
        const std::type_info* Type;
        std::function<TPage*()> Make;
    };
    std::vector<TAnnounced> FAnnounced;
};
