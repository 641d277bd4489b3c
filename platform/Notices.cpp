#include "platform/Notices.h"

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

std::function<void(const QString&)>& NoticeLog()
{
    static std::function<void(const QString&)> log;
    return log;
}

void Show(const QString& text)
{
    Dialogs::MessageBox(text, ApplicationTitle(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
}
} // namespace

void SetNoticeLog(std::function<void(const QString&)> log)
{
    std::lock_guard guard(Lock());
    NoticeLog() = std::move(log);
}

void Notify(const QString& text)
{
    std::function<void(const QString&)> log;
    {
        static QSet<QString> shown;
        std::lock_guard guard(Lock());
        if (shown.contains(text))
            return;
        shown.insert(text);
        log = NoticeLog();
    }
    if (log)
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
