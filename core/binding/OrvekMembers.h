#pragma once
// The driver members of OrvekMembers.def as enumerations, their dispatch ids
// and what is known of each (name, kind, read-only mark).
#include "core/binding/OrvekTypes.h"

#include <cstdint>
#include <optional>
#include <string_view>

enum class OrvekProp : std::int32_t {
#define ORVEK_PROPERTY(Name, Kind, Access) Name,
#include "core/binding/OrvekMembers.def"
};

enum class OrvekMethod : std::int32_t {
#define ORVEK_METHOD(Name) Name,
#include "core/binding/OrvekMembers.def"
};

inline constexpr int OrvekPropCount = 0
#define ORVEK_PROPERTY(Name, Kind, Access) +1
#include "core/binding/OrvekMembers.def"
    ;
inline constexpr int OrvekMethodCount = 0
#define ORVEK_METHOD(Name) +1
#include "core/binding/OrvekMembers.def"
    ;

// Dispatch ids: properties from 1, methods from 1001.
inline constexpr std::int32_t OrvekPropDispBase = 1;
inline constexpr std::int32_t OrvekMethodDispBase = 1001;
constexpr std::int32_t DispId(OrvekProp p) { return OrvekPropDispBase + std::int32_t(p); }
constexpr std::int32_t DispId(OrvekMethod m) { return OrvekMethodDispBase + std::int32_t(m); }
std::optional<OrvekProp> PropByDispId(std::int32_t dispId);
std::optional<OrvekMethod> MethodByDispId(std::int32_t dispId);

struct OrvekPropInfo {
    std::string_view Name;
    OrvekKind Kind;
    bool ReadOnly;
};

const OrvekPropInfo& PropInfo(OrvekProp prop);
std::string_view MethodName(OrvekMethod method);
// By the component's member name (case sensitive).
std::optional<OrvekProp> PropByName(std::string_view name);
std::optional<OrvekMethod> MethodByName(std::string_view name);
