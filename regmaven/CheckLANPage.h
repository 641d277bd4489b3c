#pragma once
// TCheckLANPage: base of the two link check pages (Ethernet and RNDIS): the
// check runs as a worker task when the page is shown; its status shows every
// 200 ms; "Остановить" ends it, "Повторить" runs it again. While it runs the
// wizard's navigation and its driver settings are disabled (the worker uses
// the wizard's driver object).
#include "regmaven/CheckLANWorkTask.h"
#include "regmaven/ParamPage.h"

class QLabel;
class QPushButton;
class QTimer;

namespace Regmaven {

class TCheckLANPage : public TParamPage {
    Q_OBJECT
public:
    TCheckLANPage(const char* FormName, const QString& Caption);
    ~TCheckLANPage() override;
    void Next() override;
    // The window closes: a running check ends first.
    void CloseEvent() override;

    QLabel* lblStatus;
    QPushButton* btnStart;
    QPushButton* btnStop;
    QTimer* Timer;
    TCheckLANWorkTask Task;

    void btnStartClick();
    void btnStopClick();

protected:
    void FormShow() override;

private:
    void Start();
    void UpdateView();
    void TaskCompleted();
    void EnableWizard(bool Value);
};

} // namespace Regmaven
