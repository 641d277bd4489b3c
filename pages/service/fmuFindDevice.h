#pragma once
// TfmFindDevice: "Поиск устройства", the driver's device search on a worker
// thread with a busy bar, the elapsed time and a stop button; the result in
// a memo.
#include "core/pages/untPages.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

class TfmFindDevice : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Поиск устройства";
    explicit TfmFindDevice(QWidget* owner = nullptr);

    // The rate of a baud-rate code; 4800 for a code outside 0 to 9.
    static int IntToBaudRate(int Code);

    QPushButton* btnRead;
    QPushButton* btnStop;
    QProgressBar* pbSearch;
    QLabel* lblElapsed;
    QPlainTextEdit* Memo;

private:
    void btnReadClick();
    void btnStopClick();
    // Runs FindDevice on a worker while this thread keeps painting; its result code.
    int32_t FindDevice();
    void ShowSearching(bool Value);

    bool FStopWanted = false;   // "Прервать" or a close during the search
};
