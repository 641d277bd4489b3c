#pragma once
// The property store of one emulated driver object: every property of the
// member table with its start-up value, kept in its boundary form.
#include "core/binding/OrvekMembers.h"

#include <QVariant>
#include <array>

class OrvekPropertyStore {
public:
    // Every property at its start-up value.
    OrvekPropertyStore();

    const QVariant& Get(OrvekProp p) const { return FValues[std::size_t(p)]; }
    // Stores a value converted to the property's kind (a bool becomes the
    // WordBool -1/0, an amount is the raw Currency integer). Read-only
    // properties are set this way by the emulator itself.
    void Set(OrvekProp p, const QVariant& value);
    // A write from outside: raises EOleError for a read-only property or a
    // value that does not convert.
    void Put(OrvekProp p, const QVariant& value);

    // When the property was last written from outside, as a rising count
    // (0: never): of two views of one value the later write holds.
    std::uint64_t WriteOrder(OrvekProp p) const { return FWriteOrder[std::size_t(p)]; }

    std::int32_t Int(OrvekProp p) const { return Get(p).toInt(); }
    QString Str(OrvekProp p) const { return Get(p).toString(); }
    bool Bool(OrvekProp p) const { return Get(p).toInt() != 0; }
    Currency Curr(OrvekProp p) const { return Get(p).toLongLong(); }
    double Dbl(OrvekProp p) const { return Get(p).toDouble(); }

    // The start-up value of a property.
    static QVariant StartupValue(OrvekProp p);

private:
    std::array<QVariant, OrvekPropCount> FValues;
    std::array<std::uint64_t, OrvekPropCount> FWriteOrder{};
    std::uint64_t FWrites = 0;
};
