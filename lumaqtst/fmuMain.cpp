#include "lumaqtst/fmuMain.h"

#include "core/driver/untDriver.h"
#include "core/driver/ComPort.h"
#include "lumaqtst/PageTable.h"
#include "lumaqtst/fmuAbout.h"
#include "platform/ui/NamedControls.h"
#include "core/settings/ControlStore.h"
#include "core/settings/LangUtils.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/VersionInfo.h"
#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/Hook.h"
#include "platform/Registry.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/ScreenFit.h"
#include "platform/ui/Splitter.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>
#include <chrono>
#include <optional>

namespace {
// Room beside the window's client area for its frame, its title bar and a panel.
constexpr QSize FrameRoom(16, 72);

THook<TfmMain::TickCountFunction>& TickCount()
{
    static THook<TfmMain::TickCountFunction> hook([] {
        using namespace std::chrono;
        return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    });
    return hook;
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The password box accepts as its value only an integer; while typed, any
// text of digits, signs and points may stand (the change handler reports it).
class TPasswordValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar c : input)
            if (!IsDigit(c) && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+'))
                return Invalid;
        try {
            StrToInt(input);
            return Acceptable;
        } catch (const EConvertError&) {
            return Intermediate;
        }
    }
};

// Swallows the user's presses (mouse, keys, wheel) while it exists; releases,
// paint and timer events pass.
class TUserInputBlocker : public QObject {
public:
    TUserInputBlocker() { qApp->installEventFilter(this); }
    ~TUserInputBlocker() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }
};

QPixmap TitlePicture()
{
    QPixmap pixmap(129, 41);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(22);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    p.drawText(pixmap.rect().adjusted(0, 0, -12, 0), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("LUMAQ"));
    return pixmap;
}

// The frame around a window as the platform tells it now; null when it
// knows none (yet).
QMargins FrameNow(const QWidget* window)
{
    const QRect inner = window->geometry(), outer = window->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QLineEdit* ResultEdit(QWidget* parent, const char* name)
{
    auto* edit = NewEdit(parent, name);
    edit->setReadOnly(true);
    return edit;
}

// A frame from its start; the whole frame in the tool tip.
void ShowFrame(QLineEdit* edit, const QString& frame)
{
    edit->setText(frame);
    edit->setCursorPosition(0);
    edit->setToolTip(frame);
}
} // namespace

TfmMain::TickCountFunction TfmMain::SetTickCount(TickCountFunction tickCount)
{
    return TickCount().Set(std::move(tickCount));
}

TfmMain::TfmMain(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmMain"));
    CreateControls();
    // A failing step is shown; the window opens with what was done.
    RunGuarded([this] { FormCreate(); });
}

TfmMain::~TfmMain()
{
    try {
        SaveParams();
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
    PageNotifier().SetOnChange({});
    FPage = nullptr;
    FPages.reset();
    // A loop still running (the window freed from within it) keeps the driver.
    if (TDriverJob::Count() == 0)
        FreeDriver();
}

QSize TfmMain::FirstStartSize()
{
    // Our fonts are larger than the design's: the design's client size
    // (745 x 510) scaled by the font in use, and at least as large as a
    // 1366 x 768 screen allows (leaving room for the window frame and a
    // panel), so every page shows whole; never larger than the screen in use.
    const QFontMetricsF metrics(QApplication::font());
    const qreal letter = metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) / 52;
    const qreal scale = std::max({1.0, letter / 5.75, metrics.height() / 13.0});
    const QSize room = QSize(1366, 768) - FrameRoom;
    return QSize(qRound(745 * scale), qRound(510 * scale)).expandedTo(room).boundedTo(LargestSize());
}

