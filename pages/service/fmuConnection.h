#pragma once
// TfmConnection: "Связь", the driver's exchange parameters per interface,
// connect and disconnect, the Connected state and the three waits.
#include "core/pages/untPages.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TOrvek;

class TfmConnection : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Связь";
    explicit TfmConnection(QWidget* owner = nullptr);

    void Initialize() override;
    void UpdatePage() override;

    QComboBox* cbCOMNumber;
    QComboBox* cbBaudRate;
    QSpinBox* seTimeout;
    QComboBox* cbPortNumber;
    QSpinBox* seTCPPortCode;
    QLineEdit* edtTCPPortReal;
    QSpinBox* seConnectionTimeout;
    QCheckBox* chkConnected;
    QPushButton* btnGetExchangeParam;
    QPushButton* btnSetExchangeParam;
    QPushButton* btnConnect;
    QPushButton* btnDisconnect;
    QPushButton* btnWaitConnection;
    QPushButton* btnWaitForPrinting;
    QPushButton* btnWaitForCheckClose;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillPortNumbers();
    // The code of the selected interface.
    int PortNumber() const;
    // The port the code spin stands for: the port read from the driver while
    // the code is still that port's, else the port the code decodes to.
    int TCPPort() const;
    // The code spin shows the port's code; the port is kept as read.
    void ShowTCPPort(int Port);
    void btnGetExchangeParamClick();
    void btnSetExchangeParamClick();
    void btnConnectClick();
    void btnDisconnectClick();
    void chkConnectedClick();
    void btnWaitConnectionClick();
    void btnWaitForPrintingClick();
    void btnWaitForCheckCloseClick();
    void cbPortNumberChange();
    // ConnectionTimeout, then one of the waits.
    void Wait(int32_t (TOrvek::*Method)());

    QLabel* lblTCPPortCode = nullptr;
    QLabel* lblTCPPortReal = nullptr;
    // The port last read from the driver (none before).
    std::optional<int> FReadTCPPort;
};
