#pragma once
// TfmCashCore: the page "CashCore": the driver's description of an error code.
#include "core/pages/untPages.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmCashCore : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "CashCore";
    explicit TfmCashCore(QWidget* owner = nullptr);

    QSpinBox* edtErrorCode;
    QLineEdit* edtErrorDescription;
    QPushButton* btnOpenDrawer;

    void btnOpenDrawerClick();
};
