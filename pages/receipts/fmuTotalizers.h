#pragma once
// TfmTotalizers: the page "Регистры": one operation, cash or extended cash
// register by number.
#include "core/pages/untPages.h"

class QLineEdit;
class QSpinBox;

class TfmTotalizers : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Регистры";
    explicit TfmTotalizers(QWidget* owner = nullptr);

    QSpinBox* seRegisterNumber;
    QLineEdit* edtRegName;
    QLineEdit* edtRegContent;

    void btnGetOperationRegClick();
    void btnGetCashRegClick();
    void btnGetCashRegExClick();

private:
    // Name and content on code 0, both cleared otherwise.
    void ShowRegister(int32_t Code, const QString& Name, const QString& Content);
};
