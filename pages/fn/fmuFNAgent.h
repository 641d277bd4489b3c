#pragma once
// TfmFNAgent: "Агент", the agent sign, the agent data and the supplier data
// of a receipt, bound to the current item (composites 1223 and 1224) or to
// the whole document (single tags). The FN operations page calls the
// position-mode operations after each item it registers.
#include "core/pages/untPages.h"

#include <QStringList>
#include <array>
#include <cstdint>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TfmFNAgent : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Агент";
    explicit TfmFNAgent(QWidget* owner = nullptr);

    std::array<QCheckBox*, 7> chkAgent{};  // chkAgent0 .. chkAgent6
    QLineEdit* edt1075;
    QLineEdit* edt1044;
    QLineEdit* edt1073;
    QLineEdit* edt1074;
    QLineEdit* edt1026;
    QLineEdit* edt1005;
    QLineEdit* edt1016;
    QLineEdit* edt1171;
    QLineEdit* edt1225;
    QLineEdit* edtSupplierINN;
    QCheckBox* chkUse1075;
    QCheckBox* chkUse1044;
    QCheckBox* chkUse1073;
    QCheckBox* chkUse1074;
    QCheckBox* chkUse1026;
    QCheckBox* chkUse1005;
    QCheckBox* chkUse1016;
    QCheckBox* chkUse1171;
    QCheckBox* chkUse1225;
    QCheckBox* chkUse1226;
    QRadioButton* rbPosition;
    QRadioButton* rbDocument;
    QPushButton* btnSendAgentSign;
    QPushButton* btnSendAgentData;
    QPushButton* btnSendSupplierINN;
    QPushButton* btnSendSupplierData;

    // Bit n set for each ticked chkAgent<n>; bit 7 always 0.
    std::uint8_t GetAgentSign() const;
    // The parts of a phone list: split on commas (not inside double quotes),
    // each part trimmed, empty parts dropped.
    static QStringList SplitPhones(const QString& text);

    // Tag operations; each call is checked (a failure ends the handler).
    void AddStrTag(std::int32_t Tag, const QString& Text);
    void SendStrTag(std::int32_t Tag, const QString& Text);
    void AddStrMultiTag(std::int32_t Tag, const QString& Text);
    void SendStrMultiTag(std::int32_t Tag, const QString& Text);

    void SendAgentSignPosition();
    void SendAgentSignDocument();
    // Composite 1223 of the ticked agent data; nothing when none is ticked.
    void SendAgentDataPosition();
    void SendAgentDataDocument();
    // Composite 1224 of the ticked supplier data; nothing when neither is ticked.
    void SendSupplierDataPosition();
    // Only the phone list (1171) in document mode.
    void SendSupplierDataDocument();
    void SendSupplierINN();
    // Supplier INN and name only in position mode.
    void UpdateView();
    void EnableButtons(bool Value) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TAgentTag {
        std::int32_t Tag;
        QLineEdit* Edit;
        QCheckBox* Use;
        bool Phones;
    };
    // The agent data inputs in their sending order.
    std::array<TAgentTag, 7> AgentData() const;

    void btnSendAgentSignClick();
    void btnSendAgentDataClick();
    void btnSendSupplierINNClick();
    void btnSendSupplierDataClick();
};
