// The edits' length limits on every page: typing and pasting stop at them,
// text from code and stored values stays whole.
#include "core/settings/ControlStore.h"
#include "lumaqtst/PageTable.h"
#include "lumaqtst/fmuMain.h"
#include "pages/receipts/fmuReceipt.h"
#include "platform/Registry.h"
#include "platform/ui/EditLimit.h"
#include "tests/DriverTestSupport.h"
#include "tests/EditLimitCheck.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {
class EditLimitsTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
    }
};
} // namespace

TEST_F(EditLimitsTest, EveryPagesLimitsHoldForTypingAndPastingOnly)
{
    TfmMain w;
    for (const TPageGroup& group : PageGroups())
        for (const TPageClass& pageClass : group.Pages)
            ASSERT_NE(w.Pages().PageByClass(pageClass), nullptr);
    ExpectEditLimitsHold(&w);
}

TEST_F(EditLimitsTest, StoredValuesLongerThanTheLimitAreRestoredWhole)
{
    const QString path = "fmMain.pnlMain.pnlSite.fmTabbedPage_3.PageControl..fmReceipt.";
    const struct {
        const char* Name;
        QString Value;
    } cases[] = {
        {"edtPrice", QString(20, u'9')},
        {"edtQuantity", QString(30, u'1')},
        {"edtName", QString(4100, u'Б')},
    };
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, true));
        for (const auto& c : cases)
            reg.WriteString(path + c.Name, c.Value);
    }
    TfmMain w;
    w.show();
    w.ListBox->setCurrentRow(3);
    auto* page = w.Pages().PageByClass<TfmReceipt>();
    ASSERT_NE(page, nullptr);
    for (const auto& c : cases) {
        auto* edit = page->findChild<QLineEdit*>(c.Name);
        ASSERT_NE(edit, nullptr) << c.Name;
        EXPECT_GT(c.Value.size(), EditLimit(edit)) << c.Name;
        EXPECT_EQ(edit->text(), c.Value) << c.Name;
    }
}
