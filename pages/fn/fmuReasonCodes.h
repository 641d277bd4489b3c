#pragma once
// TfmReasonCodes: the dialog "Коды причин изменения сведений о ККТ", made on
// first use (MadeForm) as fmReasonCodes. A scroll box holds one check box per bit of
// the 32-bit reason-code mask (chk0..chk21 for bits 0 to 21, chk22 for bit
// 31; a box's Tag is its bit) beside its wrapping caption. The mask lives in
// the boxes; they are loaded from the registry when the dialog is created and
// stored when it is destroyed.
#include "core/pages/BaseForm.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QPushButton;
class QScrollArea;

class TfmReasonCodes : public TBaseForm {
    Q_OBJECT
public:
    static constexpr int BoxCount = 23;

    explicit TfmReasonCodes(QWidget* parent = nullptr);
    ~TfmReasonCodes() override;

    // Ticks exactly the boxes whose bit is set; bits without a box are ignored.
    void SetCode(uint32_t Value);
    // The OR of 1 << Tag over the ticked boxes.
    uint32_t GetCode() const;
    // The first box of the scroll box whose Tag is the bit, null when none.
    QCheckBox* FindCheckBox(int Bit) const;

    QScrollArea* ScrollBox;
    std::array<QCheckBox*, BoxCount> chk{};
    QPushButton* btnOk;

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnOkClick();
    // Moves the scroll box by minus the wheel delta: vertically, or
    // horizontally while Shift is held.
    void FormMouseWheel(QWheelEvent* event);
};

extern TfmReasonCodes* fmReasonCodes;
