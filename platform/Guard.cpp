#include "platform/Guard.h"

#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>

void HandleException(const std::exception& e)
{
    if (dynamic_cast<const EAbort*>(&e))
        return;
    QString text;
    if (auto* ex = dynamic_cast<const Exception*>(&e))
        text = ex->Message();
    else
        text = QString::fromLocal8Bit(e.what());
    Dialogs::MessageBox(text, ApplicationTitle(), Dialogs::Buttons::Ok, Dialogs::Icon::Error);
}

bool RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        Dialogs::MessageBox(QStringLiteral("Unknown error"), ApplicationTitle(), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Error);
    }
    return false;
}
