#pragma once
// TfmLogicDevice: "ЛУ", the driver's logical devices (named connection
// presets): add, delete, count, enumerate, read and write one, make one active.
#include "core/pages/untPages.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmLogicDevice : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "ЛУ";
    explicit TfmLogicDevice(QWidget* owner = nullptr);

    void Initialize() override;

    QLineEdit* edtLDName;
    QSpinBox* seLDNumber;
    QSpinBox* seLDIndex;
    QLineEdit* edtLDCount;
    QComboBox* cbComNumber;
    QComboBox* cbBaudRate;
    QSpinBox* seTimeout;
    QLineEdit* edtComputerName;
    QPushButton* btnComputerName;
    QPushButton* btnAddLD;
    QPushButton* btnDeleteLD;
    QPushButton* btnGetCountLD;
    QPushButton* btnEnumLD;
    QPushButton* btnSetParamLD;
    QPushButton* btnGetParamLD;
    QPushButton* btnSetActiveLD;
    QPushButton* btnGetActiveLD;

private:
    void SetLDParams();
    void GetLDParams();
    void btnAddLDClick();
    void btnDeleteLDClick();
    void btnGetCountLDClick();
    void btnEnumLDClick();
    void btnSetParamLDClick();
    void btnGetParamLDClick();
    void btnSetActiveLDClick();
    void btnGetActiveLDClick();
    void btnComputerNameClick();
};
