#pragma once
// The program block of LumaqTst.
#include <memory>

class TfmMain;

// The application's forms: the main window, made at start, and the dialogs
// fmReasonCodes, fmExPayments2 and fmExPayments, made on first use
// (MadeForm). At exit the dialogs made are freed first, storing their
// controls, before the main window stores its values, frees the pages and
// releases the driver.
class TLumaqForms {
public:
    TLumaqForms();
    ~TLumaqForms();
    TLumaqForms(const TLumaqForms&) = delete;
    TLumaqForms& operator=(const TLumaqForms&) = delete;

    TfmMain& Main() const { return *FMain; }

private:
    std::unique_ptr<TfmMain> FMain;
};

// What runs before the main window: the program's title (LumaqTstTitle,
// before any settings file is read), the language of Qt's texts, the
// emulated driver and the application title "Brannic: Driver test".
void StartLumaqTst();
// Runs LumaqTst on the emulated driver: the application, StartLumaqTst, the
// main window, the event loop until the main window closes. Returns the exit code.
int RunLumaqTst(int argc, char** argv);
