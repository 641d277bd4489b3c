#pragma once
// TfmDateTime: "Дата и время", the register's date and time: set, confirm,
// or both from the computer's clock; a label shows the computer's clock.
#include "core/pages/untPages.h"

#include <QDateTime>
#include <functional>

class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTimer;

class TfmDateTime : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Дата и время";
    explicit TfmDateTime(QWidget* owner = nullptr);

    QDateTimeEdit* dtpDate;
    QDateTimeEdit* dtpTime;
    QPushButton* btnCurrentDate;
    QPushButton* btnConfirmDate;
    QPushButton* btnSetDate;
    QPushButton* btnCurrentTime;
    QPushButton* btnSetTime;
    QLabel* lblDateTime;
    QPushButton* btnSetCurrentDateTime;
    QTimer* Timer;

    // The computer's clock (tests put another).
    std::function<QDateTime()> Now = &QDateTime::currentDateTime;

    void TimerTimer();

private:
    void btnCurrentDateClick();
    void btnCurrentTimeClick();
    void btnSetTimeClick();
    void btnSetDateClick();
    void btnConfirmDateClick();
    void btnSetCurrentDateTimeClick();
};
