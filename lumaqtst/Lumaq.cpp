#include "lumaqtst/Lumaq.h"

#include "lumaqtst/fmuMain.h"
#include "pages/fn/fmuExpayments.h"
#include "pages/fn/fmuReasonCodes.h"
#include "pages/receipts/fmuExpayments2.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTranslations.h"
#include "core/settings/LangUtils.h"
#include "emulator/EmulatedOrvek.h"

#include <QApplication>

TLumaqForms::TLumaqForms() : FMain(std::make_unique<TfmMain>()) {}

TLumaqForms::~TLumaqForms()
{
    delete std::exchange(fmExPayments, nullptr);
    delete std::exchange(fmExPayments2, nullptr);
    delete std::exchange(fmReasonCodes, nullptr);
    FMain.reset();
}

void StartLumaqTst()
{
    SetProgramTitle(LumaqTstTitle);
    InstallQtTranslations(GetLanguage());
    InstallEmulatedOrvek();
    SetApplicationTitle(QStringLiteral("Brannic: Driver test"));
}

int RunLumaqTst(int argc, char** argv)
{
    QApplication app(argc, argv);
    StartLumaqTst();
    TLumaqForms forms;
    forms.Main().show();
    return app.exec();
}
