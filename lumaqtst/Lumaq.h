#pragma once
// The program block of LumaqTst.
#include <memory>

class TfmMain;

// The application's four forms: created in the program's order (the main
// window, fmReasonCodes, fmExPayments2, fmExPayments) and freed the last
// created first, so the dialogs store their controls before the main window
// stores its values, frees the pages and releases the driver.
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

// Runs LumaqTst on the emulated driver: the application, the title
// "Brannic: Driver test", the four forms, the event loop until the main
// window closes. Returns the exit code.
int RunLumaqTst(int argc, char** argv);
