#pragma once
// TfmTCPParams: page "Параметры подключения по TCP": the register's address
// and port, the link check, and the registers found by UDP discovery.
#include "regmaven/ParamPage.h"
#include "regmaven/TCPDeviceSearch.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace Regmaven {

class TfmTCPParams : public TParamPage {
    Q_OBJECT
public:
    TfmTCPParams();
    void Next() override;
    void Prev() override;
    void Home() override;

    QLineEdit* edtIP;
    QLineEdit* edtTCPPort;
    QPushButton* btnCheckConnection;
    QLabel* lblInfo;
    QTreeWidget* ListView;
    QProgressBar* gifProgress;
    TTCPDeviceSearch FSearch;

    void btnCheckConnectionClick();

protected:
    void FormShow() override;

private:
    void DeviceFound(TTCPSearchItem* Item);
    void DeviceLost(TTCPSearchItem* Item);
    void ListViewClick(QTreeWidgetItem* Row);
    void StopSearch();
};

} // namespace Regmaven
