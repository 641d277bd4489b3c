#pragma once
// A stored window place made fit to the screens before it is used.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// The window's place from stored values: `position` is the frame's top-left
// corner, `size` the inner size, `frame` the frame around it. A size below
// 200×150 gives `fallback`'s size; the window with its frame is made to fit
// the available area of the screen holding `position` (else the primary
// screen): the size is cut to it, then the frame is moved onto it. Returns
// the frame's position and the inner size, as stored.
QRect FitToScreens(QPoint position, QSize size, const QRect& fallback, const QMargins& frame = {});
