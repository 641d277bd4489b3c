#include "platform/ui/Splitter.h"

#include <QMouseEvent>

TSplitter::TSplitter(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::SplitHCursor);
    setFixedWidth(4);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

bool TSplitter::MoveTo(int NewSize)
{
    if (!FControl)
        return false;
    const int room = parentWidget() ? parentWidget()->width() - width() - FMinSize : NewSize;
    NewSize = qMax(FMinSize, qMin(NewSize, room));
    if (OnCanResize && !OnCanResize(NewSize))
        return false;
    if (OnMoved)
        OnMoved(NewSize);
    else
        FControl->setFixedWidth(NewSize);
    return true;
}

void TSplitter::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !FControl)
        return;
    FDragging = true;
    FStartX = int(e->globalPosition().x());
    FStartWidth = FControl->width();
}

void TSplitter::mouseMoveEvent(QMouseEvent* e)
{
    if (FDragging)
        MoveTo(FStartWidth + int(e->globalPosition().x()) - FStartX);
}

void TSplitter::mouseReleaseEvent(QMouseEvent*)
{
    FDragging = false;
}
