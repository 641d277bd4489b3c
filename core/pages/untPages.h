#pragma once
// The page framework: TPage (base of every page and page group), TPages (the
// ordered list of all groups and pages), TPageNotifier (tells the main window
// that a driver call starts or has ended).
#include "core/pages/BaseForm.h"
#include "platform/OwnedList.h"

#include <QPointer>
#include <cstdint>
#include <functional>

class QPushButton;
class TPage;
class TPages;

// A class of pages: creates a page of the class and tells whether a page is
// of the class or of a class derived from it.
//   PageClass<TfmFNAgent>()
struct TPageClass {
    TPage* (*Create)(QWidget* owner);
    bool (*Matches)(const TPage* page);
};

template <class T>
TPageClass PageClass()
{
    return {[](QWidget* owner) -> TPage* { return new T(owner); },
            [](const TPage* page) { return dynamic_cast<const T*>(page) != nullptr; }};
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
    // and gives the focus back to the remembered one.
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
    TPages* Owner() const;

private:
    TOwnedList<TPage>* FOwner = nullptr;
    QPointer<QPushButton> FButton;
};

class TPages : public TOwnedList<TPage> {
public:
    int GetCount() const { return Count(); }
    // The first page of the class or of a class derived from it; null when none.
    TPage* PageByClass(const TPageClass& AClass) const { return FindFirst(AClass.Matches); }
    template <class T>
    T* PageByClass() const { return ByClass<T>(); }

    int32_t Password = 0;
};
