#include "emulator/OrvekTrace.h"

namespace {
constexpr std::size_t MaxEntries = 10000;

QString Name(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}
} // namespace

QString OrvekTrace::Entry::Text() const
{
    if (!Prop)
        return Name(MethodName(Method));
    return Name(PropInfo(*Prop).Name) + QLatin1Char('=') + Value.toString();
}

void OrvekTrace::Add(Entry entry)
{
    if (!FActive)
        return;
    FEntries.push_back(std::move(entry));
    if (FEntries.size() > MaxEntries)
        FEntries.pop_front();
}

void OrvekTrace::Put(OrvekProp prop, const QVariant& value)
{
    Add({prop, {}, value});
}

void OrvekTrace::Call(OrvekMethod method)
{
    Add({std::nullopt, method, {}});
}

QStringList OrvekTrace::Lines() const
{
    QStringList lines;
    for (const Entry& e : FEntries)
        lines << e.Text();
    return lines;
}

QStringList OrvekTrace::Calls() const
{
    QStringList calls;
    for (const Entry& e : FEntries)
        if (!e.Prop)
            calls << e.Text();
    return calls;
}

QList<QVariant> OrvekTrace::Writes(OrvekProp prop) const
{
    QList<QVariant> values;
    for (const Entry& e : FEntries)
        if (e.Prop == prop)
            values << e.Value;
    return values;
}
