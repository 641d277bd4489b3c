#pragma once
// TfmPrintServer: "Сервер печати", the link to a driver server on another
// computer, taking and releasing COM ports there, and creating or releasing
// the program's driver object.
#include "core/pages/untPages.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TfmPrintServer : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Сервер печати";
    explicit TfmPrintServer(QWidget* owner = nullptr);

    void Initialize() override;

    QLineEdit* edtComputerName;
    QPushButton* btnComputerName;
    QComboBox* cbCOMNumber;
    QPushButton* btnServerConnect;
    QPushButton* btnServerDisconnect;
    QPushButton* btnLockPort;
    QPushButton* btnUnlockPort;
    QPushButton* btnAdminUnlockPort;
    QPushButton* btnAdminUnlockPorts;
    QPushButton* btnCreateDriver;
    QPushButton* btnDeleteDriver;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnServerConnectClick();
    void btnServerDisconnectClick();
    void btnLockPortClick();
    void btnUnlockPortClick();
    void btnAdminUnlockPortClick();
    void btnAdminUnlockPortsClick();
    void btnCreateDriverClick();
    void btnDeleteDriverClick();
    void btnComputerNameClick();
};
