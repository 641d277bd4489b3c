#pragma once
// What a driver object was told, in order: property writes and method calls.
// Off until started; keeps the latest 10000 entries.
//
//   TestComponent().Trace().Start();
//   ... drive a page ...
//   EXPECT_EQ(TestComponent().Trace().Lines(), (QStringList{"TagNumber=1222", "FNSendTagOperation"}));
#include "core/binding/OrvekMembers.h"

#include <QStringList>
#include <QVariant>
#include <deque>
#include <optional>

class OrvekTrace {
public:
    struct Entry {
        std::optional<OrvekProp> Prop;  // a write; none: a call
        OrvekMethod Method{};
        QVariant Value;
        QString Text() const;           // "Name=value" or "Method"
    };

    void Start() { FActive = true; }
    void Stop() { FActive = false; }
    void Clear() { FEntries.clear(); }
    bool Active() const { return FActive; }

    void Put(OrvekProp prop, const QVariant& value);
    void Call(OrvekMethod method);

    const std::deque<Entry>& Entries() const { return FEntries; }
    QStringList Lines() const;
    // The method calls alone.
    QStringList Calls() const;
    // The values written to a property, in order.
    QList<QVariant> Writes(OrvekProp prop) const;

private:
    void Add(Entry entry);

    bool FActive = false;
    std::deque<Entry> FEntries;
};
