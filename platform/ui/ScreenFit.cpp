#include "platform/ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

QRect FitToScreens(QPoint position, QSize size, const QRect& fallback)
{
    constexpr QSize Minimum(200, 150);
    QScreen* screen = QGuiApplication::screenAt(position);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallback;
    const QRect area = screen->availableGeometry();
    if (size.width() < Minimum.width() || size.height() < Minimum.height())
        size = fallback.size();
    size = size.boundedTo(area.size());
    // Whole on the screen: the area's size bounds the size, so both ranges hold.
    position.setX(std::clamp(position.x(), area.left(), area.left() + area.width() - size.width()));
    position.setY(std::clamp(position.y(), area.top(), area.top() + area.height() - size.height()));
    return {position, size};
}
