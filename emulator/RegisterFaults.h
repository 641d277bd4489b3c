#pragma once
// Faults on demand: a method answers with a given code instead of working.
#include "core/binding/OrvekMembers.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class RegisterFaults {
public:
    // The next Count calls of the method return Code.
    void FailNext(OrvekMethod method, std::int32_t code, int count = 1);
    // The k-th call of the method from now (1 = the next one) returns Code, once.
    void FailOnCall(OrvekMethod method, int k, std::int32_t code);
    // The next Count calls of any method return Code.
    void FailAny(std::int32_t code, int count = 1);
    // The next Count calls of the method made while the property Key holds
    // Value (a table, field or register number) return Code.
    void FailWhen(OrvekMethod method, OrvekProp key, std::int32_t value, std::int32_t code, int count = 1);
    void Clear();
    bool Empty() const { return FFaults.empty(); }

    // Asked for every call that reaches the register: the code to answer
    // instead of working, if a fault is due. `value` reads the call's
    // properties for the keyed faults (none: keyed faults stay).
    using PropertyReader = std::function<std::int32_t(OrvekProp)>;
    std::optional<std::int32_t> Take(OrvekMethod method, const PropertyReader& value = {});

    // Parses a fault of the bench file: "Method Code xN" (next N calls),
    // "Method Code @K" (the K-th call), "Method Code" (the next call);
    // Method "*" stands for any method. "Method Code Prop=Value [xN]" fails
    // while the property holds the value ("GetTableStruct 75 TableNumber=3").
    // Returns an error text, empty when
    // the fault was added.
    QString AddFromText(const QString& text);

private:
    struct Fault {
        std::optional<OrvekMethod> Method;  // none: any method
        std::int32_t Code = 0;
        int Remaining = 0;  // calls still to fail (FailNext, FailAny)
        int Countdown = 0;  // calls to let pass before failing once (FailOnCall)
        std::optional<OrvekProp> Key;  // FailWhen: fails only while Key holds KeyValue
        std::int32_t KeyValue = 0;
    };
    std::vector<Fault> FFaults;
};
