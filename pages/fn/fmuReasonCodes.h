#pragma once
// TfmReasonCodes: the dialog "Коды причин изменения сведений о ККТ" (still empty), created at program start as fmReasonCodes.
// It loads its controls from the registry when created and stores them when
// destroyed.
#include "core/pages/BaseForm.h"

class TfmReasonCodes : public TBaseForm {
public:
    explicit TfmReasonCodes(QWidget* parent = nullptr);
    ~TfmReasonCodes() override;
};

extern TfmReasonCodes* fmReasonCodes;
