#pragma once
// TfmCommand: "Команда", a raw command (hex bytes in, hex bytes out), the
// probe for the command codes the device does not support, and a ping
// through the driver.
#include "core/pages/untPages.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The probe's line for one code's result: the code for 55, "Error: " and
// the result for a negative one (the probe ends), nothing else.
QString ProbeLine(int Code, std::int32_t Result);

class TfmCommand : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Команда";
    explicit TfmCommand(QWidget* owner = nullptr);

    QLineEdit* edtTxData;
    QLineEdit* edtRxData;
    QPushButton* btnSend;
    QPushButton* btnSupportedCommands;
    QLabel* lblProgress;
    QPlainTextEdit* memOut;
    QLineEdit* edtURL;
    QPushButton* TntBitBtn1;
    QLineEdit* edtPingResult;
    QLineEdit* edtPingTime;

private:
    void btnSendClick();
    void btnSupportedCommandsClick();
    void TntBitBtn1Click();

    bool FProbing = false;
    bool FProbeStop = false;
};
