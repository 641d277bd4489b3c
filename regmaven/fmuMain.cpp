#include "regmaven/fmuMain.h"

#include "core/support/VersionInfo.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NamedControls.h"
#include "regmaven/fmuBeforeCloseFN.h"
#include "regmaven/fmuCalculationStateReport.h"
#include "regmaven/fmuCheckEthernet.h"
#include "regmaven/fmuCheckRNDIS.h"
#include "regmaven/fmuCheckStatus.h"
#include "regmaven/fmuCloseFN.h"
#include "regmaven/fmuConnectDevice.h"
#include "regmaven/fmuEthernetParams.h"
#include "regmaven/fmuFFD.h"
#include "regmaven/fmuFinalMessage.h"
#include "regmaven/fmuFiscalizationBefore.h"
#include "regmaven/fmuFiscalizationInfo.h"
#include "regmaven/fmuINN.h"
#include "regmaven/fmuKKTParamsX5.h"
#include "regmaven/fmuOFDExchangeState.h"
#include "regmaven/fmuOFDParams.h"
#include "regmaven/fmuOpenRegParamsX5.h"
#include "regmaven/fmuRNDISParams.h"
#include "regmaven/fmuRegParamsX5.h"
#include "regmaven/fmuSearchDevice.h"
#include "regmaven/fmuSelectClientType.h"
#include "regmaven/fmuSelectNetType.h"
#include "regmaven/fmuSelectPortType.h"
#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/fmuSerial.h"
#include "regmaven/fmuTCPParams.h"
#include "regmaven/fmuUserParams.h"
#include "regmaven/fmuWiFiParams.h"
#include "regmaven/fmuWorkMode.h"
#include "regmaven/untDriver.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace Regmaven {

namespace {

// A button image drawn from a symbol of the text font.
QIcon symbolIcon(const QString& symbol)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = painter.font();
    font.setPixelSize(56);
    painter.setFont(font);
    painter.setPen(QColor(0x2a, 0x5d, 0x9f));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}

QToolButton* imageButton(QWidget* parent, const char* name, const QString& symbol, const QString& hint)
{
    auto* button = NewControl<QToolButton>(parent, name);
    button->setIcon(symbolIcon(symbol));
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    return button;
}

} // namespace

TfmMain* MainForm()
{
    return dynamic_cast<TfmMain*>(WizardWindow());
}

QString TfmMain::GetModFilePath()
{
    return QCoreApplication::applicationDirPath() + "/";
}

TfmMain::TfmMain(const QString& ProgramFolder)
{
    SetWizardWindow(this);
    setObjectName("fmMain");

    pnlTop = NewControl<QLabel>(this, "pnlTop");
    pnlTop->setFixedHeight(41);
    pnlTop->setIndent(16);
    pnlTop->setFont(BoldArial(15));
    pnlTop->setAutoFillBackground(true);
    pnlTop->setBackgroundRole(QPalette::Base);

    pnlSite = NewControl<QWidget>(this, "pnlSite");
    auto* siteLayout = new QGridLayout(pnlSite);
    siteLayout->setContentsMargins(0, 0, 0, 0);

    pnlBottom = NewControl<QWidget>(this, "pnlBottom");
    pnlBottom->setFixedHeight(66);
    auto* separator = new QFrame(pnlBottom);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    pnlButtons = NewControl<QWidget>(pnlBottom, "pnlButtons");
    btnPrev = NewControl<QPushButton>(pnlButtons, "btnPrev", QStringLiteral("< Назад"));
    btnNext = NewControl<QPushButton>(pnlButtons, "btnNext", QStringLiteral("Далее >"));
    btnNext->setDefault(true);
    for (QPushButton* button : {btnPrev, btnNext})
        button->setFixedSize(132, 33);
    auto* buttonsLayout = new QHBoxLayout(pnlButtons);
    buttonsLayout->setContentsMargins(0, 0, 0, 0);
    buttonsLayout->setSpacing(12);
    buttonsLayout->addWidget(btnPrev);
    buttonsLayout->addWidget(btnNext);

    btnHome = imageButton(pnlBottom, "btnHome", QStringLiteral("⌂"), QStringLiteral("Вернуться в начало"));
    btnMenu = imageButton(pnlBottom, "btnMenu", QStringLiteral("⚙"), QStringLiteral("Настройки драйвера"));

    auto* bottomRow = new QHBoxLayout;
    bottomRow->setContentsMargins(12, 0, 12, 0);
    bottomRow->addWidget(btnHome);
    bottomRow->addStretch();
    bottomRow->addWidget(pnlButtons);
    bottomRow->addStretch();
    bottomRow->addWidget(btnMenu);
    lblWait = NewControl<QLabel>(pnlBottom, "lblWait");
    lblWait->setAlignment(Qt::AlignCenter);
    // Its line is kept while hidden: showing it moves no button.
    QSizePolicy waitPolicy = lblWait->sizePolicy();
    waitPolicy.setRetainSizeWhenHidden(true);
    lblWait->setSizePolicy(waitPolicy);
    lblWait->hide();
    auto* bottomLayout = new QVBoxLayout(pnlBottom);
    bottomLayout->setContentsMargins(0, 0, 0, 2);
    bottomLayout->setSpacing(0);
    bottomLayout->addWidget(separator);
    bottomLayout->addLayout(bottomRow, 1);
    bottomLayout->addWidget(lblWait);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlTop);
    layout->addWidget(pnlSite, 1);
    layout->addWidget(pnlBottom);

    connect(btnNext, &QPushButton::clicked, this, Guarded(this, &TfmMain::btnNextClick));
    connect(btnPrev, &QPushButton::clicked, this, Guarded(this, &TfmMain::btnPrevClick));
    connect(btnHome, &QToolButton::clicked, this, Guarded(this, &TfmMain::btnHomeClick));
    connect(btnMenu, &QToolButton::clicked, this, Guarded(this, &TfmMain::btnMenuClick));
    // "Далее >" is the default button of the window: Enter presses it, or
    // the push or image button that has the focus.
    for (int key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this] {
            QAbstractButton* button = btnNext;
            QWidget* focused = focusWidget();
            if (qobject_cast<QPushButton*>(focused) || qobject_cast<QToolButton*>(focused))
                button = static_cast<QAbstractButton*>(focused);
            if (button->isEnabled())
                button->click();
        });
    // Enter that closes a drop-down of the window stays there (eventFilter).
    qApp->installEventFilter(this);

    Controller().X5Mode = QFile::exists(ProgramFolder + "X5.ini");
    QString caption = RegmavenTitle + ' ' + GetFileVersionInfoStr() + " (64-bit)";
    if (Controller().X5Mode)
        caption += " [X5]";
    setWindowTitle(caption);
    // Message boxes carry the program's name.
    SetApplicationTitle(QStringLiteral("Regmaven"));

    FPages = std::make_unique<TParamPages>();
    FIndex = -1;
    CreatePages();
    resize(730, 458);
}

