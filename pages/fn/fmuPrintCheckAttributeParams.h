#pragma once
// TfmPrintCheckAttributeParams: "Печать реквизитов", the requisite-printing
// mask of the device (table 17, row 1, field 12) as 19 check boxes, bit n on
// the box whose Tag is n.
#include "core/pages/untPages.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TfmPrintCheckAttributeParams : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Печать реквизитов";
    explicit TfmPrintCheckAttributeParams(QWidget* owner = nullptr);

    std::array<QCheckBox*, 19> chkBits{};  // chkBit0 .. chkBit18
    QLineEdit* edtValue;
    QPushButton* btnRead;
    QPushButton* btnWrite;

    // The sum of 1 shl Tag over the ticked boxes on the page.
    std::int32_t GetValue() const;
    // Shows the value and ticks the boxes of its bits; runs no click handler.
    void SetValue(std::int32_t Value);

private:
    void CheckBoxClick();
    void btnReadClick();
    void btnWriteClick();
};
