#pragma once
// TController: the wizard's shared state and the pages' way to the main window.
#include "regmaven/ParamPage.h"
#include "regmaven/untRegParams.h"

#include <QString>

namespace Regmaven {

// What the controller asks of the wizard's window (TfmMain).
class TWizardWindow {
public:
    virtual void Next() = 0;
    virtual void Prev() = 0;
    virtual void Home() = 0;
    virtual void EnableNext(bool Value) = 0;
    virtual void EnablePrev(bool Value) = 0;
    virtual void EnableHome(bool Value) = 0;
    virtual void EnableSettings(bool Value) = 0;
    virtual TParamPages& Pages() = 0;
    // Shows that the wizard waits for the register: the status text, the wait
    // cursor and the buttons off; an empty text ends the wait.
    virtual void ShowWaiting(const QString& Status) = 0;
    // The user closed the window during the wait shown.
    virtual bool WaitStopped() const = 0;

protected:
    ~TWizardWindow() = default;
};

// The wizard's window while one exists; TfmMain sets itself on creation and
// clears itself when it goes.
TWizardWindow* WizardWindow();
void SetWizardWindow(TWizardWindow* Window);

class TController {
public:
    TParamPageClass PrevPageClass; // not used
    // The class of the page the main window shows after a successful Next.
    TParamPageClass NextPageClass;
    TParamPage* CurrentPage = nullptr;
    bool IsOFDSettingMode = false;
    QString SerialNumber; // not used
    QString IP;
    bool DHCP = false;
    int TCPPort = 0;
    QString KKTName;
    QString KKTSN;
    bool Yur = false;
    bool IsRNDIS = false;
    int NetType = 0;
    bool IsComConnection = false;
    TRegParams RegParams;
    bool X5Mode = false;

    // Presses the main window's button, when it is enabled (nothing without a window).
    void Next();
    void Prev();
    void Home();
    void EnableNext(bool Value);
    void EnablePrev(bool Value);
    void EnableHome(bool Value);
    void EnableSettings(bool Value);
    // The window's first page of the class or a derived one; nullptr if none.
    TParamPage* FindPageByClass(const TParamPageClass& AClass);
    template <class T>
    T* FindPageByClass() { return static_cast<T*>(FindPageByClass(ClassOf<T>())); }
    // Resets the data that the data-entry pages fill.
    void ClearRegParams();
};

// The one controller, created on first use.
TController& Controller();

} // namespace Regmaven
