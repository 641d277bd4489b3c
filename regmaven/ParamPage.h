#pragma once
// TParamPage: base of every wizard page; TParamPages: the ordered page list.
//
// A page's Next either raises (the wizard stays on the page and the message
// is shown) or names the class of the next page in Controller().NextPageClass.
// Pages refresh themselves in FormShow, each time the main window shows them.
#include <QFont>
#include <QList>
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

template <class T>
TParamPageClass ClassOf() { return TParamPageClass::Of<T>(); }

class TParamPage : public QWidget {
    Q_OBJECT
public:
    // The caption is the title the main window shows above the page.
    explicit TParamPage(const QString& Caption);
    ~TParamPage() override;

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
    friend class TParamPages;
    TParamPages* FOwner = nullptr;
};

class TParamPages {
public:
    TParamPages() = default;
    // Frees every page.
    ~TParamPages();
    TParamPages(const TParamPages&) = delete;
    TParamPages& operator=(const TParamPages&) = delete;

    int Count() const { return int(FList.size()); }
    TParamPage* GetItem(int Index) const { return FList.at(Index); }
    int GetItemIndex(const TParamPage* Page) const;
    void InsertItem(TParamPage* Page);
    void RemoveItem(TParamPage* Page);
    // The first page of the class or of a class derived from it; nullptr if none.
    TParamPage* PageByClass(const TParamPageClass& AClass) const;
    template <class T>
    T* PageByClass() const { return static_cast<T*>(PageByClass(ClassOf<T>())); }
    // CloseEvent of every page in list order.
    void CloseEvent();

    int PageIndex = 0;

private:
    QList<TParamPage*> FList;
};

} // namespace Regmaven
