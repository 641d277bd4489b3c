#pragma once
// TParamPage: base of every wizard page; TParamPages: the ordered page list.
//
// A page's Next either raises (the wizard stays on the page and the message
// is shown) or names the class of the next page in Controller().NextPageClass.
// Pages refresh themselves in FormShow, each time the main window shows them.
//
// A page names another page's class without including its header:
//   // fmuSearchDevice.cpp
//   DECLARE_PAGE_CLASS(TfmSelectWorkType);
//   ... Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
//   // fmuSelectWorkType.cpp
//   DEFINE_PAGE_CLASS(TfmSelectWorkType);
#include "platform/OwnedList.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace Regmaven {

class TParamPage;
class TParamPages;

// A page class: matches pages of that class or of a class derived from it.
class TParamPageClass {
public:
    TParamPageClass() = default;
    bool IsInstance(const TParamPage* Page) const { return FIsInstance && Page && FIsInstance(Page); }
    explicit operator bool() const { return FIsInstance != nullptr; }
    bool operator==(const TParamPageClass&) const = default;

    template <class T>
    static TParamPageClass Of()
    {
        TParamPageClass result;
        result.FIsInstance = [](const TParamPage* Page) { return dynamic_cast<const T*>(Page) != nullptr; };
        return result;
    }

private:
    bool (*FIsInstance)(const TParamPage*) = nullptr;
};

// The pages' bold Arial of the given pixel size.
QFont BoldArial(int PixelSize);
// The colour of a label's text (Qt::black, Qt::red, the darker green of "clGreen").
void SetFontColor(QWidget* Control, const QColor& Color);
inline const QColor clGreen(0, 128, 0);

// The class of page T. Where T is only declared, DECLARE_PAGE_CLASS(T) lets
// ClassOf<T> be used; DEFINE_PAGE_CLASS(T) in T's own .cpp makes it.
template <class T>
TParamPageClass ClassOf() { return TParamPageClass::Of<T>(); }

#define DECLARE_PAGE_CLASS(T) \
    class T;                  \
    extern template TParamPageClass ClassOf<T>()
#define DEFINE_PAGE_CLASS(T) template TParamPageClass ClassOf<T>()

class TParamPage : public QWidget {
    Q_OBJECT
public:
    // The caption is the title the main window shows above the page.
    // A page with its form name (objectName) and caption (windowTitle).
    TParamPage(const char* FormName, const QString& Caption);
    ~TParamPage() override;

    // Moves the page into AOwner (appended) or, with none, out of any list.
    void SetOwner(TParamPages* AOwner);
    TParamPages* Owner() const { return FOwner; }
    int Index() const;
    QString Info() { return GetInfo(); }
    QString Caption() const { return windowTitle(); }

    // The page to return to with "< Назад".
    TParamPage* PrevPage = nullptr;

    virtual QString GetInfo() { return {}; }
    // The main window is closing.
    virtual void CloseEvent() {}
    // Validates and acts; raises to stay, else names the next page class.
    virtual void Next() {}
    // Before the main window goes back.
    virtual void Prev() {}
    virtual void UpdatePage() {}
    virtual void SetDefaults() {}
    virtual void UpdateObject() {}
    // Before the main window returns to the first page.
    virtual void Home() {}

protected:
    // Runs (through the guard) each time the main window shows the page.
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;

private:
    TParamPages* FOwner = nullptr;
};

class TParamPages : public TOwnedList<TParamPage> {
public:
    TParamPages() = default;
    // Frees every page.
    ~TParamPages() { Clear(); }
    // The first page of the class or of a class derived from it; nullptr if none.
    TParamPage* PageByClass(const TParamPageClass& AClass) const
    {
        return FindFirst([&](const TParamPage* Page) { return AClass.IsInstance(Page); });
    }
    template <class T>
    T* PageByClass() const { return ByClass<T>(); }
    // CloseEvent of every page in list order.
    void CloseEvent();

    int PageIndex = 0;
};

} // namespace Regmaven
