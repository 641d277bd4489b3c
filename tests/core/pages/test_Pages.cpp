#include "platform/ui/NamedControls.h"
#include "core/pages/fmuTabbedPage.h"
#include "core/pages/untPages.h"
#include "platform/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FormBuilder.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
// A page with buttons at several depths: on the page, in a group box, in a tab sheet.
class TfmSample : public TPage {
public:
    explicit TfmSample(QWidget* owner = nullptr) : TPage(owner)
    {
        setObjectName("fmSample");
        auto* layout = new QVBoxLayout(this);
        edtValue = NewEdit(this, "edtValue");
        btnFirst = NewButton(this, "btnFirst", "Первая", this, &TfmSample::btnFirstClick);
        auto* grp = NewGroupBox(this, "grpBox", "Группа");
        btnInGroup = NewButton(grp, "btnInGroup", "В группе", this, &TfmSample::btnFirstClick);
        auto* tabs = NewControl<QTabWidget>(this, "PageControl");
        auto* sheet = new QWidget;
        btnInTab = NewButton(sheet, "btnInTab", "На вкладке", this, &TfmSample::btnFirstClick);
        tabs->addTab(sheet, "Лист");
        for (QWidget* w : {static_cast<QWidget*>(edtValue), static_cast<QWidget*>(btnFirst), static_cast<QWidget*>(grp),
                           static_cast<QWidget*>(tabs)})
            layout->addWidget(w);
    }
    QList<QPushButton*> Buttons() const { return {btnFirst, btnInGroup, btnInTab}; }
    void btnFirstClick() {}
    void UpdatePage() override { ++updatePage; }
    void UpdateObject() override { ++updateObject; }

    QLineEdit* edtValue;
    QPushButton* btnFirst;
    QPushButton* btnInGroup;
    QPushButton* btnInTab;
    int updatePage = 0;
    int updateObject = 0;
};

class TfmDerived : public TfmSample {
public:
    using TfmSample::TfmSample;
};

class TfmOther : public TPage {
public:
    using TPage::TPage;
};

// A window holding a page and, beside it, a button that is not the page's.
struct Window {
    QWidget window;
    TfmSample* page = new TfmSample(&window);
    QPushButton* outside = new QPushButton("Закрыть", &window);
    Window()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(page);
        layout->addWidget(outside);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

struct NotifierLog {
    std::vector<std::pair<TChangeType, bool>> calls;   // change type, first button enabled then
    explicit NotifierLog(QPushButton* watched)
    {
        PageNotifier().SetOnChange([this, watched](TPageNotifier*, TChangeType t) { calls.emplace_back(t, watched->isEnabled()); });
    }
    ~NotifierLog() { PageNotifier().SetOnChange({}); }
};
} // namespace

TEST(EnableButtons, PageVariantEnablesEveryButtonBaseVariantOnlyThoseItDisabled)
{
    Window w;
    w.page->btnInGroup->setEnabled(false);   // disabled by the page beforehand
    w.page->EnableButtons(false);
    for (QPushButton* b : w.page->Buttons())
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(w.outside->isEnabled());   // not the page's
    w.page->EnableButtons(true);
    for (QPushButton* b : w.page->Buttons())
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();

    w.page->btnInGroup->setEnabled(false);
    w.page->TBaseForm::EnableButtons(false);
    EXPECT_FALSE(w.page->btnFirst->isEnabled());
    EXPECT_FALSE(w.page->btnInTab->isEnabled());
    EXPECT_EQ(Tag(w.page->btnFirst), 1);
    EXPECT_EQ(Tag(w.page->btnInGroup), 0);   // was disabled already: left unmarked
    w.page->TBaseForm::EnableButtons(true);
    EXPECT_TRUE(w.page->btnFirst->isEnabled());
    EXPECT_TRUE(w.page->btnInTab->isEnabled());
    EXPECT_FALSE(w.page->btnInGroup->isEnabled());
    EXPECT_EQ(Tag(w.page->btnFirst), 0);
}

