#include "core/driver/untDriver.h"
#include "core/driver/ComPort.h"
#include "emulator/OrvekSettings.h"
#include "lumaqtst/Lumaq.h"
#include "lumaqtst/PageTable.h"
#include "lumaqtst/fmuAbout.h"
#include "lumaqtst/fmuMain.h"
#include "pages/fn/fmuExpayments.h"
#include "pages/fn/fmuFN.h"
#include "pages/fn/fmuReasonCodes.h"
#include "pages/receipts/fmuExpayments2.h"
#include "pages/receipts/fmuReceipt.h"
#include "pages/service/fmuConnection.h"
#include "pages/fn/fmuSelectFNDocumentRange.h"
#include "pages/service/fmuDump.h"
#include "pages/service/fmuLogicDevice.h"
#include "pages/service/fmuTable.h"
#include "pages/service/fmuPrintServer.h"
#include "platform/ui/NamedControls.h"
#include "core/settings/ControlStore.h"
#include "core/support/Format.h"
#include "core/settings/LangUtils.h"
#include "pages/receipts/fmuPrintText.h"
#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "platform/Registry.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/Controls.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QClipboard>
#include <QComboBox>
#include <QLayout>
#include <QSpinBox>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {
const QString PasswordValue = "fmMain.pnlMain.pnlInfo.edtPassword";

class MainWindowTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        QFile::remove(TRegistry::DefaultFileName());
        SetApplicationTitle("Brannic: Driver test");
    }

    static void Store(const std::function<void(TRegistry&)>& write)
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, true));
        write(reg);
    }

    static TfmTabbedPage* Group(TfmMain& w, int row)
    {
        return qobject_cast<TfmTabbedPage*>(w.ListBox->item(row)->data(Qt::UserRole).value<QObject*>());
    }

    // Shows the page of the class as the user does: its group in the list,
    // then its tab; the page as shown.
    template <class T>
    static T* ShowPageOf(TfmMain& w)
    {
        const auto& groups = PageGroups();
        for (int g = 0; g < int(groups.size()); ++g)
            for (int t = 0; t < int(groups[g].Pages.size()); ++t)
                if (*groups[g].Pages[t].Type == typeid(T)) {
                    w.ListBox->setCurrentRow(g);
                    ClickTab(Group(w, g), t);
                    return qobject_cast<T*>(Group(w, g)->MadePage(t));
                }
        return nullptr;
    }

    static void ClickTab(TfmTabbedPage* group, int index)
    {
        QTabBar* bar = group->PageControl->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
};

// A page whose button calls the driver the way every page handler does.
class TfmCallPage : public TPage {
public:
    TfmCallPage() : TPage(nullptr, "fmCallPage", "Вызов")
    {
        btnBeep = NewButton(this, "btnBeep", "Гудок", this, &TfmCallPage::btnBeepClick);
    }
    void btnBeepClick()
    {
        ++runs;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        struct Leave { int& d; ~Leave() { --d; } } leave{depth};
        TEnableButtonsFrame frame(this);
        if (raise)
            throw EConvertError("bad input");
        Driver().Beep();
    }
    QPushButton* btnBeep;
    int runs = 0, depth = 0, maxDepth = 0;
    bool raise = false;
};

class TfmRecordPage : public TPage {
public:
    TfmRecordPage() : TPage(nullptr, "fmRecordPage", "Запись") {}
    void UpdatePage() override { ++updatePage; }
    void UpdateObject() override { ++updateObject; }
    int updatePage = 0, updateObject = 0;
};
} // namespace

TEST_F(MainWindowTest, FirstStartShowsTheFirstGroupAtTheFirstStartSizeCentred)
{
    TfmMain w;
    w.show();
    ASSERT_EQ(w.ListBox->count(), 12);
    EXPECT_EQ(w.ListBox->item(0)->text(), "  01. Состояние");
    EXPECT_EQ(w.ListBox->item(2)->text(), "  03. ФН чеки (ФФД 1.05-1.2)");
    EXPECT_EQ(w.ListBox->item(11)->text(), "  12. Vintrel");
    EXPECT_EQ(w.Pages().Count(), 12 + 1);   // the groups and the one page shown
    EXPECT_EQ(w.ShownPage(), Group(w, 0));
    EXPECT_TRUE(Group(w, 0)->isVisible());
    EXPECT_FALSE(Group(w, 1)->isVisible());
    EXPECT_EQ(Group(w, 0)->PageControl->currentIndex(), 0);
    // The design size scaled to our larger font, within a 1366 x 768 screen.
    EXPECT_EQ(w.size(), TfmMain::FirstStartSize());
    EXPECT_GT(w.width(), 745);
    EXPECT_GT(w.height(), 510);
    EXPECT_LE(w.frameGeometry().width(), 1366);
    EXPECT_LE(w.frameGeometry().height() + 40, 768);   // a panel beside it
    EXPECT_LE((w.geometry().center() - w.screen()->availableGeometry().center()).manhattanLength(), 4);
    EXPECT_EQ(w.windowTitle(), "Тест Lumaq 1.0.0.1 (64-bit) [Serial: COM1 Baudrate 115200]");
    EXPECT_EQ(ApplicationTitle(), "Тест Lumaq");
    EXPECT_EQ(w.edtPassword->text(), "30");
    EXPECT_TRUE(TestDialogs().shown().empty());
}

namespace {
// The text a control shows in one line, and the room it has for it; no
// text for controls that wrap or elide by design.
std::optional<std::pair<QString, int>> TextAndRoom(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->wordWrap() || !label->pixmap().isNull() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text()))
            return std::nullopt;
        return std::pair{label->text(), label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0)};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QStyle::SubElement element =
                qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
            return std::pair{text, button->style()->subElementRect(element, &option, button).width()};
        }
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            QStyleOptionButton option;
            option.initFrom(push);
            int room = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push).width();
            if (!push->icon().isNull())
                room -= push->iconSize().width() + 4;
            return std::pair{text, room};
        }
        return std::nullopt;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable())
            return std::nullopt;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        return std::pair{combo->currentText(), field.width()};
    }
    return std::nullopt;
}

