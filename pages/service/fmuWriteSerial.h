#pragma once
// TfmWriteSerial: "Программирование", the factory serial number, the
// decimal point and the service centre's password.
#include "core/pages/untPages.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TfmWriteSerial : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Программирование";
    explicit TfmWriteSerial(QWidget* owner = nullptr);

    QLineEdit* edtSerialNumber;
    QPushButton* btnSetSerialNumber;
    QComboBox* cbPointPosition;
    QPushButton* btnSetPointPosition;
    QLineEdit* edtSCPassword;
    QLineEdit* edtNewSCPassword;
    QPushButton* btnSetSCPassword;

private:
    void btnSetSerialNumberClick();
    void btnSetPointPositionClick();
    void btnSetSCPasswordClick();
};