TEST(EnableButtons, RememberedButtonGetsTheFocusBackEvenWhenNoneHadItLater)
{
    Window w;
    w.page->btnInGroup->setFocus();
    ASSERT_TRUE(w.page->btnInGroup->hasFocus());
    w.page->EnableButtons(false);
    w.page->EnableButtons(true);
    EXPECT_TRUE(w.page->btnInGroup->hasFocus());

    w.page->edtValue->setFocus();   // the next call starts from an edit
    w.page->EnableButtons(false);
    EXPECT_TRUE(w.page->edtValue->hasFocus());
    w.page->EnableButtons(true);
    EXPECT_TRUE(w.page->btnInGroup->hasFocus());   // the earlier one still remembered
}

// Disabling the focused button moves Qt's focus on to the next button; the
// pressed one is still the one that gets the focus back.
TEST(EnableButtons, PressedButtonGetsTheFocusBackThoughDisablingItMovedTheFocusOn)
{
    Window w;
    for (bool pageVariant : {true, false}) {
        const auto enable = [&](bool value) {
            if (pageVariant)
                w.page->EnableButtons(value);
            else
                w.page->TBaseForm::EnableButtons(value);
        };
        w.page->btnFirst->setFocus();
        ASSERT_TRUE(w.page->btnFirst->hasFocus());
        enable(false);
        enable(true);
        EXPECT_TRUE(w.page->btnFirst->hasFocus()) << pageVariant << " focus on "
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
    }
}

TEST(EnableButtons, NotifierFiresBeforeTheFirstButtonChanges)
{
    Window w;
    {
        NotifierLog log(w.page->btnFirst);
        w.page->EnableButtons(false);
        w.page->EnableButtons(true);
        ASSERT_EQ(log.calls.size(), 2u);
        EXPECT_EQ(log.calls[0], std::make_pair(ctStart, true));    // still enabled when ctStart fires
        EXPECT_EQ(log.calls[1], std::make_pair(ctStop, false));    // still disabled when ctStop fires
    }
    w.page->EnableButtons(false);   // no listener: the buttons are walked all the same
    EXPECT_FALSE(w.page->btnFirst->isEnabled());
    w.page->EnableButtons(true);
}

TEST(EnableButtons, FrameEnablesAgainOnEveryPath)
{
    Window w;
    NotifierLog log(w.page->btnFirst);
    EXPECT_THROW(
        [&] {
            TEnableButtonsFrame frame(w.page);
            EXPECT_FALSE(w.page->btnFirst->isEnabled());
            TPage::Check(80);
        }(),
        EAbort);
    EXPECT_TRUE(w.page->btnFirst->isEnabled());
    EXPECT_THROW(
        [&] {
            TEnableButtonsFrame frame(w.page);
            throw EConvertError("bad");
        }(),
        EConvertError);
    EXPECT_TRUE(w.page->btnInTab->isEnabled());
    ASSERT_EQ(log.calls.size(), 4u);
    EXPECT_EQ(log.calls[3].first, ctStop);
    EXPECT_NO_THROW(TPage::Check(0));
}

