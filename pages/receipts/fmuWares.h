#pragma once
// TfmWares: the page "Товары": the register's ware base (read, update,
// delete) and a ware's receipt and session registers.
#include "core/pages/untPages.h"

#include <array>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

class TfmWares : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Товары";
    explicit TfmWares(QWidget* owner = nullptr);

    QLineEdit* edtWareCode;
    QLineEdit* edtPrice;
    QSpinBox* edtDepartment;
    std::array<QComboBox*, 4> cbTax;   // cbTax1 .. cbTax4
    QLineEdit* edtStringForPrinting;
    QPlainTextEdit* memOut;

    void btnReadWareClick();
    void btnUpdateWareClick();
    void btnDeleteWareClick();
    void btnGetWareBaseCashRegsClick();
};
