#pragma once
// TfmRNM: "РНМ", the register's registration number from its order number,
// the user's INN and the register's factory number (GenerateRNM), and the
// factory number read from the register.
#include "core/pages/untPages.h"

class QLineEdit;
class QPushButton;

class TfmRNM : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "РНМ";
    explicit TfmRNM(QWidget* owner = nullptr);

    QLineEdit* edtNumber;
    QLineEdit* edtINN;
    QLineEdit* edtSerial;
    QLineEdit* edtRNM;
    QPushButton* btnOpenDrawer;
    QPushButton* btnGetSerial;

private:
    void btnOpenDrawerClick();
    void btnGetSerialClick();
    void NumKeyPress(QChar& Key);
};