QSize TfmMain::LargestSize()
{
    QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry().size() - FrameRoom : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void TfmMain::CreateControls()
{
    resize(FirstStartSize());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);   // the window may be made smaller than its controls

    MainMenu = NewControl<QMenuBar>(this, "MainMenu");
    layout->setMenuBar(MainMenu);
    QMenu* file = MainMenu->addMenu(QStringLiteral("Файл"));
    miShowProperties = file->addAction(QStringLiteral("Свойства драйвера..."));
    file->addSeparator();
    miExit = file->addAction(QStringLiteral("В&ыход"));
    QMenu* language = MainMenu->addMenu(QStringLiteral("Язык"));
    miLanguage = language->menuAction();
    miRussian = language->addAction(QStringLiteral("Русский"));
    miEnglish = language->addAction(QStringLiteral("English"));
    miRussian->setCheckable(true);
    miEnglish->setCheckable(true);
    miRussian->setChecked(true);
    QMenu* help = MainMenu->addMenu(QStringLiteral("Справка"));
    miAbout = help->addAction(QStringLiteral("О программе..."));
    for (auto [action, name] : {std::pair{miShowProperties, "miShowProperties"}, {miExit, "miExit"},
                                {miLanguage, "miLanguage"}, {miRussian, "miRussian"},
                                {miEnglish, "miEnglish"}, {miAbout, "miAbout"}})
        action->setObjectName(QLatin1String(name));
    connect(miShowProperties, &QAction::triggered, this, Guarded(this, &TfmMain::miShowPropertiesClick));
    connect(miExit, &QAction::triggered, this, Guarded(this, &TfmMain::btnCloseClick));
    connect(miRussian, &QAction::triggered, this, Guarded(this, &TfmMain::miRussianClick));
    connect(miEnglish, &QAction::triggered, this, Guarded(this, &TfmMain::miEnglishClick));
    connect(miAbout, &QAction::triggered, this, Guarded(this, &TfmMain::btnAboutClick));

    Panel1 = NewControl<QWidget>(this, "Panel1");
    Panel1->setFixedHeight(41);
    Panel1->setAutoFillBackground(true);
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, QColor(0, 124, 176));
    Panel1->setPalette(palette);
    auto* title = new QHBoxLayout(Panel1);
    title->setContentsMargins(0, 0, 0, 0);
    Image1 = NewLabel(Panel1, {}, "Image1");
    Image1->setFixedWidth(129);
    Image1->setPixmap(TitlePicture());
    title->addStretch();
    title->addWidget(Image1);
    layout->addWidget(Panel1);

    pnlMain = NewControl<QWidget>(this, "pnlMain");
    layout->addWidget(pnlMain, 1);
    auto* main = new QGridLayout(pnlMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);

    ListBox = NewControl<QListWidget>(pnlMain, "ListBox");
    connect(ListBox, &QListWidget::currentRowChanged, this, Guarded(this, &TfmMain::ListBoxClick));
    Splitter = NewControl<TSplitter>(pnlMain, "Splitter");
    Splitter->SetControl(ListBox);
    Splitter->SetMinSize(60);
    Splitter->OnCanResize = [this](int NewSize) { return SplitterCanResize(NewSize); };
    Splitter->OnMoved = [this](int NewSize) { SetListWidth(NewSize); };
    SetListWidth(165);
    pnlSite = NewControl<QWidget>(pnlMain, "pnlSite");
    auto* site = new QVBoxLayout(pnlSite);
    site->setContentsMargins(0, 0, 0, 0);
    main->addWidget(ListBox, 0, 0);
    main->addWidget(Splitter, 0, 1);
    main->addWidget(pnlSite, 0, 2);
    main->setColumnStretch(2, 1);

    pnlInfo = NewControl<QWidget>(pnlMain, "pnlInfo");
    pnlInfo->setFixedHeight(86);
    main->addWidget(pnlInfo, 1, 0, 1, 3);
    auto* info = new QGridLayout(pnlInfo);
    info->setContentsMargins(8, 4, 8, 4);
    info->setVerticalSpacing(3);
    edtResult = ResultEdit(pnlInfo, "edtResult");
    edtInput = ResultEdit(pnlInfo, "edtInput");
    edtOutput = ResultEdit(pnlInfo, "edtOutput");
    edtTime = ResultEdit(pnlInfo, "edtTime");
    edtOperator = ResultEdit(pnlInfo, "edtOperator");
    edtPassword = NewEdit(pnlInfo, "edtPassword");
    edtPassword->setValidator(new TPasswordValidator(edtPassword));
    SetEditLimit(edtPassword, 100);
    edtPassword->setAcceptDrops(false);
    edtPassword->installEventFilter(this);
    OnChange(edtPassword, this, &TfmMain::edtPasswordChange);
    btnProperties = NewButton(pnlInfo, "btnProperties", QStringLiteral("Настройка свойств"), this,
                              &TfmMain::btnPropertiesClick);
    btnClose = NewButton(pnlInfo, "btnClose", QStringLiteral("Закрыть"), this, &TfmMain::btnCloseClick);

    const std::pair<const char*, QLineEdit*> left[] = {
        {"Результат:", edtResult}, {"Передано:", edtInput}, {"Принято:", edtOutput}};
    const std::pair<const char*, QLineEdit*> right[] = {
        {"Время:", edtTime}, {"Оператор:", edtOperator}, {"Пароль:", edtPassword}};
    for (int row = 0; row < 3; ++row) {
        info->addWidget(NewLabel(pnlInfo, QString::fromUtf8(left[row].first)), row, 0);
        info->addWidget(left[row].second, row, 1);
        info->addWidget(NewLabel(pnlInfo, QString::fromUtf8(right[row].first)), row, 2);
        info->addWidget(right[row].second, row, 3);
    }
    info->addWidget(btnProperties, 0, 4);
    info->addWidget(btnClose, 2, 4);
    info->setColumnStretch(1, 3);
    info->setColumnStretch(3, 1);
}

