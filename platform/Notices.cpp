#include "platform/Notices.h"

#include "platform/Hook.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QSet>
#include <QThread>
#include <mutex>

namespace {
std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

THook<TNoticeLog>& NoticeLog()
{
    static THook<TNoticeLog> log;
    return log;
}

void Show(const QString& text)
{
    Dialogs::MessageBox(text, ProgramTitle(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
}
} // namespace

TNoticeLog SetNoticeLog(TNoticeLog log)
{
    return NoticeLog().Set(std::move(log));
}

void Notify(const QString& text)
{
    {
        static QSet<QString> shown;
        std::lock_guard guard(Lock());
        if (shown.contains(text))
            return;
        shown.insert(text);
    }
    if (const TNoticeLog log = NoticeLog().Get())
        log(text);
    qWarning("%s", qPrintable(text));
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (QThread::currentThread() == app->thread())
        Show(text);
    else
        QMetaObject::invokeMethod(app, [text] { Show(text); }, Qt::QueuedConnection);
}
