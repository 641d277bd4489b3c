#pragma once
// TfmPrintTest: the page "Тесты": the port-lock stress test (print under
// LockPort until stopped, with its statistics), the printing speed test and
// the font test. The lock test and the speed test share one stop flag.
#include "core/pages/untPages.h"

#include <QElapsedTimer>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

class TfmPrintTest : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Тесты";
    explicit TfmPrintTest(QWidget* owner = nullptr);

    // Re-enabling the buttons keeps the lock test's "Начать" disabled (and
    // its "Прервать" enabled) while it runs.
    void EnableButtons(bool Value) override;

    QCheckBox* chbStopOnError;
    QLabel* lblRepeatCount;
    QLabel* lblErrorCount;
    QLabel* lblCommandSpeed;
    QLabel* lblErrorPercent;
    QLabel* lblTestTime;
    QLabel* lblCommandTime;
    QSpinBox* sePrintCount;
    QLabel* lblPrintSpeed;

    QPushButton* btnStartPrintWithLock;
    QPushButton* btnStopPrintWithLock;
    QPushButton* btnStartSpeedPrintTest;
    QPushButton* btnStopSpeedPrintTest;
    QPushButton* btnFonts;

    void btnStartPrintWithLockClick();
    void btnStopClick();
    void btnStartSpeedPrintTestClick();
    void btnFontsClick();

protected:
    // Milliseconds of a monotonic clock.
    virtual std::int64_t TickCount();
    // Processes window messages until more than ms milliseconds have passed
    // or the stop flag is set; the page may be gone afterwards.
    virtual void Delay(int ms);
    // Closing the page, or the window it is in, stops its loop.
    void hideEvent(QHideEvent* event) override;

    bool FStopFlag = false;

private:
    // One lock, print and unlock; the result of the printing (0 for a refused lock).
    std::int32_t PrintWithLock();
    void ShowStatistics(int repeats, int errors, std::int64_t elapsed);

    bool FLockTestRunning = false;
    QElapsedTimer FClock;
};
