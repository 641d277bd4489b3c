#pragma once
// A splitter: a bar beside a control that the user drags to change the
// control's width. The new width is kept at least MinSize and leaves at
// least MinSize to the rest of the parent; OnCanResize may refuse it.
#include <QPointer>
#include <QWidget>
#include <functional>

class TSplitter : public QWidget {
    Q_OBJECT
public:
    explicit TSplitter(QWidget* parent = nullptr);

    void SetControl(QWidget* control) { FControl = control; }
    int MinSize() const { return FMinSize; }
    void SetMinSize(int size) { FMinSize = size; }
    // Called with the width asked for; returns false to refuse the move.
    std::function<bool(int NewSize)> OnCanResize;
    // Called with the width accepted; without it the control is resized.
    std::function<void(int NewSize)> OnMoved;

    // Moves the bar so that the control would get NewSize; false when refused.
    bool MoveTo(int NewSize);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPointer<QWidget> FControl;
    int FMinSize = 30;
    int FStartX = 0;
    int FStartWidth = 0;
    bool FDragging = false;
};
