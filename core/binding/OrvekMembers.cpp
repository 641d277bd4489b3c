#include "core/binding/OrvekMembers.h"

#include <array>

namespace {
#define RO true
#define RW false
constexpr std::array<OrvekPropInfo, OrvekPropCount> Props = {{
#define ORVEK_PROPERTY(Name, Kind, Access) {#Name, OrvekKind::Kind, Access},
#include "core/binding/OrvekMembers.def"
}};
#undef RO
#undef RW

constexpr std::array<std::string_view, OrvekMethodCount> Methods = {{
#define ORVEK_METHOD(Name) #Name,
#include "core/binding/OrvekMembers.def"
}};
} // namespace

std::optional<OrvekProp> PropByDispId(std::int32_t dispId)
{
    int i = dispId - OrvekPropDispBase;
    if (i < 0 || i >= OrvekPropCount)
        return std::nullopt;
    return OrvekProp(i);
}

std::optional<OrvekMethod> MethodByDispId(std::int32_t dispId)
{
    int i = dispId - OrvekMethodDispBase;
    if (i < 0 || i >= OrvekMethodCount)
        return std::nullopt;
    return OrvekMethod(i);
}

const OrvekPropInfo& PropInfo(OrvekProp prop)
{
    return Props[std::size_t(prop)];
}

std::string_view MethodName(OrvekMethod method)
{
    return Methods[std::size_t(method)];
}

std::optional<OrvekProp> PropByName(std::string_view name)
{
    for (std::size_t i = 0; i < Props.size(); ++i)
        if (Props[i].Name == name)
            return OrvekProp(i);
    return std::nullopt;
}

std::optional<OrvekMethod> MethodByName(std::string_view name)
{
    for (std::size_t i = 0; i < Methods.size(); ++i)
        if (Methods[i] == name)
            return OrvekMethod(i);
    return std::nullopt;
}