namespace {
enum class TEnd { Normal, Abort, Error };

// A form with a stop button and a job framed by the builder (btnRun) or by
// the handler itself (btnOwnFrame); the job enables "Прервать" when told so,
// clicks it while it runs and ends as told.
template <class TBase>
class TStopSample : public TBase {
public:
    using T = TStopSample;
    TStopSample()
    {
        TFormBuilder<T> b(this);
        b.Buttons(1, {
            {NAMED(btnRun), "Пуск", &T::btnRunClick},
            {NAMED(btnOwnFrame), "Пуск в своей рамке", &T::btnOwnFrameClick, {}, TRun::Plain},
            {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
        });
    }
    QPushButton* btnRun;
    QPushButton* btnOwnFrame;
    QPushButton* btnStop;

    bool EnableStop = false;
    TEnd End = TEnd::Normal;
    bool StopEnabledInJob = false;
    bool RunEnabledInJob = true;
    int Stops = 0;

private:
    void btnRunClick() { Job(); }
    void btnOwnFrameClick()
    {
        TEnableButtonsFrame frame(this);
        Job();
    }
    void btnStopClick() { ++Stops; }
    void Job()
    {
        if (EnableStop)
            btnStop->setEnabled(true);
        StopEnabledInJob = btnStop->isEnabled();
        btnStop->click();   // runs plain: the frame stays open
        RunEnabledInJob = btnRun->isEnabled();
        if (End == TEnd::Abort)
            TPage::Check(80);
        if (End == TEnd::Error)
            throw EConvertError("bad");
    }
};

template <class TBase>
void CheckStopButtonRule()
{
    TStopSample<TBase> form;
    const qsizetype shown = TestDialogs().messages().size();
    EXPECT_FALSE(form.btnStop->isEnabled());   // at rest
    EXPECT_TRUE(IsStopButton(form.btnStop));
    EXPECT_FALSE(IsStopButton(form.btnRun));
    for (QPushButton* start : {form.btnRun, form.btnOwnFrame})
        for (bool enableStop : {true, false})
            for (TEnd end : {TEnd::Normal, TEnd::Abort, TEnd::Error}) {
                SCOPED_TRACE(start->objectName().toStdString() + " stop enabled " + std::to_string(enableStop) +
                             " end " + std::to_string(int(end)));
                form.EnableStop = enableStop;
                form.End = end;
                form.Stops = 0;
                start->click();
                EXPECT_EQ(form.StopEnabledInJob, enableStop);
                EXPECT_EQ(form.Stops, enableStop ? 1 : 0);
                EXPECT_FALSE(form.RunEnabledInJob);
                EXPECT_FALSE(form.btnStop->isEnabled());
                EXPECT_TRUE(form.btnRun->isEnabled());
                EXPECT_TRUE(form.btnOwnFrame->isEnabled());
            }
    EXPECT_EQ(TestDialogs().messages().size(), shown + 4);   // the errors; the aborts are silent
}
} // namespace

// "Прервать" is usable only while the page enables it for its job; the frame
// leaves it disabled on every path, in both variants of EnableButtons.
TEST(EnableButtons, FrameLeavesTheStopButtonDisabled)
{
    {
        SCOPED_TRACE("page");
        CheckStopButtonRule<TPage>();
    }
    {
        SCOPED_TRACE("base form");
        CheckStopButtonRule<TBaseForm>();
    }
}

TEST(Pages, ListOrderLookupAndClassTest)
{
    TPages pages;
    EXPECT_EQ(pages.Count(), 0);
    EXPECT_EQ(pages.PageByClass(PageClass<TPage>()), nullptr);   // empty list
    auto* group = new TfmTabbedPage;
    auto* derived = new TfmDerived;
    auto* sample = new TfmSample;
    for (TPage* p : {static_cast<TPage*>(group), static_cast<TPage*>(derived), static_cast<TPage*>(sample)})
        p->SetOwner(&pages);
    EXPECT_EQ(pages.Count(), 3);
    EXPECT_EQ(pages.GetItem(1), derived);
    EXPECT_EQ(pages.GetItemIndex(sample), 2);
    EXPECT_EQ(pages.GetItemIndex(nullptr), -1);
    EXPECT_THROW(pages.GetItem(3), EListError);
    EXPECT_THROW(pages.GetItem(-1), EListError);

    EXPECT_EQ(pages.PageByClass(PageClass<TPage>()), group);        // the first group
    EXPECT_EQ(pages.PageByClass<TfmSample>(), derived);             // a derived class counts
    EXPECT_EQ(pages.PageByClass<TfmDerived>(), derived);
    EXPECT_EQ(pages.PageByClass<TfmOther>(), nullptr);

    TPage* made = PageClass<TfmOther>().Create(nullptr);            // the virtual constructor
    EXPECT_TRUE(PageClass<TfmOther>().Matches(made));
    made->SetOwner(&pages);
    EXPECT_EQ(pages.GetItem(3), made);
    made->SetOwner(nullptr);
    EXPECT_EQ(pages.Count(), 3);
    delete made;

    delete sample;   // a freed page leaves the list
    EXPECT_EQ(pages.Count(), 2);
    derived->SetOwner(nullptr);
    group->SetOwner(nullptr);
    EXPECT_EQ(pages.Count(), 0);
    group->SetOwner(&pages);   // the list comes back
    EXPECT_EQ(pages.Count(), 1);
    delete derived;
}

TEST(Pages, DestructorFreesGroupsWithTheirTabPages)
{
    QPointer<TfmTabbedPage> group;
    QPointer<TfmSample> inTab;
    QPointer<TfmOther> alone;
    {
        TPages pages;
        group = new TfmTabbedPage;
        group->SetOwner(&pages);
        inTab = new TfmSample;
        group->AddPage(inTab);
        inTab->SetOwner(&pages);
        alone = new TfmOther;
        alone->SetOwner(&pages);
        EXPECT_EQ(pages.Count(), 3);
    }
    EXPECT_TRUE(group.isNull());
    EXPECT_TRUE(inTab.isNull());
    EXPECT_TRUE(alone.isNull());
}

TEST(TabbedPage, UserSwitchWritesTheLeftTabAndRefreshesTheChosenOneCodeDoesNeither)
{
    TfmTabbedPage group;
    auto* a = new TfmSample;
    auto* b = new TfmSample;
    a->setWindowTitle("Первая");
    b->setWindowTitle("Вторая");
    group.AddPage(a);
    group.AddPage(b);
    group.resize(500, 400);
    group.show();
    EXPECT_EQ(group.PageControl->tabText(1), "Вторая");

    group.UpdatePage();
    group.UpdateObject();
    EXPECT_EQ(a->updatePage, 1);
    EXPECT_EQ(a->updateObject, 1);
    EXPECT_EQ(b->updatePage + b->updateObject, 0);

    group.SetActiveTab(1);   // from code
    EXPECT_EQ(group.PageControl->currentIndex(), 1);
    EXPECT_EQ(a->updateObject, 1);
    EXPECT_EQ(b->updatePage, 0);

    QTabBar* bar = group.PageControl->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());   // by hand
    EXPECT_EQ(group.PageControl->currentIndex(), 0);
    EXPECT_EQ(b->updateObject, 1);
    EXPECT_EQ(a->updatePage, 2);
    EXPECT_EQ(a->updateObject, 1);
}