// Whether every line of the control's text fits its room.
bool TextFits(QWidget* control, std::string& why)
{
    const auto shown = TextAndRoom(control);
    if (!shown)
        return true;
    if (shown->first.isEmpty())
        return true;
    const QFontMetrics metrics(control->font());
    for (const QString& line : shown->first.split(QLatin1Char('\n'))) {
        const int width = metrics.horizontalAdvance(line);
        if (width > shown->second) {
            why = QStringLiteral("\"%1\" needs %2 px, has %3").arg(line).arg(width).arg(shown->second).toStdString();
            return false;
        }
    }
    return true;
}

// Whether a filled edit shows the beginning of its text: its cursor (which
// the edit keeps in view) lies within the first edit-width of the text.
bool BeginningShows(QLineEdit* edit, std::string& why)
{
    if (edit->text().isEmpty() || edit->hasFocus())
        return true;
    const int cursor = QFontMetrics(edit->font()).horizontalAdvance(edit->text().left(edit->cursorPosition()));
    const int room = edit->contentsRect().width() - edit->textMargins().left() - edit->textMargins().right() - 4;
    if (cursor <= room)
        return true;
    why = QStringLiteral("\"%1\" shows from character %2").arg(edit->text()).arg(edit->cursorPosition()).toStdString();
    return false;
}

// Whether a window, shown, is wide enough for its title bar to show its title
// whole.
bool TitleFits(QWidget* window, std::string& why)
{
    window->show();
    QCoreApplication::processEvents();
    const int width = window->width(), needed = Dialogs::TitleWidth(window->windowTitle());
    window->hide();
    if (width >= needed)
        return true;
    why = QStringLiteral("\"%1\" needs %2 px, has %3").arg(window->windowTitle()).arg(needed).arg(width).toStdString();
    return false;
}

// Whether every tab of the bar shows its whole caption, without scrolling.
bool TabsFit(QTabBar* bar, std::string& why)
{
    for (QToolButton* scroll : bar->findChildren<QToolButton*>())
        if (scroll->isVisible()) {
            why = "scroll buttons shown";
            return false;
        }
    // The bar's size hint holds every tab with its whole caption.
    if (bar->sizeHint().width() > bar->width()) {
        why = QStringLiteral("tabs need %1 px, have %2").arg(bar->sizeHint().width()).arg(bar->width()).toStdString();
        return false;
    }
    for (int i = 0; i < bar->count(); ++i)
        if (!bar->rect().contains(bar->tabRect(i))) {
            why = QStringLiteral("tab \"%1\" lies outside").arg(bar->tabText(i)).toStdString();
            return false;
        }
    return true;
}
} // namespace

// At the first-start size every page shows all its controls without
// scrolling, and every memo has room for 40 characters. A page built from
// now on must pass too.
TEST_F(MainWindowTest, EveryPageShowsWholeAtTheFirstStartSize)
{
    TfmMain w;
    w.show();
    ASSERT_EQ(w.size(), TfmMain::FirstStartSize());
    const std::vector<TPageGroup>& groups = PageGroups();
    for (int g = 0; g < int(groups.size()); ++g) {
        w.ListBox->setCurrentRow(g);
        auto* group = qobject_cast<TfmTabbedPage*>(w.ShownPage());
        ASSERT_NE(group, nullptr) << g;
        for (int t = 0; t < int(groups[g].Pages.size()); ++t) {
            group->PageControl->setCurrentIndex(t);
            TPage* page = w.Pages().PageByClass(groups[g].Pages[t]);
            ASSERT_NE(page, nullptr) << g << "/" << t;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            const std::string where = page->objectName().toStdString();
            ASSERT_TRUE(page->isVisible()) << where;
            EXPECT_EQ(page->visibleRegion().boundingRect(), page->rect()) << where << " does not show whole";
            std::string why;
            EXPECT_TRUE(TabsFit(group->PageControl->tabBar(), why)) << where << ": " << why;
            std::function<void(QWidget*)> walk = [&](QWidget* parent) {
                for (QWidget* control : ChildControls(parent)) {
                    if (!control->isVisible())
                        continue;
                    const QRect onPage(control->mapTo(page, QPoint(0, 0)), control->size());
                    EXPECT_TRUE(page->rect().contains(onPage) && control->visibleRegion().boundingRect() == control->rect())
                        << where << ": " << control->objectName().toStdString() << " lies outside the page";
                    EXPECT_TRUE(TextFits(control, why))
                        << where << ": the text of " << control->objectName().toStdString() << " is cut: " << why;
                    if (auto* edit = qobject_cast<QLineEdit*>(control))
                        EXPECT_TRUE(BeginningShows(edit, why))
                            << where << ": " << control->objectName().toStdString() << " " << why;
                    walk(control);
                }
            };
            walk(page);
            for (QPlainTextEdit* memo : page->findChildren<QPlainTextEdit*>()) {
                const qreal room = memo->viewport()->width() - 2 * memo->document()->documentMargin();
                EXPECT_GE(room, QFontMetricsF(memo->font()).horizontalAdvance(QString(40, u'0')))
                    << where << ": " << memo->objectName().toStdString() << " is narrower than 40 characters";
            }
            // LUMAQ_PAGE_PICTURES=<folder>: the window with each page, to look at.
            const QString pictures = qEnvironmentVariable("LUMAQ_PAGE_PICTURES");
            if (!pictures.isEmpty())
                w.grab().save(pictures + "/" + page->objectName() + ".png");
        }
    }

    // Dialog titles show whole: the program's own windows, and the boxes of
    // the dialogs service (the application's title on errors, the questions
    // and prompts of the pages).
    std::string why;
    TfmAbout about;
    TfmSelectFNDocumentRange range;
    TfmExPayments payments;
    TfmExPayments2 payments2;
    TfmReasonCodes reasons;
    TfmDump dump;
    OrvekPropertyStore props;
    TfmOrvekProperties properties(props);
    TfmOrvekTables tables(TestRegister());
    for (QWidget* window : std::initializer_list<QWidget*>{&about, &range, &payments, &payments2, &reasons, &dump,
                                                            &properties, &tables})
        EXPECT_TRUE(TitleFits(window, why)) << window->objectName().toStdString() << ": " << why;
    TestDialogs().clear();
    ShowPageOf<TfmLogicDevice>(w)->btnComputerName->click();
    ShowPageOf<TfmTable>(w)->btnInitTable->click();
    Dialogs::ShowError(QStringLiteral("Ошибка"));
    ASSERT_EQ(TestDialogs().shown().size(), 3u);
    for (const Dialogs::ScriptedDialogs::Shown& shown : TestDialogs().shown()) {
        const std::unique_ptr<QWidget> box = shown.kind == Dialogs::ScriptedDialogs::Shown::Prompt
                                                 ? std::unique_ptr<QWidget>(Dialogs::MakePrompt(shown.prompt))
                                                 : std::unique_ptr<QWidget>(Dialogs::MakeMessageBox(shown.message));
        EXPECT_TRUE(TitleFits(box.get(), why)) << why;
    }
}