void TfmMain::FormCreate()
{
    FPages = std::make_unique<TPages>();
    FPages->OnPageCreated = [this](TPage* Page) { RestorePage(Page); };
    PageNotifier().SetOnChange([this](TPageNotifier* Sender, TChangeType ChangeType) { PagesChanged(Sender, ChangeType); });
    CreatePages();
    InitializePages();
    LoadParams();
    SetApplicationTitle(LumaqTstTitle);
    UpdateCaption();
    UpdateLanguage();
    edtPassword->setText(QString::number(Driver().Password()));
}

void TfmMain::CreatePages()
{
    for (const TPageGroup& group : PageGroups()) {
        TfmTabbedPage* tabbed = AddTabbedPage(group.Caption);
        for (const TPageClass& page : group.Pages)
            AddTabItem(tabbed, page);
    }
    // The design width, widened up to the splitter's limit so that the
    // longest group caption shows whole in the font in use.
    int widest = 0;
    for (int i = 0; i < ListBox->count(); ++i)
        widest = qMax(widest, ListBox->fontMetrics().horizontalAdvance(ListBox->item(i)->text()));
    const int margins = 2 * ListBox->frameWidth() + 2 * (ListBox->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListBox) + 3);
    FListMaxWidth = qBound(165, widest + margins, 200);
    SetListWidth(FListMaxWidth);
}

TfmTabbedPage* TfmMain::AddTabbedPage(const QString& Caption)
{
    const int n = ListBox->count();
    auto* group = new TfmTabbedPage(pnlSite);
    if (n > 0)   // the platform's unique-name rule
        group->setObjectName(QStringLiteral("fmTabbedPage_%1").arg(n));
    group->SetOwner(FPages.get());
    group->hide();
    pnlSite->layout()->addWidget(group);
    auto* item = new QListWidgetItem(Format(QStringLiteral("  %.2d. %s"), {n + 1, Caption}));
    item->setData(Qt::UserRole, QVariant::fromValue<QObject*>(group));
    item->setSizeHint(QSize(0, 22));
    const QSignalBlocker blocker(ListBox);
    ListBox->addItem(item);
    return group;
}

void TfmMain::AddTabItem(TfmTabbedPage* Group, const TPageClass& PageClass)
{
    Group->AddPage(PageClass);   // made on first show
}

void TfmMain::RestorePage(TPage* Page)
{
    SetDefaults(Page);
    TRegistry reg;
    if (reg.OpenKey(LumaqParamKey, false))
        LoadControlParams(QStringLiteral("fmMain.") + ControlPath(this, Page), Page, reg);
}

void TfmMain::InitializePages()
{
    for (int i = 0; i < FPages->Count(); ++i)
        FPages->GetItem(i)->Initialize();
}

void TfmMain::SetDefaults(QWidget* Control)
{
    for (QWidget* child : ChildControls(Control)) {
        SetDefaults(child);
        // Only the plain combo box class, not one derived from it.
        if (qstrcmp(child->metaObject()->className(), "QComboBox") == 0)
            static_cast<QComboBox*>(child)->setCurrentIndex(0);
    }
}

