#pragma once
// TfmCheckStatus: the state check before the register's work, in three
// variants that differ only in their Next. It holds the wizard while the
// session is open or documents wait for the OFD, compares the clocks, and
// closes the session or sets the register's clock on demand.
#include "regmaven/ParamPage.h"

#include <QDateTime>
#include <functional>

class QLabel;
class QPushButton;

namespace Regmaven {

// The time between the two clocks in whole seconds: "время совпадает" when
// they agree to the second (Same true), else "[m мин.] s сек.".
QString TimeDiffToStr(const QDateTime& ComputerTime, const QDateTime& RegisterTime, bool& Same);

// The computer's clock as the page reads it (tests install another); returns
// the one before. Null puts the system clock back.
using TComputerClock = std::function<QDateTime()>;
TComputerClock SetComputerClock(TComputerClock Clock);

class TfmCheckStatus : public TParamPage {
    Q_OBJECT
public:
    TfmCheckStatus();

    void btnUpdataStateClick();
    void btnCloseSessionClick();
    void btnSyncDateTimeClick();
    void btnSkipClick();

    QLabel* lblOFDStatus;
    QLabel* lblTimeKKT;
    QLabel* lblTimePC;
    QLabel* lblTimeDiff;
    QPushButton* btnUpdataState;
    QPushButton* btnCloseSession;
    QPushButton* btnSkip;
    QPushButton* btnSyncDateTime;

protected:
    void FormShow() override;

private:
    void UpdateState();
};

class TFmCheckStatusBeforeRegistration : public TfmCheckStatus {
    Q_OBJECT
public:
    void Next() override;
};

class TFmCheckStatusBeforeReRegistration : public TfmCheckStatus {
    Q_OBJECT
public:
    void Next() override;
};

class TFmCheckStatusBeforeCloseFN : public TfmCheckStatus {
    Q_OBJECT
public:
    void Next() override;
};

} // namespace Regmaven