TEST_F(MainWindowTest, PageTreeFollowsTheTableWithGroupNamesAndTabCaptions)
{
    TfmMain w;
    int pages = 0;
    for (int g = 0; g < 12; ++g) {
        TfmTabbedPage* group = Group(w, g);
        EXPECT_EQ(group->objectName(), g == 0 ? QString("fmTabbedPage") : QString("fmTabbedPage_%1").arg(g));
        EXPECT_EQ(w.Pages().GetItemIndex(group), g);   // pages join the list when made
        EXPECT_EQ(group->PageControl->count(), int(PageGroups()[g].Pages.size()));
        pages += group->PageControl->count();
    }
    EXPECT_EQ(pages, 69);

    // Every group's list text and every tab's form name and caption, in order.
    const std::vector<std::pair<QString, QStringList>> tree = {
        {"  01. Состояние", {"fmDeviceStatus Запросы", "fmFullStatus Полное состояние"}},
        {"  02. ФН сервис", {"fmFN Состояние ФН", "fmFNFiscalization Фискализация ФН", "fmFNData Данные", "fmFNOFD ОФД",
                            "fmFNArchive Архив ФН", "fmRNM РНМ"}},
        {"  03. ФН чеки (ФФД 1.05-1.2)", {"fmFNOperation Операции ФН", "fmFNCheckAttributes Атрибуты чека", "fmFNTag Теги ОФД",
                                         "fmFNOperation2 Чек коррекции (ФФД 1.05)", "fmFNKTN КТ", "fmFNKTN2 КТ 2",
                                         "fmFNAgent Агент"}},
        {"  04. Чеки (ФФД 1.0)", {"fmReceipt Регистрация (устаревш.)", "fmTestReceipt Тестовый чек",
                                 "fmTestMultiReceipt Тестовые чеки"}},
        {"  05. Отчеты", {"fmReports Отчеты"}},
        {"  06. Печать текста", {"fmPrintText Текст", "fmPrintHeader Клише", "fmPrintAttribute Реквизиты", "fmPrintBuffer Буфер",
                                "fmPrintOperations Операции", "fmPrintTest Тесты", "fmTestEncoding Кодировки"}},
        {"  07. Печать графики", {"fmPrintImage Изображение", "fmPrintImage2 Изображение из файла", "fmPrintBarcode Штрихкод",
                                 "fmPrintBarcodePrinter Штрихкод 2", "fmPrintLine Линия", "fm2DBarcode 2D штрихкод",
                                 "fmPDF417 PDF417"}},
        {"  08. Параметры устройства", {"fmTable Таблицы", "fmTotalizers Регистры", "fmCashTotalizer Денежные регистры",
                                       "fmWorkTotalizer Операционные регистры", "fmFont Шрифты", "fmWares Товары",
                                       "fmLoader Загрузчик", "fmNonClearableSumm Необнуляемые суммы",
                                       "fmPrintCheckAttributeParams Печать реквизитов", "fmMinimizeEF Минимизация ЭФ"}},
        {"  09. Сервис", {"fmFirmwareUpdate Прошивка", "fmDateTime Дата и время", "fmWriteSerial Программирование",
                         "fmResetSettings Обнуление", "fmReadDump Дамп", "fmCashDrawer Денежный ящик", "fmSDCard SD-карта",
                         "fmTaxOfficer НИ", "fmTaxOfficer2 НИ 2", "fmAuthKey Авторизация", "fmReboot Перезагрузка"}},
        {"  10. БД чеков", {"fmDB БД чеков", "fmDBSession Контрольная лента"}},
        {"  11. Прочее", {"fmExtendedService Расширенное", "fmConnectionTest Проверка связи", "fmLogicDevice ЛУ",
                         "fmFindDevice Поиск устройства", "fmPrintServer Сервер печати", "fmCashControl CashControl",
                         "fmPresenter Презентер", "fmIBMPrinter Принтер IBM", "fmCommand Команда", "fmCashCore CashCore",
                         "fmTest Тест", "fmConnection Связь"}},
        {"  12. Vintrel", {"fmVintrel Vintrel"}},
    };
    for (int g = 0; g < 12; ++g) {
        EXPECT_EQ(w.ListBox->item(g)->text(), tree[g].first);
        QStringList tabs;
        for (int t = 0; t < Group(w, g)->PageControl->count(); ++t)
            tabs << Group(w, g)->TabPage(t)->objectName() + " " + Group(w, g)->PageControl->tabText(t);
        EXPECT_EQ(tabs, tree[g].second) << g;
    }

    TfmTabbedPage* text = Group(w, 5);
    EXPECT_EQ(text->PageControl->tabText(0), "Текст");
    EXPECT_EQ(text->TabPage(0)->objectName(), "fmPrintText");
    EXPECT_EQ(text->PageControl->tabText(6), "Кодировки");
    EXPECT_EQ(Group(w, 1)->PageControl->tabText(5), "РНМ");
    EXPECT_EQ(w.Pages().PageByClass<TfmPrintText>(), text->TabPage(0));
}

