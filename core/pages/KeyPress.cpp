#include "core/pages/KeyPress.h"

#include "platform/Guard.h"

#include <QKeyEvent>
#include <QWidget>

namespace {
class TKeyPressFilter : public QObject {
public:
    TKeyPressFilter(QWidget* control, std::function<void(QChar&)> handler)
        : QObject(control), FHandler(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return false;
        QChar ch = key->text().front();
        RunGuarded([&] { FHandler(ch); });
        return ch.isNull();
    }

private:
    std::function<void(QChar&)> FHandler;
};
} // namespace

void SetKeyPress(QWidget* control, std::function<void(QChar& Key)> handler)
{
    control->installEventFilter(new TKeyPressFilter(control, std::move(handler)));
}

void NumberKeyFilter(QChar& Key)
{
    if (Key != QChar(8) && Key != QChar(9) && Key != QLatin1Char('.') && !(Key >= QLatin1Char('0') && Key <= QLatin1Char('9')))
        Key = QChar();
}
