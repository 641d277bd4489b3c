#pragma once
// TfmMain: LumaqTst's main window: the page group list, the groups with their
// pages, the result panel filled after every driver call, the password box,
// the menus; window, page and control values kept in the registry.
#include "core/pages/BaseForm.h"
#include "core/pages/fmuTabbedPage.h"
#include "core/pages/untPages.h"

#include <QMargins>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class TSplitter;

// The program's title: its window's caption begins with it.
inline const QString LumaqTstTitle = QStringLiteral("Тест Lumaq");

class TfmMain : public TBaseForm {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // The millisecond tick the result panel times calls with (a test may
    // install another); returns the one before.
    using TickCountFunction = std::function<uint32_t()>;
    static TickCountFunction SetTickCount(TickCountFunction tickCount);

    // Controls (objectName = the member's name).
    QMenuBar* MainMenu;
    QAction* miShowProperties;
    QAction* miExit;
    QAction* miLanguage;
    QAction* miRussian;
    QAction* miEnglish;
    QAction* miAbout;
    QWidget* Panel1;
    QLabel* Image1;
    QWidget* pnlMain;
    QListWidget* ListBox;
    TSplitter* Splitter;
    QWidget* pnlSite;
    QWidget* pnlInfo;
    QLineEdit* edtResult;
    QLineEdit* edtInput;
    QLineEdit* edtOutput;
    QLineEdit* edtTime;
    QLineEdit* edtOperator;
    QLineEdit* edtPassword;
    QPushButton* btnProperties;
    QPushButton* btnClose;

    // The window's size at the first start: every page shows whole and
    // every memo has its 40 characters.
    static QSize FirstStartSize();
    // The largest window size whose frame and title bar fit the available
    // screen with room for a panel.
    static QSize LargestSize();

    TPages& Pages() const { return *FPages; }
    // The group shown now; null before the first ShowPage.
    TPage* ShownPage() const { return FPage; }
    QString GetDefCaption() const;
    void UpdateCaption();
    void ShowPage(TPage* Page);
    int GetTabIndex() const;
    void SetTab(int Index);
    // The list's width limits (Constraints.MinWidth / MaxWidth).
    int ListMinWidth() const { return FListMinWidth; }
    int ListMaxWidth() const { return FListMaxWidth; }
    bool SplitterCanResize(int NewSize) const { return NewSize <= 200; }
    // Runs a paste into the password box (keys, context menu, middle click):
    // the text is checked first; a refused text is not pasted.
    void PastePassword(bool fromSelection);
    // The password box's context menu, its paste item checking the text.
    QMenu* CreatePasswordMenu();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void CreateControls();
    void FormCreate();
    void CreatePages();
    // A page made after the start gets its stored values (and runs their handlers).
    void RestorePage(TPage* Page);
    TfmTabbedPage* AddTabbedPage(const QString& Caption);
    void AddTabItem(TfmTabbedPage* Group, const TPageClass& PageClass);
    void InitializePages();
    void LoadParams();
    void SetDefaults(QWidget* Control);
    void SaveParams();
    // The frame around the window: as seen while it was last shown normal,
    // else as the platform tells it now (null when it knows none).
    QMargins FrameMargins() const;
    // Notes the place and the frame while the window is shown normal.
    void NoteNormalPlace();
    void ListBoxClick();
    void UpdateListBox();
    void SetListWidth(int Width);
    void PagesChanged(TPageNotifier* Sender, TChangeType ChangeType);
    bool edtPasswordKeyPress(QKeyEvent* e);
    void edtPasswordChange();
    void edtPasswordExit();
    void CheckPasswordText(const QString& Text);
    void btnPropertiesClick();
    void miShowPropertiesClick();
    void btnCloseClick();
    void btnAboutClick();
    void UpdateLanguage();
    void miRussianClick();
    void miEnglishClick();
    void ChooseLanguage(const QString& Lang);
    void MarkLanguage(const QString& Lang);
    void ShowRestartMessage();

    TPage* FPage = nullptr;
    std::unique_ptr<TPages> FPages;
    uint32_t FTickCount = 0;
    // The result panel as each running frame found it, and the driver's
    // call count then: a frame that made no call puts the panel back.
    struct TPanelState {
        uint64_t Calls = 0;
        QStringList Texts;
        QStringList Tips;
    };
    std::vector<TPanelState> FPanelStates;
    int FListMinWidth = 14;
    int FListMaxWidth = 165;
    int FListWidth = 165;
    bool FCentred = false;
    QMargins FFrameMargins;   // null until seen
    // The place the window has shown normal or goes back to: the frame's
    // position and the inner size (null before any).
    QRect FNormalPlace;
};
