#pragma once
// TfmExPayments: the dialog "Доп. типы оплаты" (still empty), created at program start as fmExPayments.
// It loads its controls from the registry when created and stores them when
// destroyed.
#include "core/pages/BaseForm.h"

class TfmExPayments : public TBaseForm {
public:
    explicit TfmExPayments(QWidget* parent = nullptr);
    ~TfmExPayments() override;
};

extern TfmExPayments* fmExPayments;