void TfmMain::LoadParams()
{
    SetDefaults(this);
    int pageIndex = 0;
    int tabIndex = 0;
    TRegistry reg;
    if (reg.OpenKey(LumaqParamKey, false)) {
        LoadControlParams(QStringLiteral("fmMain"), this, reg);
        // A value of another type is passed over like a missing one.
        auto read = [&reg](const char* name, int& value) {
            if (reg.GetDataType(QLatin1String(name)) == rdInteger)
                value = reg.ReadInteger(QLatin1String(name));
        };
        read("PageIndex", pageIndex);
        if (pageIndex < 0 || pageIndex >= ListBox->count())
            pageIndex = 0;
        read("TabIndex", tabIndex);
        QRect g = geometry();
        int width = g.width(), height = g.height(), top = g.top(), left = g.left();
        read("MPWidth", width);
        read("MPHeigth", height);
        read("MPTop", top);
        read("MPLeft", left);
        // The stored place: the frame's position and the inner size, as
        // move() and resize() take them; fitted with the frame around it.
        // Before the first show the frame may be unknown: room for a usual one.
        const QMargins frame = FrameMargins().isNull() ? QMargins(8, 32, 8, 8) : FrameMargins();
        const QRect place = FitToScreens({left, top}, QSize(width, height).boundedTo(LargestSize()), g, frame);
        resize(place.size());
        move(place.topLeft());
        FNormalPlace = place;
        int maximized = 0;
        read("MPMaximized", maximized);
        if (maximized)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    if (ListBox->count() == 0)
        return;
    {
        const QSignalBlocker blocker(ListBox);
        ListBox->setCurrentRow(pageIndex);
    }
    ShowPage(qobject_cast<TPage*>(ListBox->item(pageIndex)->data(Qt::UserRole).value<QObject*>()));
    SetTab(tabIndex);
}

void TfmMain::SaveParams()
{
    TRegistry reg;
    if (!reg.OpenKey(LumaqParamKey, true))
        return;
    SaveControlParams(QStringLiteral("fmMain"), this, reg);
    reg.WriteInteger(QStringLiteral("PageIndex"), ListBox->currentRow());
    reg.WriteInteger(QStringLiteral("TabIndex"), GetTabIndex());
    // One kind of place in both states: the frame's position and the inner
    // size. A maximised window keeps the place it goes back to (its normal
    // inner rectangle moved out by the frame), and starts maximised.
    QRect place(pos(), size());
    if (isMaximized()) {
        const QMargins frame = FrameMargins();
        place = FNormalPlace.isValid()
                  ? FNormalPlace
                  : QRect(normalGeometry().topLeft() - QPoint(frame.left(), frame.top()), normalGeometry().size());
    }
    reg.WriteInteger(QStringLiteral("MPWidth"), place.width());
    reg.WriteInteger(QStringLiteral("MPHeigth"), place.height());
    reg.WriteInteger(QStringLiteral("MPTop"), place.y());
    reg.WriteInteger(QStringLiteral("MPLeft"), place.x());
    reg.WriteInteger(QStringLiteral("MPMaximized"), isMaximized() ? 1 : 0);
    reg.CloseKey();
}

int TfmMain::GetTabIndex() const
{
    QListWidgetItem* item = ListBox->currentItem();
    auto* group = item ? qobject_cast<TfmTabbedPage*>(item->data(Qt::UserRole).value<QObject*>()) : nullptr;
    return group ? group->PageControl->currentIndex() : 0;
}

void TfmMain::SetTab(int Index)
{
    QListWidgetItem* item = ListBox->currentItem();
    auto* group = item ? qobject_cast<TfmTabbedPage*>(item->data(Qt::UserRole).value<QObject*>()) : nullptr;
    if (group && Index < group->PageControl->count())
        group->SetActiveTab(Index);   // from code: no page is written or refreshed
}

void TfmMain::ShowPage(TPage* Page)
{
    if (Page == FPage)
        return;
    if (FPage)
        FPage->UpdateObject();
    if (Page) {
        Page->show();
        Page->UpdatePage();
    }
    if (FPage)
        FPage->hide();
    pnlSite->layout()->activate();   // the group shown fills pnlSite now
    FPage = Page;
    UpdateListBox();
}

void TfmMain::ListBoxClick()
{
    if (QListWidgetItem* item = ListBox->currentItem())
        ShowPage(qobject_cast<TPage*>(item->data(Qt::UserRole).value<QObject*>()));
}

void TfmMain::UpdateListBox()
{
    if (!FPage)
        return;
    FListMaxWidth = qMax(FListMinWidth, width() - FPage->minimumWidth() - 20);
    SetListWidth(FListWidth);
}

void TfmMain::SetListWidth(int Width)
{
    FListWidth = qBound(FListMinWidth, Width, FListMaxWidth);
    ListBox->setFixedWidth(FListWidth);
}

void TfmMain::resizeEvent(QResizeEvent* e)
{
    TBaseForm::resizeEvent(e);
    NoteNormalPlace();
    UpdateListBox();
}

QMargins TfmMain::FrameMargins() const
{
    return FFrameMargins.isNull() ? FrameNow(this) : FFrameMargins;
}

void TfmMain::NoteNormalPlace()
{
    if (!isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    FNormalPlace = QRect(pos(), size());
    if (const QMargins frame = FrameNow(this); !frame.isNull())
        FFrameMargins = frame;
}

void TfmMain::moveEvent(QMoveEvent* e)
{
    TBaseForm::moveEvent(e);
    NoteNormalPlace();
}

void TfmMain::showEvent(QShowEvent* e)
{
    TBaseForm::showEvent(e);
    if (FCentred)
        return;
    FCentred = true;   // centred on the screen at the first show
    if (QScreen* s = screen(); s && !isMaximized())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TfmMain::PagesChanged(TPageNotifier*, TChangeType ChangeType)
{
    try {
        const std::initializer_list<QLineEdit*> panel{edtInput, edtOutput, edtResult, edtTime, edtOperator};
        if (ChangeType == ctStart) {
            FTickCount = TickCount().Get()();
            TPanelState state{TOrvek::CallCount(), {}, {}};
            for (QLineEdit* edit : panel) {
                state.Texts << edit->text();
                state.Tips << edit->toolTip();
            }
            constexpr std::size_t MaxFrames = 64;   // frames left open are not kept for ever
            if (FPanelStates.size() == MaxFrames)
                FPanelStates.erase(FPanelStates.begin());
            FPanelStates.push_back(std::move(state));
            for (QLineEdit* edit : panel)
                edit->clear();
            for (QLineEdit* edit : {edtInput, edtOutput})
                edit->setToolTip({});
            // Paint the emptied panel; the user's input waiting now must not
            // start the same operation again.
            TUserInputBlocker blocker;
            QCoreApplication::processEvents();
        } else if (ChangeType == ctStop) {
            std::optional<TPanelState> state;
            if (!FPanelStates.empty()) {
                state = std::move(FPanelStates.back());
                FPanelStates.pop_back();
            }
            // Nothing was sent (input refused, a dialog cancelled): the panel
            // shows what it showed before.
            if (state && state->Calls == TOrvek::CallCount()) {
                int i = 0;
                for (QLineEdit* edit : panel) {
                    edit->setText(state->Texts[i]);
                    edit->setCursorPosition(0);
                    edit->setToolTip(state->Tips[i++]);
                }
                return;
            }
            TDriver& driver = Driver();
            const int32_t code = driver.ResultCode();
            const QString description = driver.ResultCodeDescription();
            ShowFrame(edtInput, driver.ECRInput());
            ShowFrame(edtOutput, driver.ECROutput());
            edtResult->setText(Format(QStringLiteral("(%d) %s"), {code, description}));
            edtTime->setText(QString::number(uint32_t(TickCount().Get()() - FTickCount)) + QLatin1Char(' ') + GetRes("мс"));
            edtOperator->setText(QString::number(driver.OperatorNumber()));
            UpdateCaption();
        }
    } catch (...) {
        // The panel stays as far as it was filled.
    }
}

QString TfmMain::GetDefCaption() const
{
    return LumaqTstTitle + QLatin1Char(' ') + GetFileVersionInfoStr() + QStringLiteral(" (64-bit)");
}

void TfmMain::UpdateCaption()
{
    TDriver& driver = Driver();
    QString caption = GetDefCaption();
    // Joined piece by piece: a name or address may hold any text, "%1" too.
    const auto port = [&driver] {
        return QStringLiteral("COM") + QString::number(driver.ComNumber()) + QStringLiteral(" Baudrate ")
             + QString::number(IntToBaudRate(driver.BaudRate())) + QLatin1Char(']');
    };
    switch (driver.ConnectionType()) {
    case 0:
        caption += QStringLiteral(" [Serial: ") + port();
        break;
    case 1:
    case 2:
        caption += QStringLiteral(" [DCOM:") + driver.ComputerName() + QLatin1Char(' ') + port();
        break;
    case 6:
        caption += QStringLiteral(" [TCP: ") + driver.IPAddress() + QStringLiteral(": ")
                 + QString::number(driver.TCPPort()) + QLatin1Char(']');
        break;
    default:
        break;
    }
    setWindowTitle(caption);
}

bool TfmMain::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != edtPassword)
        return TBaseForm::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->matches(QKeySequence::Paste) || (key->key() == Qt::Key_Insert && key->modifiers() == Qt::ShiftModifier)) {
            PastePassword(false);
            return true;
        }
        return edtPasswordKeyPress(key);
    }
    case QEvent::ContextMenu: {
        std::unique_ptr<QMenu> menu(CreatePasswordMenu());
        menu->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
            PastePassword(true);
            return true;
        }
        break;
    case QEvent::FocusOut: {
        // Leaving the box for another control; not a pop-up (the context
        // menu) or another window (a message box) taking the focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            RunGuarded([this] { edtPasswordExit(); });
        break;
    }
    default:
        break;
    }
    return false;
}

