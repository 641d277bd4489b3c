#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "tests/TestSupport.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(Guard, AbortIsSilentOtherExceptionsShowTheirMessage)
{
    SetApplicationTitle("Brannic: Driver test");
    EXPECT_FALSE(RunGuarded([] { Abort(); }));
    EXPECT_TRUE(TestDialogs().shown().empty());

    EXPECT_FALSE(RunGuarded([] { throw EConvertError("'x' is not a valid integer value"); }));
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(TestDialogs().shown()[0].message.caption, "Brannic: Driver test");
    EXPECT_EQ(TestDialogs().lastMessage(), "'x' is not a valid integer value");
    EXPECT_EQ(EAbort().Message(), "Operation aborted");
}

namespace {
struct Handlers : QObject {
    int clicks = 0;
    void btnClick() { ++clicks; throw Exception("boom"); }
};
} // namespace

TEST(Guard, ConnectedHandlerIgnoresSignalArgumentsAndNeverLeaksExceptions)
{
    QPushButton button;
    Handlers h;
    QObject::connect(&button, &QPushButton::clicked, &h, Guarded(&h, &Handlers::btnClick));
    button.click();
    EXPECT_EQ(h.clicks, 1);
    EXPECT_EQ(TestDialogs().lastMessage(), "boom");
}

TEST(Dialogs, ScriptedAnswersAreTakenInOrderAndUnscriptedQuestionsCount)
{
    TestDialogs().answerMessage(Dialogs::mrYes);
    EXPECT_EQ(Dialogs::MessageBox("Q?", "T", Dialogs::Buttons::YesNo), Dialogs::mrYes);
    EXPECT_EQ(Dialogs::MessageBox("Q?", "T", Dialogs::Buttons::OkCancel), Dialogs::mrCancel);
    EXPECT_EQ(TestDialogs().unexpected(), 1);
    TestDialogs().answerFile("/tmp/x.txt");
    EXPECT_EQ(Dialogs::SaveFileName("Save", "*.txt"), "/tmp/x.txt");
    QString v = "1";
    TestDialogs().answerPromptCancel();
    EXPECT_FALSE(Dialogs::InputQuery("C", "P", v));
    EXPECT_EQ(v, "1");
}