TEST_F(MainWindowTest, SettingsAreWrittenAtExitAndRestoredAtTheNextStart)
{
    QString editName;
    {
        TLumaqForms forms;
        TfmMain& w = forms.Main();
        w.show();
        w.ListBox->setCurrentRow(5);   // as a click in the list
        EXPECT_EQ(w.ShownPage(), Group(w, 5));
        ClickTab(Group(w, 5), 2);
        auto* page = qobject_cast<TPage*>(w.Pages().PageByClass<TfmPrintText>());
        auto* grp = NewGroupBox(page, "grpPrintString", "");
        NewEdit(grp, "edtStringForPrinting", "Строка для печати");
        w.resize(900, 600);
        w.edtPassword->setText("1234");
        EXPECT_EQ(Driver().Password(), 1234);
    }
    EXPECT_FALSE(DriverExists());   // released at exit
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
        EXPECT_EQ(reg.ReadInteger("PageIndex"), 5);
        EXPECT_EQ(reg.ReadInteger("TabIndex"), 2);
        EXPECT_EQ(reg.ReadInteger("MPWidth"), 900);
        EXPECT_EQ(reg.ReadInteger("MPHeigth"), 600);
        EXPECT_TRUE(reg.ValueExists("MPTop"));
        EXPECT_TRUE(reg.ValueExists("MPLeft"));
        EXPECT_EQ(reg.ReadString("fmMain.pnlMain.pnlSite.fmTabbedPage_5.PageControl..fmPrintText.grpPrintString."
                                 "edtStringForPrinting"),
                  "Строка для печати");
        EXPECT_EQ(reg.ReadString(PasswordValue), "1234");
    }
    ResetEmulatedDriver();
    TfmMain w;
    w.show();
    EXPECT_EQ(w.ListBox->currentRow(), 5);
    EXPECT_EQ(w.ShownPage(), Group(w, 5));
    EXPECT_EQ(Group(w, 5)->PageControl->currentIndex(), 2);
    EXPECT_EQ(w.size(), QSize(900, 600));
    EXPECT_LE((w.geometry().center() - w.screen()->availableGeometry().center()).manhattanLength(), 4);   // centred all the same
    EXPECT_EQ(Driver().Password(), 1234);   // the stored password is in force
    EXPECT_EQ(w.edtPassword->text(), "1234");
}

namespace {
const QString ReceiptPath = "fmMain.pnlMain.pnlSite.fmTabbedPage_3.PageControl..fmReceipt.";
const QString FNPath = "fmMain.pnlMain.pnlSite.fmTabbedPage_1.PageControl..fmFN.";
} // namespace

TEST_F(MainWindowTest, APageIsMadeOnItsFirstShowWithItsStoredValuesAndTheirHandlers)
{
    Store([](TRegistry& reg) {
        reg.WriteString(ReceiptPath + "edtPrice", "12.50");
        reg.WriteInteger(ReceiptPath + "cbNumber", 1);   // its handler enables the number
    });
    TfmMain w;
    w.show();
    EXPECT_EQ(Group(w, 3)->MadePage(0), nullptr);   // not made at start
    w.ListBox->setCurrentRow(3);                     // as a click in the list
    auto* page = qobject_cast<TfmReceipt*>(Group(w, 3)->MadePage(0));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->edtPrice->text(), "12.50");
    EXPECT_EQ(page->cbNumber->currentIndex(), 1);
    EXPECT_TRUE(page->seNumber->isEnabled());
    EXPECT_EQ(w.Pages().PageByClass<TfmReceipt>(), page);   // made once
}

TEST_F(MainWindowTest, PageByClassMakesAPageNotShownYet)
{
    Store([](TRegistry& reg) { reg.WriteString(FNPath + "pnlButtons.edtDocumentNumber", "17"); });
    TfmMain w;
    const int made = w.Pages().Count();
    ASSERT_EQ(Group(w, 1)->MadePage(0), nullptr);
    auto* page = w.Pages().PageByClass<TfmFN>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Group(w, 1)->MadePage(0), page);
    EXPECT_EQ(w.Pages().Count(), made + 1);
    EXPECT_EQ(page->edtDocumentNumber->text(), "17");
}

TEST_F(MainWindowTest, OnlyMadePagesAreSavedAndTheOthersKeepTheirValuesAcrossStarts)
{
    Store([](TRegistry& reg) { reg.WriteString(FNPath + "pnlButtons.edtRequestType", "5"); });
    for (int start = 0; start < 2; ++start) {
        TLumaqForms forms;
        forms.Main().show();
        forms.Main().ListBox->setCurrentRow(3);   // the receipt page is made
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
    EXPECT_EQ(reg.ReadString(ReceiptPath + "edtPrice"), "100");   // saved: it was made
    QStringList fnValues;
    for (const QString& name : reg.GetValueNames())
        if (name.startsWith(FNPath))
            fnValues << name;
    EXPECT_EQ(fnValues, QStringList{FNPath + "pnlButtons.edtRequestType"});   // only what was there
    EXPECT_EQ(reg.ReadString(FNPath + "pnlButtons.edtRequestType"), "5");
}

TEST_F(MainWindowTest, TheExtraPaymentDialogIsMadeWhenFirstNeededWithItsStoredSums)
{
    Store([](TRegistry& reg) {
        reg.WriteString("fmExPayments2.edtSumm5", "7.25");
        reg.WriteString("fmExPayments.edtSumm3", "1.50");
    });
    {
        TLumaqForms forms;
        forms.Main().show();
        EXPECT_EQ(fmExPayments2, nullptr);   // not made at start
        EXPECT_EQ(fmReasonCodes, nullptr);
        auto* page = forms.Main().Pages().PageByClass<TfmReceipt>();
        ASSERT_NE(page, nullptr);
        page->btnCloseCheckEx->click();   // the stored sum goes to the register
        ASSERT_NE(fmExPayments2, nullptr);
        EXPECT_EQ(Driver().Summ5(), DoubleToCurrency(7.25));
    }
    EXPECT_EQ(fmExPayments2, nullptr);   // freed at exit
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
    EXPECT_EQ(reg.ReadString("fmExPayments2.edtSumm5"), "7.25");
    EXPECT_EQ(reg.ReadString("fmExPayments.edtSumm3"), "1.50");   // never made: kept as it was
}

TEST_F(MainWindowTest, StoredSelectionOutOfRangeFallsBackToTheFirst)
{
    struct Case { int page; int tab; int shownRow; int shownTab; };
    for (const Case c : {Case{12, 0, 0, 0}, Case{-1, 0, 0, 0}, Case{5, 7, 5, 0}, Case{5, 6, 5, 6}, Case{5, -1, 5, 0}}) {
        Store([&](TRegistry& reg) {
            reg.WriteInteger("PageIndex", c.page);
            reg.WriteInteger("TabIndex", c.tab);
        });
        TfmMain w;
        EXPECT_EQ(w.ListBox->currentRow(), c.shownRow) << c.page;
        EXPECT_EQ(w.ShownPage(), Group(w, c.shownRow)) << c.page;
        EXPECT_EQ(Group(w, c.shownRow)->PageControl->currentIndex(), c.shownTab) << c.tab;
    }
}

TEST_F(MainWindowTest, ABadStoredValueIsSkippedAndTheStartGoesOn)
{
    Store([](TRegistry& reg) {
        reg.WriteString(PasswordValue, "");       // left empty when the window was closed
        reg.WriteString("PageIndex", "3");        // of another type
        reg.WriteInteger("MPWidth", 800);
    });
    Driver().setPassword(55);
    TfmMain w;
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(Driver().Password(), 55);          // the driver keeps its password
    EXPECT_EQ(w.edtPassword->text(), "55");
    EXPECT_EQ(w.ShownPage(), Group(w, 0));       // a group is shown
    EXPECT_EQ(w.width(), 800);                    // the rest is restored
}

TEST_F(MainWindowTest, PasswordBoxTakesOnlyIntegers)
{
    TfmMain w;
    w.edtPassword->clear();
    TestDialogs().clear();
    QTest::keyClicks(w.edtPassword, "1a2b");
    EXPECT_EQ(w.edtPassword->text(), "12");       // letters are dropped
    EXPECT_EQ(Driver().Password(), 12);
    EXPECT_TRUE(TestDialogs().shown().empty());

    QTest::keyClicks(w.edtPassword, ".");         // the point passes and is refused by the driver box
    EXPECT_EQ(TestDialogs().lastMessage(), "\"12.\" не является целым числом");
    EXPECT_EQ(Driver().Password(), 12);
    w.edtPassword->clear();
    EXPECT_EQ(TestDialogs().lastMessage(), "\"\" не является целым числом");
    EXPECT_EQ(Driver().Password(), 12);

    QTest::keyClicks(w.edtPassword, "12.");
    TestDialogs().clear();
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);   // the context menu or a message box: the box stays
        QApplication::sendEvent(w.edtPassword, &away);
        EXPECT_EQ(w.edtPassword->text(), "12.") << reason;
    }
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);   // leaving the box shows the driver's password
    QApplication::sendEvent(w.edtPassword, &focusOut);
    EXPECT_EQ(w.edtPassword->text(), "12");
    QKeyEvent otherDigit(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0663)));
    QApplication::sendEvent(w.edtPassword, &otherDigit);   // a digit of another script is no digit here
    EXPECT_EQ(w.edtPassword->text(), "12");
}

