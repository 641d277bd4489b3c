#include "platform/ui/PageControl.h"

#include <QEvent>
#include <QTabBar>

namespace {
bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
        return true;
    default:
        return false;
    }
}
} // namespace

class TPageControlTabBar : public QTabBar {
public:
    explicit TPageControlTabBar(TPageControl* owner) : QTabBar(owner), FOwner(owner) {}

protected:
    bool event(QEvent* e) override
    {
        return FOwner->HandleInput(e, [this](QEvent* ev) { return QTabBar::event(ev); });
    }

private:
    TPageControl* FOwner;
};

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TPageControlTabBar(this));
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        const int left = FCurrent;
        FCurrent = index;
        if (FUserInput > 0 && left != index)
            emit userChanged(left);
    });
}

bool TPageControl::event(QEvent* e)
{
    return HandleInput(e, [this](QEvent* ev) { return QTabWidget::event(ev); });
}

bool TPageControl::HandleInput(QEvent* e, const std::function<bool(QEvent*)>& handle)
{
    if (!IsUserInput(e->type()))
        return handle(e);
    ++FUserInput;
    struct Leave { int& n; ~Leave() { --n; } } leave{FUserInput};
    return handle(e);
}
