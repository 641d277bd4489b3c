#pragma once
// TOwnedList<T>: an ordered list that owns its items. The items still in it
// are deleted when the list goes (first item first). A derived list whose
// items take themselves out of it when deleted (as pages do) calls Clear() in
// its own destructor, so that runs while the derived list is whole.
//
//   class TPages : public TOwnedList<TPage> { ... };
//   pages.InsertItem(page);          // owned from now on
//   pages.GetItem(0);                // EListError outside 0..Count-1
//   pages.ByClass<TfmFNAgent>();     // first item of the class or a derived one
#include "platform/Exceptions.h"

#include <QList>

template <class T>
class TOwnedList {
public:
    TOwnedList() = default;
    ~TOwnedList() { Clear(); }
    TOwnedList(const TOwnedList&) = delete;
    TOwnedList& operator=(const TOwnedList&) = delete;

    int Count() const { return int(FItems.size()); }
    // Raises EListError for a position outside 0..Count-1.
    T* GetItem(int Index) const
    {
        if (Index < 0 || Index >= Count())
            throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
        return FItems.at(Index);
    }
    // The item's position; -1 when it is not in the list.
    int GetItemIndex(const T* Item) const { return int(FItems.indexOf(const_cast<T*>(Item))); }
    // Appends the item; the list owns it from now on.
    void InsertItem(T* Item) { FItems.append(Item); }
    // Takes the item out without deleting it; nothing when it is not in the list.
    void RemoveItem(const T* Item) { FItems.removeOne(const_cast<T*>(Item)); }
    // Deletes every item, the first first.
    void Clear()
    {
        while (!FItems.isEmpty())
            delete FItems.takeFirst();
    }

    // The first item for which Matches(item) holds; null when none.
    template <class Predicate>
    T* FindFirst(Predicate Matches) const
    {
        for (T* item : FItems)
            if (Matches(item))
                return item;
        return nullptr;
    }
    // The first item of class U or of a class derived from it; null when none.
    template <class U>
    U* ByClass() const
    {
        for (T* item : FItems)
            if (auto* found = dynamic_cast<U*>(item))
                return found;
        return nullptr;
    }

    auto begin() const { return FItems.cbegin(); }
    auto end() const { return FItems.cend(); }

private:
    QList<T*> FItems;
};