TEST_F(MainWindowTest, PastesAreCheckedOnEveryRoad)
{
    TfmMain w;
    w.edtPassword->clear();
    TestDialogs().clear();
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QString(1025, '1'));
    QTest::keySequence(w.edtPassword, QKeySequence::Paste);
    EXPECT_EQ(TestDialogs().lastMessage(), "Некорректное значение в поле \"Password\"");
    EXPECT_EQ(w.edtPassword->text(), "");

    clipboard->setText("12a");
    QTest::keyClick(w.edtPassword, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(TestDialogs().lastMessage(), "\"12a\" не является целым числом");
    EXPECT_EQ(w.edtPassword->text(), "");

    clipboard->setText(QString(1020, '0') + "77");   // up to 1024 characters that fit an integer
    std::unique_ptr<QMenu> menu(w.CreatePasswordMenu());
    QAction* paste = menu->findChild<QAction*>("edit-paste");
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(TestDialogs().shown().size(), 2u);
    EXPECT_EQ(Driver().Password(), 0);            // the box holds its first 100 characters
    w.edtPassword->clear();
    clipboard->setText("77");
    QTest::keySequence(w.edtPassword, QKeySequence::Paste);
    EXPECT_EQ(w.edtPassword->text(), "77");
    EXPECT_EQ(Driver().Password(), 77);
}

TEST_F(MainWindowTest, ResultPanelShowsTheCallEvenWhenItFails)
{
    TfmMain w;
    TfmCallPage page;
    TestRegister().Faults().FailNext(OrvekMethod::Beep, 80);
    page.btnBeep->click();
    EXPECT_TRUE(w.edtResult->text().startsWith("(80) ")) << w.edtResult->text().toStdString();
    EXPECT_EQ(w.edtResult->text(), Format("(%d) %s", {80, Driver().ResultCodeDescription()}));
    EXPECT_TRUE(w.edtTime->text().endsWith(" мс"));
    EXPECT_EQ(w.edtOperator->text(), QString::number(Driver().OperatorNumber()));
    EXPECT_EQ(w.edtInput->text(), Driver().ECRInput());

    TfmMain::TickCountFunction before = TfmMain::SetTickCount([] { return 0xFFFFFFF0u; });
    PageNotifier().DoChange(ctStart);
    TfmMain::SetTickCount([] { return 0x10u; });   // the tick counter wrapped
    Driver().Beep();
    PageNotifier().DoChange(ctStop);
    EXPECT_EQ(w.edtTime->text(), "32 мс");
    TfmMain::SetTickCount(before);

    // The driver cannot be had while filling the panel: no message, the panel as far as it got.
    TOrvek other;
    FreeDriver();
    OrvekFactory saved = SetOrvekFactory([]() -> std::unique_ptr<IOrvekComponent> { throw EOleError("нет"); });
    TestDialogs().clear();
    PageNotifier().DoChange(ctStart);
    other.Beep();
    PageNotifier().DoChange(ctStop);
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_EQ(w.edtResult->text(), "");
    SetOrvekFactory(saved);
}

// A handler that sends nothing (input refused before the call, a dialog
// cancelled) leaves the panel as it was: no old answer with a new time.
TEST_F(MainWindowTest, AFrameWithoutADriverCallLeavesThePanelAsItWas)
{
    TfmMain w;
    TfmCallPage page;
    page.btnBeep->click();
    ASSERT_EQ(w.edtResult->text(), Format("(%d) %s", {0, Driver().ResultCodeDescription()}));
    const QStringList shown{w.edtResult->text(), w.edtInput->text(), w.edtOutput->text(), w.edtTime->text(),
                            w.edtOperator->text(), w.edtInput->toolTip()};
    page.raise = true;
    TfmMain::TickCountFunction before = TfmMain::SetTickCount([] { return 7427u; });
    page.btnBeep->click();
    TfmMain::SetTickCount(before);
    EXPECT_EQ(TestDialogs().lastMessage(), "bad input");
    EXPECT_EQ((QStringList{w.edtResult->text(), w.edtInput->text(), w.edtOutput->text(), w.edtTime->text(),
                           w.edtOperator->text(), w.edtInput->toolTip()}),
              shown);
    EXPECT_TRUE(page.btnBeep->isEnabled());

    // Writing Connected is a call: it connects or disconnects.
    PageNotifier().DoChange(ctStart);
    Driver().setConnected(false);
    PageNotifier().DoChange(ctStop);
    EXPECT_EQ(w.edtResult->text(), Format("(%d) %s", {Driver().ResultCode(), Driver().ResultCodeDescription()}));
    EXPECT_TRUE(w.edtInput->text().isEmpty());
}

