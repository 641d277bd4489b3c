#pragma once
// TReasonCodeBox: the scroll box of the reason-code dialogs. It holds a
// check box per reason of the 32-bit mask (chk0..chk21 for bits 0 to 21,
// chk22 for bit 31; a box's Tag is its bit) beside its caption, the bit
// number plus one, ". " and the reason's text, wrapped where long; a click
// on a caption toggles its box. The wheel over the box scrolls it by the
// wheel's delta: vertically, or horizontally while Shift is held.
#include <QScrollArea>
#include <cstdint>

class QCheckBox;
class QWheelEvent;

class TReasonCodeBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TReasonCodeBox(QWidget* parent = nullptr);

    // The boxes in the table's order.
    const QList<QCheckBox*>& Boxes() const { return FBoxes; }
    // The box whose Tag is the bit, null when none.
    QCheckBox* FindCheckBox(int Bit) const;
    // Ticks exactly the boxes whose bit is set; bits without a box are ignored.
    void SetCode(uint32_t Value);
    // The OR of 1 << Tag over the ticked boxes.
    uint32_t GetCode() const;
    // Scrolls by minus the wheel's delta; the dialogs pass on the wheel
    // turned over their other controls.
    void Scroll(QWheelEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QCheckBox*> FBoxes;
};
