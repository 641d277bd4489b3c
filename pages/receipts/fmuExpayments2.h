#pragma once
// TfmExPayments2: the dialog "Доп. типы оплаты" (still empty), created at program start as fmExPayments2.
// It loads its controls from the registry when created and stores them when
// destroyed.
#include "core/pages/BaseForm.h"

class TfmExPayments2 : public TBaseForm {
public:
    explicit TfmExPayments2(QWidget* parent = nullptr);
    ~TfmExPayments2() override;
};

extern TfmExPayments2* fmExPayments2;