TEST_F(MainWindowTest, LongFramesShowFromTheirStartWithTheWholeFrameInTheTip)
{
    TfmMain w;
    w.show();
    Driver().setStringForPrinting(QString(200, u'Ж'));
    PageNotifier().DoChange(ctStart);
    ASSERT_EQ(Driver().PrintString(), 0);
    PageNotifier().DoChange(ctStop);
    ASSERT_GT(w.edtInput->fontMetrics().horizontalAdvance(Driver().ECRInput()), w.edtInput->width());
    for (auto [edit, frame] : {std::pair{w.edtInput, Driver().ECRInput()}, {w.edtOutput, Driver().ECROutput()}}) {
        EXPECT_EQ(edit->text(), frame);
        EXPECT_EQ(edit->cursorPosition(), 0) << edit->objectName().toStdString();
        EXPECT_EQ(edit->toolTip(), frame);
    }
    PageNotifier().DoChange(ctStart);
    EXPECT_EQ(w.edtInput->toolTip(), QString());
}

TEST_F(MainWindowTest, WaitingClicksDoNotStartTheSameCallAgainButTimersRun)
{
    TfmMain w;
    TfmCallPage page;
    page.show();
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    // A second click of a double click waits in the queue while the first one runs.
    const QPointF at = page.btnBeep->rect().center();
    QCoreApplication::postEvent(page.btnBeep, new QMouseEvent(QEvent::MouseButtonPress, at, page.btnBeep->mapToGlobal(at),
                                                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(page.btnBeep, new QMouseEvent(QEvent::MouseButtonRelease, at, page.btnBeep->mapToGlobal(at),
                                                              Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    page.btnBeep->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(page.runs, 1);
    EXPECT_EQ(page.maxDepth, 1);
    EXPECT_TRUE(timerRan);
}

TEST_F(MainWindowTest, CaptionNamesTheConnection)
{
    TfmMain w;
    const QString def = "Тест Lumaq 1.0.0.1 (64-bit)";
    EXPECT_EQ(w.GetDefCaption(), def);
    struct Case { int type; int baud; QString expected; };
    for (const Case& c : {Case{0, 10, def + " [Serial: COM3 Baudrate 4800]"}, Case{0, 1, def + " [Serial: COM3 Baudrate 4800]"},
                          Case{0, 6, def + " [Serial: COM3 Baudrate 115200]"},
                          Case{1, 2, def + " [DCOM:SERVER COM3 Baudrate 9600]"},
                          Case{6, 2, def + " [TCP: 192.0.2.5: 7778]"}, Case{3, 2, def}}) {
        Driver().setConnectionType(c.type);
        Driver().setComNumber(3);
        Driver().setBaudRate(c.baud);
        Driver().setComputerName("SERVER");
        Driver().setIPAddress("192.0.2.5");
        Driver().setTCPPort(7778);
        w.UpdateCaption();
        EXPECT_EQ(w.windowTitle(), c.expected) << c.type << " " << c.baud;
    }
    Driver().setConnectionType(1);                // names are shown as they are
    Driver().setComputerName("host%2");
    w.UpdateCaption();
    EXPECT_EQ(w.windowTitle(), def + " [DCOM:host%2 COM3 Baudrate 9600]");
    Driver().setConnectionType(6);
    Driver().setIPAddress("%1%2");
    w.UpdateCaption();
    EXPECT_EQ(w.windowTitle(), def + " [TCP: %1%2: 7778]");
    EXPECT_EQ(IntToBaudRate(9), 921600);
    EXPECT_EQ(IntToBaudRate(-1), 4800);
}

TEST_F(MainWindowTest, LanguageItemsWriteTheFileAndAskForARestart)
{
    QFile::remove(GetLanguageParamsFileName());
    TfmMain w;
    const QString atStart = GetLanguage();
    EXPECT_EQ(w.miRussian->isChecked(), atStart == "RU");
    w.miEnglish->trigger();
    EXPECT_TRUE(w.miEnglish->isChecked());
    EXPECT_FALSE(w.miRussian->isChecked());
    EXPECT_EQ(ReadLanguage(), "EN");
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    EXPECT_EQ(TestDialogs().shown()[0].message.text, "Для измения языка необходимо перезапустить приложение");
    EXPECT_EQ(TestDialogs().shown()[0].message.caption, "Внимание");
    EXPECT_EQ(TestDialogs().shown()[0].message.icon, Dialogs::Icon::Information);
    w.miRussian->trigger();
    EXPECT_EQ(ReadLanguage(), "RU");
    EXPECT_TRUE(w.miRussian->isChecked());
    EXPECT_EQ(GetLanguage(), atStart);            // nothing changes until the next start
}

TEST_F(MainWindowTest, PropertiesButtonRefreshesThePasswordBox)
{
    TfmMain w;
    ScriptOrvekDialog([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("edtPassword")->setText("4321");
        return int(QDialog::Accepted);
    });
    w.btnProperties->click();
    EXPECT_EQ(UnexpectedOrvekDialogs(), 0);
    EXPECT_EQ(Driver().Password(), 4321);
    EXPECT_EQ(w.edtPassword->text(), "4321");
}

TEST_F(MainWindowTest, ConnectionChosenInThePropertiesDialogShowsAfterTheNextCall)
{
    TfmMain w;
    TfmCallPage page;
    const QString def = w.GetDefCaption();
    ScriptOrvekDialog([](QDialog& dialog) {
        auto* type = dialog.findChild<QComboBox*>("cbConnectionType");
        type->setCurrentIndex(type->findData(6));
        dialog.findChild<QLineEdit*>("edtIPAddress")->setText("127.0.0.1");
        dialog.findChild<QSpinBox*>("seTCPPort")->setValue(7778);
        return int(QDialog::Accepted);
    });
    w.btnProperties->click();
    EXPECT_EQ(Driver().ConnectionType(), 6);
    EXPECT_EQ(w.windowTitle(), def + " [Serial: COM1 Baudrate 115200]");   // not before a driver call
    page.btnBeep->click();
    EXPECT_EQ(w.edtResult->text(), Format("(%d) %s", {0, Driver().ResultCodeDescription()}));
    EXPECT_EQ(w.windowTitle(), def + " [TCP: 127.0.0.1: 7778]");

    // A register server: its name is entered in the dialog and named in the caption.
    ScriptOrvekDialog([](QDialog& dialog) {
        auto* type = dialog.findChild<QComboBox*>("cbConnectionType");
        type->setCurrentIndex(type->findData(1));
        auto* name = dialog.findChild<QLineEdit*>("edtComputerName");
        EXPECT_TRUE(name->isEnabled());
        name->setText("KKTSRV");
        return int(QDialog::Accepted);
    });
    w.miShowProperties->trigger();
    page.btnBeep->click();
    EXPECT_EQ(w.windowTitle(), def + " [DCOM:KKTSRV COM1 Baudrate 115200]");

    // OK without a change keeps a connection type and baud code the dialog's lists do not name.
    Driver().setConnectionType(4);
    Driver().setBaudRate(12);
    ScriptOrvekDialog([](QDialog&) { return int(QDialog::Accepted); });
    w.miShowProperties->trigger();
    EXPECT_EQ(Driver().ConnectionType(), 4);
    EXPECT_EQ(Driver().BaudRate(), 12);
    page.btnBeep->click();
    EXPECT_EQ(w.windowTitle(), def);
    EXPECT_EQ(UnexpectedOrvekDialogs(), 0);
}

TEST_F(MainWindowTest, ShowPageWritesTheGroupLeftAndRefreshesTheGroupShown)
{
    TfmMain w;
    w.show();
    auto* group = new TfmTabbedPage(w.pnlSite);
    group->hide();
    w.pnlSite->layout()->addWidget(group);   // as the main window's own groups
    auto* page = new TfmRecordPage;
    group->AddPage(page);
    w.ShowPage(group);
    EXPECT_EQ(page->updatePage, 1);
    EXPECT_TRUE(group->isVisible());
    EXPECT_EQ(group->geometry(), w.pnlSite->rect());   // the group shown fills the site at once
    w.ShowPage(group);                              // the group shown already: nothing
    EXPECT_EQ(page->updatePage, 1);
    EXPECT_EQ(page->updateObject, 0);
    w.ShowPage(Group(w, 0));
    EXPECT_EQ(page->updateObject, 1);
    EXPECT_FALSE(group->isVisible());
}

TEST_F(MainWindowTest, ListWidthFollowsTheSplitterAndTheWindow)
{
    TfmMain w;
    w.show();
    // The design width 165, or wider up to 200 so that every group caption shows whole.
    const int start = w.ListBox->width();
    EXPECT_GE(start, 165);
    EXPECT_LE(start, 200);
    for (int i = 0; i < w.ListBox->count(); ++i)
        EXPECT_TRUE(start == 200 || w.ListBox->fontMetrics().horizontalAdvance(w.ListBox->item(i)->text()) < w.ListBox->viewport()->width())
            << i;
    EXPECT_FALSE(w.Splitter->MoveTo(250));          // no wider than 200
    EXPECT_EQ(w.ListBox->width(), start);
    EXPECT_TRUE(w.Splitter->MoveTo(190));
    EXPECT_EQ(w.ListBox->width(), 190);
    w.resize(150, 400);
    EXPECT_EQ(w.ListMaxWidth(), 130);
    EXPECT_EQ(w.ListBox->width(), 130);
    w.resize(20, 400);
    EXPECT_EQ(w.ListMaxWidth(), 14);
    EXPECT_EQ(w.ListBox->width(), 14);
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionTwiceCentredOnTheScreen)
{
    TfmMain w;
    w.show();
    w.move(w.screen()->availableGeometry().topLeft());
    QPoint centre;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<TfmAbout*>(top); shown && shown->isVisible()) {
                centre = shown->geometry().center();
                shown->accept();
            }
    });
    w.miAbout->trigger();
    EXPECT_LE((centre - w.screen()->availableGeometry().center()).manhattanLength(), 4);

    TfmAbout box;
    EXPECT_EQ(box.windowTitle(), "О программе");
    EXPECT_EQ(box.lblDriverVersion->text(), "1.0.0.1");
    EXPECT_EQ(box.lblTestVersion->text(), "1.0.0.1");
}

// A language choice that cannot be written (a full disk) keeps the file and
// says so instead of asking for a restart.
TEST_F(MainWindowTest, ALanguageChoiceThatCannotBeWrittenKeepsTheFile)
{
    const QByteArray before = "[Locale]\r\nLang=RU\r\n";
    ASSERT_TRUE(WriteBytes(GetLanguageParamsFileName(), before));
    TfmMain w;
    TestDialogs().clear();
    {
        TFullDisk full(8);
        w.miEnglish->trigger();
    }
    EXPECT_EQ(FileBytes(GetLanguageParamsFileName()), before);
    EXPECT_TRUE(w.miRussian->isChecked());   // the menu shows the language in force
    EXPECT_FALSE(w.miEnglish->isChecked());
    ASSERT_EQ(TestDialogs().messages().size(), 1);
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Unable to write to " + GetLanguageParamsFileName() + ": "));
    EXPECT_EQ(TestDialogs().shown()[0].message.icon, Dialogs::Icon::Error);
}

// A window closed maximised starts maximised and goes back to its normal
// size; a stored size as large as the screen leaves room for the title bar.
TEST_F(MainWindowTest, AMaximisedWindowStartsMaximisedAndAStoredSizeLeavesRoomForTheTitle)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        TfmMain w;
        w.resize(900, 600);
        w.show();
        w.showMaximized();
        QCoreApplication::processEvents();
        ASSERT_TRUE(w.isMaximized());
    }
    {
        TfmMain w;
        w.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(w.isMaximized());
        w.showNormal();
        QCoreApplication::processEvents();
        EXPECT_EQ(w.size(), QSize(900, 600));
    }
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
        EXPECT_EQ(reg.ReadInteger("MPMaximized"), 0);
        EXPECT_EQ(reg.ReadInteger("MPWidth"), 900);
    }

    Store([&](TRegistry& reg) {
        reg.WriteInteger("MPWidth", screen.width());
        reg.WriteInteger("MPHeigth", screen.height());
    });
    TfmMain w;
    w.show();
    EXPECT_FALSE(w.isMaximized());
    // Centred with room above for the frame's title bar.
    EXPECT_LE(w.height() + 60, screen.height());
    EXPECT_GE(w.geometry().top() - screen.top(), 30);
}