TEST(TabbedPage, WithoutAPageInTheActiveTabNothingIsForwarded)
{
    TfmTabbedPage empty;
    EXPECT_NO_THROW(empty.UpdatePage());
    EXPECT_NO_THROW(empty.UpdateObject());
    empty.PageControl->addTab(new QWidget, "пустая");
    EXPECT_EQ(empty.TabPage(0), nullptr);
    EXPECT_NO_THROW(empty.UpdatePage());
}

namespace {
struct Counter : QObject {
    int n = 0;
    void Handler() { ++n; }
};
} // namespace

TEST(NamedControls, HandlersRunOnTheEventsTheOriginalControlsRaise)
{
    QWidget form;
    Counter combo, check, radio, group, spin;
    auto* cb = NewComboBox(&form, "cbKind", {"a", "b"});
    auto* chb = NewCheckBox(&form, "chbFlag", "");
    auto* rb = NewRadioButton(&form, "rbOne", "");
    auto* rg = NewRadioGroup(&form, "rgMode", "", {"x", "y"});
    auto* se = NewSpinEdit(&form, "seCount", 0, 0, 0);
    OnChange(cb, &combo, &Counter::Handler);
    OnClick(chb, &check, &Counter::Handler);
    OnClick(rb, &radio, &Counter::Handler);
    OnClick(rg, &group, &Counter::Handler);
    OnChange(se, &spin, &Counter::Handler);
    EXPECT_EQ(cb->objectName(), "cbKind");

    cb->setCurrentIndex(1);   // ItemIndex := from code runs nothing
    EXPECT_EQ(combo.n, 0);
    emit cb->activated(0);    // the user's choice
    EXPECT_EQ(combo.n, 1);
    chb->setChecked(true);    // Checked := runs OnClick
    chb->setChecked(false);
    EXPECT_EQ(check.n, 2);
    rb->setChecked(true);
    rb->setAutoExclusive(false);
    rb->setChecked(false);    // only becoming checked counts
    EXPECT_EQ(radio.n, 1);
    rg->SetItemIndex(1);
    EXPECT_EQ(group.n, 1);
    se->setValue(-2000000000);   // a spin edit without limits
    EXPECT_EQ(se->value(), -2000000000);
    EXPECT_EQ(spin.n, 1);
}
