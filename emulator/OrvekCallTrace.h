#pragma once
// What a driver object was told, for tests: each method called, with the
// properties written since the call before it, in the order written.
//
//   TestComponent().Trace().Clear();
//   ... click ...
//   EXPECT_EQ(TestComponent().Trace().Lines(),
//             QStringList{"FinishDocument(FinishDocumentMode=1)"});
#include "core/binding/OrvekMembers.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <utility>
#include <vector>

struct OrvekTracedCall {
    OrvekMethod Method;
    std::vector<std::pair<OrvekProp, QVariant>> Written;
    // "Method(Prop=value, Prop=value)"; booleans as True/False.
    QString Text() const;
};

class OrvekCallTrace {
public:
    void Written(OrvekProp prop, const QVariant& value);
    void Called(OrvekMethod method);

    // The latest 100000 calls, oldest first.
    const std::deque<OrvekTracedCall>& Calls() const { return FCalls; }
    QStringList Lines() const;
    // The methods alone.
    std::vector<OrvekMethod> Methods() const;
    void Clear();

private:
    std::deque<OrvekTracedCall> FCalls;
    std::vector<std::pair<OrvekProp, QVariant>> FPending;
};
