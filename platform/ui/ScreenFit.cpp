#include "platform/ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

QRect FitToScreens(QPoint position, QSize size, const QRect& fallback, const QMargins& frame)
{
    constexpr QSize Minimum(200, 150);
    QScreen* screen = QGuiApplication::screenAt(position);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallback;
    const QRect area = screen->availableGeometry();
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    if (size.width() < Minimum.width() || size.height() < Minimum.height())
        size = fallback.size();
    size = size.boundedTo(area.size() - frameSize);
    // Whole on the screen, frame included: the area's size bounds the outer
    // size, so both ranges hold.
    const QSize outer = size + frameSize;
    position.setX(std::clamp(position.x(), area.left(), area.left() + area.width() - outer.width()));
    position.setY(std::clamp(position.y(), area.top(), area.top() + area.height() - outer.height()));
    return {position, size};
}
