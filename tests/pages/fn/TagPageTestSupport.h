#pragma once
// A tag entry page inside the real main window, against the emulated
// register: the trace of what the page told the driver and the tags that
// reached the FN.
#include "core/binding/OrvekTypes.h"
#include "core/pages/untPages.h"
#include "emulator/RegisterTags.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QLineEdit>

template <class TPageClass>
class TagPageTest : public MainPageTest<TPageClass> {
protected:
    using MainPageTest<TPageClass>::Main;
    using MainPageTest<TPageClass>::Page;

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MainPageTest<TPageClass>::SetUp());
        Trace().Clear();
    }

    static OrvekCallTrace& Trace() { return TestComponent().Trace(); }
    // The methods called, by name.
    static QStringList Calls()
    {
        QStringList names;
        for (OrvekMethod method : Trace().Methods())
            names << QString::fromLatin1(MethodName(method).data(), qsizetype(MethodName(method).size()));
        return names;
    }
    // The values written to a property before the calls, in order.
    static QList<QVariant> Writes(OrvekProp prop)
    {
        QList<QVariant> values;
        for (const OrvekTracedCall& call : Trace().Calls())
            for (const auto& [written, value] : call.Written)
                if (written == prop)
                    values << value;
        return values;
    }
    static const std::vector<FNTag>& Sent() { return TestRegister().Area<RegisterTags>().Sent; }
    QString Panel() const { return Main->edtResult->text(); }

    // A receipt being built, with one item when asked; the trace starts after it.
    static void OpenReceipt(bool withItem = true)
    {
        if (withItem) {
            Driver().setPrice(100 * 10000);
            Driver().setQuantity(1);
            Driver().setDepartment(1);
            ASSERT_EQ(Driver().Sale(), 0);
        } else {
            ASSERT_EQ(Driver().OpenCheck(), 0);
        }
        Trace().Clear();
    }

    // The numbers of a composite's tags.
    static std::vector<int> Numbers(const std::vector<FNTag>& tags)
    {
        std::vector<int> numbers;
        for (const FNTag& t : tags)
            numbers.push_back(t.Number);
        return numbers;
    }
};
