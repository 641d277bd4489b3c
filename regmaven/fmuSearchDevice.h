#pragma once
// TfmSearchDevice: page "Поиск устройств": every COM port searched at once,
// one search object per port; the ports that answered are listed.
#include "regmaven/ComportUtils.h"
#include "regmaven/OrvekSearchDevice.h"
#include "regmaven/ParamPage.h"

#include <QTimer>
#include <memory>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace Regmaven {

class TfmSearchDevice : public TParamPage {
    Q_OBJECT
public:
    TfmSearchDevice();
    // Waits for the search workers.
    ~TfmSearchDevice() override;
    void Next() override;
    void Prev() override;
    void Home() override;
    void CloseEvent() override;

    // Starts a search of every port afresh.
    void Start();
    // Tells every search to end; does not wait.
    void Stop();
    // Shows the progress and the ports that answered (every 100 ms).
    void UpdateView();

    const std::vector<std::shared_ptr<ISearchDevice>>& SearchDevices() const { return FSearchDevices; }

    QLabel* lblStatus;
    QLabel* lblNext;
    QTreeWidget* lvDevices;
    QPushButton* btnStop;
    QPushButton* btnStart;
    QProgressBar* gifProgress;
    QTimer Timer;

    void btnStopClick();
    void btnStartClick();

protected:
    void FormShow() override;

private:
    TSerialPorts FPorts;
    std::vector<std::shared_ptr<ISearchDevice>> FSearchDevices;
};

} // namespace Regmaven
