#pragma once
// TfmFNKTN: "КТ", the FFD 1.05 product code of an item (FNSendItemCodeData)
// for a chosen code type, typed as text or as hex.
#include "core/pages/untPages.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TfmFNKTN : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "КТ";
    explicit TfmFNKTN(QWidget* owner = nullptr);

    void UpdatePage() override;

    QComboBox* cbMarkingType;
    QLineEdit* edtGTIN;
    QLabel* lblBarcode;
    QPlainTextEdit* memBarcode;
    QRadioButton* rbASCII;
    QRadioButton* rbHEX;
    QPushButton* btnFNSendItemCodeData;

private:
    void FormCreate();
    void cbMarkingTypeChange();
    void GTINEnable(bool Value);
    void btnFNSendItemCodeDataClick();
};
