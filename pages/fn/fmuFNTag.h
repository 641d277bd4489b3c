#pragma once
// TfmFNTag: "Теги ОФД", one tag of any type by number, type and value, sent
// to the document or bound to the current item; the driver's description of
// a tag.
#include "core/pages/untPages.h"

#include <cstdint>

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;

class TfmFNTag : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Теги ОФД";
    explicit TfmFNTag(QWidget* owner = nullptr);

    QLineEdit* edtTagNumber;
    QComboBox* cbTagType;
    QLabel* lblTagTypeCode;  // a reported type that no item carries
    QLineEdit* edtTagValueInt;
    QLineEdit* edtTagValueBin;
    QLineEdit* edtTagValueLength;
    QLineEdit* edtTagVAlueFVLN;
    QDateTimeEdit* dtPickerDate;
    QDateTimeEdit* dtPickerTime;
    QLineEdit* edtTagValueStr;
    QLineEdit* edtTagDescription;
    QPushButton* btnSendTag;
    QPushButton* btnSendTagOperation;
    QPushButton* btnGetTagDescription;
    QPushButton* btnCurrentDateTime;

    // The selected item's type code; with none selected, the code the
    // driver reported last (shown beside the list).
    std::int32_t GetTagType() const;
    // Selects the item of the code; none when no item carries it.
    void SetTagType(std::int32_t Code);
    // Enables the value inputs of the selected type.
    void UpdateControls();
    // Enabled state and, for an edit, window or button-face colour.
    static void EnableEdtControl(QWidget* Control, bool Value);
    // The number, the type and the enabled inputs into the driver.
    void UpdateDrvObject();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void btnSendTagClick();
    void btnSendTagOperationClick();
    void btnGetTagDescriptionClick();
    void btnCurrentDateTimeClick();

    std::int32_t FReportedType = -1;
};
