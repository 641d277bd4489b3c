#pragma once
// TfmReasonCodes: the dialog "Коды причин изменения сведений о ККТ", made on
// first use (MadeForm) as fmReasonCodes: the reason-code scroll box and the
// default button "OK". The mask lives in the boxes; they are loaded from the
// registry when the dialog is created and stored when it is destroyed.
#include "core/pages/BaseForm.h"
#include "core/pages/ReasonCodeBox.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QPushButton;

class TfmReasonCodes : public TBaseForm {
    Q_OBJECT
public:
    static constexpr int BoxCount = 23;

    explicit TfmReasonCodes(QWidget* parent = nullptr);
    ~TfmReasonCodes() override;

    void SetCode(uint32_t Value) { ScrollBox->SetCode(Value); }
    uint32_t GetCode() const { return ScrollBox->GetCode(); }
    QCheckBox* FindCheckBox(int Bit) const { return ScrollBox->FindCheckBox(Bit); }

    TReasonCodeBox* ScrollBox;
    std::array<QCheckBox*, BoxCount> chk{};
    QPushButton* btnOk;

protected:
    // The wheel anywhere on the dialog scrolls the box.
    void wheelEvent(QWheelEvent* event) override;

private:
    void btnOkClick();
};

extern TfmReasonCodes* fmReasonCodes;
