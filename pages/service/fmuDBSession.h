#pragma once
// TfmDBSession: the page "Контрольная лента": all documents of a session
// printed as a control tape, or the session's receipt totals listed.
#include "core/pages/untPages.h"

#include <QStringList>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfmDBSession : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Контрольная лента";
    explicit TfmDBSession(QWidget* owner = nullptr);
    ~TfmDBSession() override;

    QLineEdit* edtSessionNumber;
    QLineEdit* edtSerialNumber;
    QLineEdit* edtDBFilePath;
    QPlainTextEdit* Memo;
    QPushButton* btnStopPrintKL;

    void btnDBPrintKLClick();
    void btnStopPrintKLClick();
    void btn1Click();

    static QString DBDocTypeToStr(int Type);

    // Milliseconds between two turns of the event loop in the loops (tests set 0).
    static inline int EventInterval = 15;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // The common start of both loops: false when the query failed.
    bool StartQuery();
    // Runs step until it answers non-zero or the stop flag is set; then -41
    // calls ClearResult. Returns how many documents were read.
    int Loop(const std::function<int32_t()>& step);

    // Memo lines waiting for the next turn of the event loop.
    void FlushLines();

    QStringList FLines;
    bool FStopFlag = false;
    bool FRunning = false;
};
