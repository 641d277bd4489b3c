#pragma once
// TfmPrintBuffer: the page "Буфер": the register's print buffer read back
// line by line or whole (stopped by "Прервать"), and cleared.
#include "core/pages/untPages.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class TfmPrintBuffer : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Буфер";
    explicit TfmPrintBuffer(QWidget* owner = nullptr);

    QSpinBox* seLineNumber;
    QComboBox* cbPrintBufferFormat;
    QPlainTextEdit* Memo;

    QPushButton* btnReadPrintBufferLineNumber;
    QPushButton* btnReadPrintBufferLine;
    QPushButton* btnReadPrintBuffer;
    QPushButton* btnStop;
    QPushButton* btnClearPrintBuffer;
    QPushButton* btnClear;

    void btnReadPrintBufferLineNumberClick();
    void btnReadPrintBufferLineClick();
    void btnReadPrintBufferClick();
    void btnStopClick();
    void btnClearPrintBufferClick();
    void btnClearClick();

protected:
    // Closing the page, or the window it is in, stops its loop.
    void hideEvent(QHideEvent* event) override;

private:
    bool FStopFlag = false;
};