bool TfmMain::edtPasswordKeyPress(QKeyEvent* e)
{
    // Only Backspace, Tab, the point and digits pass of the typed characters;
    // shortcuts and keys without a character are the edit's.
    const QString text = e->text();
    if (text.isEmpty() || (e->modifiers() & Qt::ControlModifier))
        return false;
    const QChar c = text.front();
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
        return false;
    return !(IsDigit(c) || c == QLatin1Char('.'));
}

void TfmMain::edtPasswordChange()
{
    Driver().setPassword(StrToInt(edtPassword->text()));
}

void TfmMain::edtPasswordExit()
{
    edtPassword->setText(QString::number(Driver().Password()));
}

void TfmMain::CheckPasswordText(const QString& Text)
{
    if (Text.size() > 1024)
        throw Exception(GetRes("Некорректное значение в поле") + QStringLiteral(" \"Password\""));
    StrToInt(Text);
}

void TfmMain::PastePassword(bool fromSelection)
{
    RunGuarded([this, fromSelection] {
        const QString text = QGuiApplication::clipboard()->text(fromSelection ? QClipboard::Selection : QClipboard::Clipboard);
        CheckPasswordText(text);
        edtPassword->insert(text);
    });
}

QMenu* TfmMain::CreatePasswordMenu()
{
    QMenu* menu = edtPassword->createStandardContextMenu();
    // The edit's paste item is the one with the paste shortcut.
    const QString pasteKey = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions())
        if (action->text().endsWith(pasteKey)) {
            action->setObjectName(QStringLiteral("edit-paste"));
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, [this] { PastePassword(false); });
        }
    return menu;
}

