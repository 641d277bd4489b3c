#include "platform/ui/PageControl.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProxyStyle>
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

// Handles an event, counting it in `userInput` while it runs when it is the user's.
template <class Handle>
bool HandleInput(int& userInput, QEvent* e, Handle handle)
{
    if (!IsUserInput(e->type()))
        return handle(e);
    ++userInput;
    struct Leave { int& n; ~Leave() { --n; } } leave{userInput};
    return handle(e);
}
} // namespace

// Tabs that would not fit their page control side by side get half their
// padding, in their size and in their drawing alike, so every caption stays
// whole without scrolling.
class TCompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        const auto* bar = qobject_cast<const QTabBar*>(widget);
        if (metric != PM_TabBarTabHSpace || !bar || !bar->parentWidget())
            return value;
        int needed = 0;
        for (int i = 0; i < bar->count(); ++i)
            needed += bar->fontMetrics().horizontalAdvance(QString(bar->tabText(i)).remove(QLatin1Char('&'))) + value;
        return needed > bar->parentWidget()->width() ? value / 2 : value;
    }
};

// The tab bar counts the user's input on itself; it never calls its owner,
// which may be half destroyed while the bar still gets events.
class TPageControlTabBar : public QTabBar {
public:
    explicit TPageControlTabBar(QWidget* parent) : QTabBar(parent)
    {
        // One style for every bar, gone with the application.
        static TCompactTabStyle* const style = [] {
            auto* s = new TCompactTabStyle;
            s->setParent(QCoreApplication::instance());
            return s;
        }();
        setStyle(style);
    }
    int UserInput() const { return FUserInput; }

protected:
    bool event(QEvent* e) override
    {
        return HandleInput(FUserInput, e, [this](QEvent* ev) { return QTabBar::event(ev); });
    }

private:
    int FUserInput = 0;
};

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent), FTabBar(new TPageControlTabBar(this))
{
    setTabBar(FTabBar);
    FCurrentChanged = connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        const int left = FCurrent;
        FCurrent = index;
        if ((FUserInput > 0 || FTabBar->UserInput() > 0) && left != index)
            emit userChanged(left);
    });
}

TPageControl::~TPageControl()
{
    disconnect(FCurrentChanged);   // the tabs removed as the widget goes are no user's change
}

bool TPageControl::event(QEvent* e)
{
    return HandleInput(FUserInput, e, [this](QEvent* ev) { return QTabWidget::event(ev); });
}
