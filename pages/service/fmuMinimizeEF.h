#pragma once
// TfmMinimizeEF: "Минимизация ЭФ", the mask of tags the register leaves out
// of its electronic fiscal documents (table 17, row 1, field 28), one check
// box per bit it shows. The bits without a box keep their value: a write
// sends the last value read with the boxes' bits replaced.
#include "core/pages/untPages.h"

#include <cstdint>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TfmMinimizeEF : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Минимизация ЭФ";
    explicit TfmMinimizeEF(QWidget* owner = nullptr);

    // The bits that have a check box: 0 to 5 and 10 to 12.
    static constexpr uint32_t BoxBits = 0x1C3F;

    QLineEdit* edtValue;
    QPushButton* btnReadValue;
    QPushButton* btnWriteValue;
    QCheckBox* chkBit0;
    QCheckBox* chkBit1;
    QCheckBox* chkBit2;
    QCheckBox* chkBit3;
    QCheckBox* chkBit4;
    QCheckBox* chkBit5;
    QCheckBox* chkBit10;
    QCheckBox* chkBit11;
    QCheckBox* chkBit12;

    // The sum of 1 shl Tag over the checked boxes.
    uint32_t GetValue() const;
    // Shows the value and sets the boxes from its bits, without their click handler.
    void SetValue(uint32_t Value);

private:
    void btnReadValueClick();
    void btnWriteValueClick();
    void chkBit0Click();
    QList<QCheckBox*> CheckBoxes() const;
    // The last value read or written with the boxes' bits in place.
    uint32_t ValueToWrite() const;

    std::optional<uint32_t> FLastValue;
};