// Closed maximised and started again, three times: the place the window goes
// back to is stored as it was restored (no creep by the frame's height), and
// with its frame it lies on the screen, also when it was stored at the bottom.
TEST_F(MainWindowTest, CloseMaximisedAndStartCyclesKeepTheWindowOnScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Store([&](TRegistry& reg) {
        reg.WriteInteger("MPWidth", 900);
        reg.WriteInteger("MPHeigth", 600);
        reg.WriteInteger("MPLeft", 100);
        reg.WriteInteger("MPTop", screen.bottom() + 1 - 600);
        reg.WriteInteger("MPMaximized", 1);
    });
    auto stored = [] {
        TRegistry reg;
        EXPECT_TRUE(reg.OpenKey(LumaqParamKey, false));
        return QRect(reg.ReadInteger("MPLeft"), reg.ReadInteger("MPTop"), reg.ReadInteger("MPWidth"),
                     reg.ReadInteger("MPHeigth"));
    };
    std::optional<QRect> first;
    for (int cycle = 1; cycle <= 3; ++cycle) {
        SCOPED_TRACE(cycle);
        {
            TfmMain w;
            w.show();
            QCoreApplication::processEvents();
            ASSERT_TRUE(w.isMaximized());
        }
        const QRect place = stored();
        if (!first)
            first = place;
        EXPECT_EQ(place, *first);
    }
    EXPECT_EQ(first->size(), QSize(900, 600));
    TfmMain w;
    w.show();
    QCoreApplication::processEvents();
    w.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(900, 600));
    EXPECT_EQ(w.pos(), first->topLeft());
    EXPECT_TRUE(screen.contains(w.frameGeometry())) << w.frameGeometry().top() << "+" << w.frameGeometry().height();
}

