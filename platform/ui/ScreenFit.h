#pragma once
// A stored window place made fit to the screens before it is used.
#include <QPoint>
#include <QRect>
#include <QSize>

// The window's frame position and size from stored values: a size below
// 200×150 gives `fallback`'s size, a size larger than the available area of
// the screen is cut to it, and the window is moved to lie on that screen (the
// one holding `position`, else the primary screen).
QRect FitToScreens(QPoint position, QSize size, const QRect& fallback);
