#pragma once
// TfmReasonCodes: the wizard's dialog "Коды причин изменения сведений о ККТ":
// one check box per reason of the 32-bit mask, its Tag the bit.
#include <QDialog>
#include <cstdint>

class QCheckBox;
class QPushButton;
class QScrollArea;

namespace Regmaven {

class TfmReasonCodes : public QDialog {
    Q_OBJECT
public:
    explicit TfmReasonCodes(QWidget* parent = nullptr);

    // Checks exactly the boxes whose bit is set.
    void SetCode(uint32_t Value);
    // The mask of the checked boxes' bits.
    uint32_t GetCode() const;
    // The box of the bit; nullptr when none.
    QCheckBox* FindCheckBox(int Bit) const;

    QScrollArea* ScrollBox;
    QPushButton* btnOk;

protected:
    // Vertically, or horizontally while Shift is held.
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QCheckBox*> Boxes() const;
};

} // namespace Regmaven
