#include "emulator/OrvekCallTrace.h"

namespace {
constexpr std::size_t MaxCalls = 100000;
constexpr std::size_t MaxPending = 1000;  // writes kept before one call

QString Name(std::string_view name)
{
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QString ValueText(OrvekProp prop, const QVariant& value)
{
    if (PropInfo(prop).Kind == OrvekKind::WordBool)
        return value.toInt() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}
} // namespace

QString OrvekTracedCall::Text() const
{
    QStringList props;
    for (const auto& [prop, value] : Written)
        props << Name(PropInfo(prop).Name) + QLatin1Char('=') + ValueText(prop, value);
    return Name(MethodName(Method)) + QLatin1Char('(') + props.join(QStringLiteral(", ")) + QLatin1Char(')');
}

void OrvekCallTrace::Written(OrvekProp prop, const QVariant& value)
{
    if (FPending.size() >= MaxPending)
        FPending.erase(FPending.begin());
    FPending.emplace_back(prop, value);
}

void OrvekCallTrace::Called(OrvekMethod method)
{
    if (FCalls.size() >= MaxCalls)
        FCalls.pop_front();
    FCalls.push_back({method, std::exchange(FPending, {})});
}

QStringList OrvekCallTrace::Lines() const
{
    QStringList lines;
    for (const OrvekTracedCall& call : FCalls)
        lines << call.Text();
    return lines;
}

std::vector<OrvekMethod> OrvekCallTrace::Methods() const
{
    std::vector<OrvekMethod> methods;
    for (const OrvekTracedCall& call : FCalls)
        methods.push_back(call.Method);
    return methods;
}

void OrvekCallTrace::Clear()
{
    FCalls.clear();
    FPending.clear();
}