void TfmMain::btnPropertiesClick()
{
    Driver().ShowProperties();
    edtPassword->setText(QString::number(Driver().Password()));
    if (FPage)
        FPage->UpdatePage();
}

void TfmMain::miShowPropertiesClick()
{
    Driver().ShowProperties();
}

void TfmMain::btnCloseClick()
{
    close();
}

void TfmMain::btnAboutClick()
{
    ShowAboutBox(this);
}

void TfmMain::UpdateLanguage()
{
    MarkLanguage(GetLanguage());
}

void TfmMain::MarkLanguage(const QString& Lang)
{
    const bool english = Lang == QLatin1String("EN");
    miEnglish->setChecked(english);
    miRussian->setChecked(!english);
}

void TfmMain::miRussianClick()
{
    ChooseLanguage(QStringLiteral("RU"));
}

void TfmMain::miEnglishClick()
{
    ChooseLanguage(QStringLiteral("EN"));
}

void TfmMain::ChooseLanguage(const QString& Lang)
{
    try {
        SetLanguage(Lang);
    } catch (...) {
        MarkLanguage(ReadLanguage());   // the marks keep showing the language in the file
        throw;
    }
    MarkLanguage(Lang);
    ShowRestartMessage();
}

void TfmMain::ShowRestartMessage()
{
    Dialogs::MessageBox(GetRes("Для измения языка необходимо перезапустить приложение"), GetRes("Внимание"),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}
