#include "platform/Guard.h"

#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <utility>

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

namespace {
thread_local TGuardCollect* t_collect = nullptr;
} // namespace

TGuardCollect::TGuardCollect() : FOuter(std::exchange(t_collect, this)) {}

TGuardCollect::~TGuardCollect()
{
    t_collect = FOuter;
}

void TGuardCollect::Raise()
{
    if (FError)
        std::rethrow_exception(std::exchange(FError, nullptr));
}

bool RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        if (!t_collect)
            HandleException(e);
        else if (!t_collect->FError)
            t_collect->FError = std::current_exception();
    } catch (...) {
        Dialogs::MessageBox(QStringLiteral("Unknown error"), ApplicationTitle(), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Error);
    }
    return false;
}
