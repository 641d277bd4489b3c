#pragma once
// TfmMain: the wizard's window. One page at a time under its caption, with
// "< Назад", "Далее >", the home button and the driver-settings button.
#include "regmaven/ParamPage.h"
#include "regmaven/untController.h"

#include <QList>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QToolButton;

namespace Regmaven {

// The program's title: its window's caption begins with it.
inline const QString RegmavenTitle = QStringLiteral("Regmaven");

class TfmMain : public QWidget, public TWizardWindow {
    Q_OBJECT
public:
    // X5 mode is on when "X5.ini" lies in ProgramFolder.
    explicit TfmMain(const QString& ProgramFolder = GetModFilePath());
    ~TfmMain() override;

    void Next() override;
    void Prev() override;
    void Home() override;
    void EnableNext(bool Value) override;
    void EnablePrev(bool Value) override;
    void EnableHome(bool Value) override;
    void EnableSettings(bool Value) override;
    TParamPages& Pages() override { return *FPages; }
    void ShowWaiting(const QString& Status) override;
    bool WaitStopped() const override { return FWaitStopped; }
    void ShowPage(int Index);

    // The folder of the program file, with a trailing delimiter.
    static QString GetModFilePath();

    QLabel* pnlTop;
    QWidget* pnlSite;
    QWidget* pnlBottom;
    QWidget* pnlButtons;
    QPushButton* btnPrev;
    QPushButton* btnNext;
    QToolButton* btnHome;
    QToolButton* btnMenu;
    // The status line of a wait for the register (hidden otherwise).
    QLabel* lblWait;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreatePages();
    template <class T>
    void AddPage();
    void btnNextClick();
    void btnPrevClick();
    void btnHomeClick();
    void btnMenuClick();

    int FIndex = -1;
    bool FShown = false;
    bool FWaiting = false;
    bool FWaitStopped = false;
    QList<bool> FEnabledBeforeWait;
    std::unique_ptr<TParamPages> FPages;
};

// The application's main form; nullptr while none exists.
TfmMain* MainForm();

} // namespace Regmaven