TfmMain::~TfmMain()
{
    // The pages first: the port search's own driver objects keep their
    // settings when they go, and the wizard's driver must keep its own last.
    FPages.reset();
    FreeDriver();
    Controller().CurrentPage = nullptr;
    if (WizardWindow() == this)
        SetWizardWindow(nullptr);
}

template <class T>
void TfmMain::AddPage()
{
    auto* page = new T;
    page->SetOwner(FPages.get());
    page->setParent(pnlSite);
    // Hidden pages keep their size, so the window is as large as the largest page needs.
    QSizePolicy policy = page->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    page->setSizePolicy(policy);
    page->hide();
    static_cast<QGridLayout*>(pnlSite->layout())->addWidget(page, 0, 0);
}

void TfmMain::CreatePages()
{
    AddPage<TfmConnectDevice>();
    AddPage<TfmSearchDevice>();
    AddPage<TfmSelectWorkType>();
    AddPage<TfmSelectClientType>();
    AddPage<TfmEnterSerial>();
    AddPage<TfmOFDParams>();
    AddPage<TfmUserParams>();
    AddPage<TfmWorkMode>();
    AddPage<TfmINN>();
    AddPage<TfmFiscalizationBefore>();
    AddPage<TfmFiscalizationInfo>();
    AddPage<TfmSelectNetType>();
    AddPage<TfmEthernetParams>();
    AddPage<TfmRNDISParams>();
    AddPage<TfmWiFiParams>();
    AddPage<TfmCheckRNDIS>();
    AddPage<TfmOFDExchangeState>();
    AddPage<TfmFinalMessage>();
    AddPage<TfmSelectPortType>();
    AddPage<TfmTCPParams>();
    AddPage<TfmCheckEthernet>();
    AddPage<TfmBeforeCloseFN>();
    AddPage<TfmFFD>();
    AddPage<TfmCloseFN>();
    AddPage<TfmKKTParamsX5>();
    AddPage<TfmOpenRegParamsX5>();
    AddPage<TFmCheckStatusBeforeCloseFN>();
    AddPage<TfmRegParamsX5>();
    AddPage<TfmCalculationStateReport>();
    AddPage<TFmCheckStatusBeforeRegistration>();
    AddPage<TFmCheckStatusBeforeReRegistration>();
    Controller().CurrentPage = FPages->GetItem(0);
}

void TfmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!FShown) {
        FShown = true; // centred on the screen at the first show
        if (QScreen* s = screen())
            move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    ShowPage(0);
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    // During a wait for the register the close box stops the wait; the
    // window stays to show how the step ended.
    if (FWaiting) {
        FWaitStopped = true;
        lblWait->setText(QStringLiteral("Ожидание прерывается..."));
        event->ignore();
        return;
    }
    FPages->CloseEvent();
    event->accept();
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event)
{
    // An open drop-down takes Enter to pick its item and close; it lets the
    // key go on to the shortcuts, by then of the window, so the key would
    // also press "Далее >". Taken as the drop-down's own, it does not.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QWidget* popup = QApplication::activePopupWidget();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && popup && popup->parentWidget() &&
            popup->parentWidget()->window() == this)
            event->accept();
    }
    return QWidget::eventFilter(watched, event);
}

void TfmMain::ShowWaiting(const QString& Status)
{
    const QList<QWidget*> buttons = {btnPrev, btnNext, btnHome, btnMenu};
    if (!Status.isEmpty()) {
        if (!FWaiting) {
            FWaiting = true;
            FWaitStopped = false;
            FEnabledBeforeWait.clear();
            for (QWidget* button : buttons) {
                FEnabledBeforeWait << button->isEnabled();
                button->setEnabled(false);
            }
            QApplication::setOverrideCursor(Qt::WaitCursor);
            lblWait->show();
        }
        if (!FWaitStopped)
            lblWait->setText(Status);
        return;
    }
    if (!FWaiting)
        return;
    FWaiting = false;
    FWaitStopped = false;
    for (qsizetype i = 0; i < buttons.size(); ++i)
        buttons[i]->setEnabled(FEnabledBeforeWait.value(i, true));
    QApplication::restoreOverrideCursor();
    lblWait->hide();
    lblWait->clear();
}

void TfmMain::ShowPage(int Index)
{
    btnNext->setEnabled(true);
    btnPrev->setEnabled(true);
    btnHome->setEnabled(true);
    btnMenu->setEnabled(true);
    const bool valid = Index >= 0 && Index < FPages->Count();
    // Before the page's show event, so that a page may disable "< Назад" too.
    if (valid)
        btnPrev->setEnabled(Index != 0);
    if (valid && Index != FIndex) {
        TParamPage* page = FPages->GetItem(Index);
        // A failure of the page's show event is shown once the page has
        // taken the old one's place.
        std::exception_ptr failure;
        {
            TGuardCollect collect;
            page->show();
            try {
                collect.Raise();
            } catch (...) {
                failure = std::current_exception();
            }
        }
        pnlTop->setText(page->Caption());
        if (FIndex >= 0 && FIndex < FPages->Count())
            FPages->GetItem(FIndex)->hide();
        FIndex = Index;
        if (failure)
            RunGuarded([&failure] { std::rethrow_exception(failure); });
    }
}

void TfmMain::btnNextClick()
{
    TParamPage* old = Controller().CurrentPage;
    Controller().NextPageClass = {};
    old->Next();
    // A Next that names no page keeps the wizard on it.
    if (!Controller().NextPageClass)
        return;
    TParamPage* found = FPages->PageByClass(Controller().NextPageClass);
    const int index = found ? found->Index() : 0;
    TParamPage* page = FPages->GetItem(index);
    if (page != old) {
        page->PrevPage = old;
        Controller().CurrentPage = page;
    }
    ShowPage(index);
}

void TfmMain::btnPrevClick()
{
    TParamPage* current = Controller().CurrentPage;
    current->Prev();
    const int index = qMax(FPages->GetItemIndex(current->PrevPage), 0);
    Controller().CurrentPage = FPages->GetItem(index);
    ShowPage(index);
}

void TfmMain::btnHomeClick()
{
    Controller().CurrentPage->Home();
    ShowPage(0);
    Controller().CurrentPage = FPages->GetItem(0);
}

void TfmMain::btnMenuClick()
{
    Driver().Disconnect();
    Driver().ShowProperties();
}

void TfmMain::Next()
{
    if (btnNext->isEnabled())
        btnNext->click();
}

void TfmMain::Prev()
{
    if (btnPrev->isEnabled())
        btnPrev->click();
}

void TfmMain::Home()
{
    RunGuarded([this] { btnHomeClick(); });
}

void TfmMain::EnableNext(bool Value)
{
    if (btnNext->isEnabled() != Value)
        btnNext->setEnabled(Value);
}

void TfmMain::EnablePrev(bool Value)
{
    if (btnPrev->isEnabled() != Value)
        btnPrev->setEnabled(Value);
}

void TfmMain::EnableHome(bool Value)
{
    btnHome->setEnabled(Value);
}

void TfmMain::EnableSettings(bool Value)
{
    btnMenu->setEnabled(Value);
}

} // namespace Regmaven
