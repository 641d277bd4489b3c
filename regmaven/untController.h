#pragma once
// TController: the wizard's shared state and the pages' way to the main window.
#include "regmaven/ParamPage.h"
#include "regmaven/untRegParams.h"

#include <QString>

namespace Regmaven {

class TfmMain;

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

    // Presses the main window's button, when it is enabled.
    void Next();
    void Prev();
    void Home();
    void EnableNext(bool Value);
    void EnablePrev(bool Value);
    void EnableHome(bool Value);
    void EnableSettings(bool Value);
    TParamPage* FindPageByClass(const TParamPageClass& AClass);
    template <class T>
    T* FindPageByClass() { return static_cast<T*>(FindPageByClass(ClassOf<T>())); }
    // Resets the data that the data-entry pages fill.
    void ClearRegParams();
};

// The one controller, created on first use.
TController& Controller();

} // namespace Regmaven
