#pragma once
// TfmReasonCodes: the wizard's dialog "Коды причин изменения сведений о ККТ":
// the reason-code scroll box and the default button "OK".
#include "core/pages/ReasonCodeBox.h"

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QPushButton;

namespace Regmaven {

class TfmReasonCodes : public QDialog {
    Q_OBJECT
public:
    explicit TfmReasonCodes(QWidget* parent = nullptr);

    void SetCode(uint32_t Value) { ScrollBox->SetCode(Value); }
    uint32_t GetCode() const { return ScrollBox->GetCode(); }
    QCheckBox* FindCheckBox(int Bit) const { return ScrollBox->FindCheckBox(Bit); }

    TReasonCodeBox* ScrollBox;
    QPushButton* btnOk;

protected:
    // The wheel anywhere on the dialog scrolls the box.
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace Regmaven
