#pragma once
// TfmFNCheckAttributes: "Атрибуты чека", attributes of the receipt being
// built: customer and sender e-mail, the user's additional attribute,
// correction data, and the composite requisites of the customer (1256), the
// operation (1270), the industry (1261, 1260) and the cashless payment (1235).
// The inputs sit in a scroll box.
#include "core/pages/untPages.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class QScrollArea;

class TfmFNCheckAttributes : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Атрибуты чека";
    explicit TfmFNCheckAttributes(QWidget* owner = nullptr);

    QScrollArea* ScrollBox;
    QLineEdit* edtCustomerEmail;
    QLineEdit* edtSenderEmail;
    QLineEdit* edtUserAttributeName;
    QLineEdit* edtUserAttributeValue;
    QComboBox* cbCorrectionType;
    QLineEdit* edtPrescriptionNumber;
    QDateTimeEdit* dtpCorrectionDate;
    // Customer (1256).
    QCheckBox* chk1227;
    QLineEdit* edtCustomer;
    QCheckBox* chk1228;
    QLineEdit* edtCustomerINN;
    QCheckBox* chk1243;
    QDateTimeEdit* dtpBirthday;
    QCheckBox* chk1244;
    QLineEdit* edtCitizenship;
    QCheckBox* chk1245;
    QComboBox* cbCustomerDocumentType;
    QCheckBox* chk1246;
    QLineEdit* edtDocumentData;
    QCheckBox* chk1254;
    QLineEdit* edtCustomerAddress;
    // Operation requisite (1270).
    QCheckBox* chkOperationID;
    QLineEdit* edtOperationID;
    QCheckBox* chkOperationData;
    QLineEdit* edtOperationData;
    QCheckBox* chkOperationDateTime;
    QDateTimeEdit* dtpOperationDate;
    QDateTimeEdit* dtpOperationTime;
    // Industry requisite (1261 of the receipt, 1260 of the item).
    QCheckBox* chk1262;
    QLineEdit* edtAuthorityID;
    QCheckBox* chk1263;
    QDateTimeEdit* dtpBasisDate;
    QCheckBox* chk1264;
    QLineEdit* edtBasisNumber;
    QCheckBox* chk1265;
    QLineEdit* edtRequisiteValue;
    // Cashless payment (1235).
    QLineEdit* edtCashlessAmount;
    QLineEdit* edtCashlessMethod;
    QLineEdit* edtCashlessIds;
    QCheckBox* chCashlessDet;
    QLineEdit* edtCashlessDet;

    QPushButton* btnSendCustomerEmail;
    QPushButton* btnSendSenderEmail;
    QPushButton* btnSendUserAttribute;
    QPushButton* btnSendCorrectionData;
    QPushButton* btnSendCustomerInfo;
    QPushButton* btnSendOperationRequisite;
    QPushButton* btnSendCheckRequisite;
    QPushButton* btnSendItemRequisite;
    QPushButton* btnSendCashless;

    // The prescription number only for correction type 1.
    void UpdatePage() override;

private:
    void FormCreate();
    void btnSendCustomerEmailClick();
    void btnSendSenderEmailClick();
    void btnSendUserAttributeClick();
    void btnSendCorrectionDataClick();
    void btnSendCustomerInfoClick();
    void btnSendOperationRequisiteClick();
    void btnSendCheckRequisiteClick();
    void btnSendItemRequisiteClick();
    void btnSendCashlessClick();
    // The industry requisite's ticked values, each by Send.
    void SendIndustryTags(void (TfmFNCheckAttributes::*Send)(std::int32_t, const QString&));
    void AddTag(std::int32_t Tag, const QString& Value);
    void SendTagOperation(std::int32_t Tag, const QString& Value);
};