// A stored window size or position that no screen can hold is made to fit,
// and what is saved back at exit fits as well.
TEST_F(MainWindowTest, AStoredWindowPlaceIsFittedToTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        int width, height, left, top;
    };
    const Case cases[] = {{0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
                          {-1, -1, -0x7FFFFFFF - 1, -0x7FFFFFFF - 1},
                          {0, 5000, 100, -300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Store([&](TRegistry& reg) {
            reg.WriteInteger("MPWidth", c.width);
            reg.WriteInteger("MPHeigth", c.height);
            reg.WriteInteger("MPLeft", c.left);
            reg.WriteInteger("MPTop", c.top);
        });
        {
            TfmMain w;
            EXPECT_GE(w.width(), 200);
            EXPECT_GE(w.height(), 150);
            EXPECT_TRUE(screen.contains(w.frameGeometry().topLeft()));
            EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size()))) << w.pos().x() << "," << w.pos().y();
        }
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(LumaqParamKey, false));
        EXPECT_TRUE(screen.contains(QRect(reg.ReadInteger("MPLeft"), reg.ReadInteger("MPTop"),
                                          reg.ReadInteger("MPWidth"), reg.ReadInteger("MPHeigth"))));
    }
}

// A page's show fills its controls from the driver after its stored values
// (and the combos' defaults) are restored: on a fresh profile the connection
// page shows the driver's port and rate, and connecting sends them back as
// they were.
TEST_F(MainWindowTest, FirstShowOfTheConnectionPageShowsTheDriversPortAndRate)
{
    RegisterConfig c;
    c.ComNumber = 3;
    c.BaudRate = 115200;
    c.Host.clear();
    Bench().Add(c);
    Driver().setComNumber(3);
    ASSERT_EQ(Driver().BaudRate(), 6);   // 115200
    TfmMain w;
    w.show();
    auto* page = ShowPageOf<TfmConnection>(w);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(page->isVisible());
    EXPECT_EQ(page->cbBaudRate->currentText(), "115200");
    EXPECT_EQ(page->cbCOMNumber->currentText(), "COM3");
    page->btnConnect->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Driver().BaudRate(), 6);
    EXPECT_EQ(Driver().ComNumber(), 3);

    // Shown again after another group: filled from the driver again.
    Driver().setBaudRate(2);
    w.ListBox->setCurrentRow(0);
    ShowPageOf<TfmConnection>(w);
    EXPECT_EQ(page->cbBaudRate->currentText(), "9600");
}

// "Установить связь" on a fresh profile writes back what the page read: the
// driver's settings stay byte for byte, the TCP port (7778, which its
// one-byte code cannot carry) included; a code the user changed is sent.
TEST_F(MainWindowTest, ConnectingOnAFreshProfileLeavesTheDriversSettingsAsTheyWere)
{
    ASSERT_EQ(Driver().SaveParams(), 0);
    const QByteArray before = FileBytes(OrvekSettingsFileName());
    ASSERT_TRUE(before.contains("TCPPort=7778")) << before.toStdString();
    {
        TfmMain w;
        w.show();
        auto* page = ShowPageOf<TfmConnection>(w);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->edtTCPPortReal->text(), "7778");
        page->btnConnect->click();
        EXPECT_EQ(Driver().ResultCode(), 0);
        EXPECT_EQ(Driver().TCPPort(), 7778);
    }
    FreeDriver();
    EXPECT_EQ(FileBytes(OrvekSettingsFileName()), before);

    TfmMain w;
    w.show();
    auto* page = ShowPageOf<TfmConnection>(w);
    ASSERT_NE(page, nullptr);
    page->seTCPPortCode->setValue(0x1F);
    page->btnConnect->click();
    EXPECT_EQ(Driver().TCPPort(), 0x103F);
}

TEST_F(MainWindowTest, FirstShowOfThePrintServerPageShowsTheDriversPort)
{
    Driver().setComNumber(7);
    TfmMain w;
    w.show();
    auto* page = ShowPageOf<TfmPrintServer>(w);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->cbCOMNumber->currentText(), "COM7");
    page->btnLockPort->click();
    EXPECT_EQ(Driver().ComNumber(), 7);
}
