#pragma once
// TfmDeviceStatus: "Запросы", the device's state as plain-text reports: the
// long and short status, the metrics, the model parameters, the driver's
// version and the device's error descriptions; besides them the state reset,
// the driver's table editor and the serial number.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <cstdint>

class QPlainTextEdit;
class QPushButton;

class TfmDeviceStatus : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Запросы";
    explicit TfmDeviceStatus(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;
    QPushButton* btnEcrStatus;
    QPushButton* btnShortEcrStatus;
    QPushButton* btnDeviceMetrics;
    QPushButton* btnGetModelParams;
    QPushButton* btnErrorList;
    QPushButton* btnDriverVersion;
    QPushButton* btnResetPrinter;
    QPushButton* btnTables;
    QPushButton* btnSerial;

    static QString PortNumToStr(int Code);
    static QString FMRecordTypeToStr(int Type);
    static uint32_t GetKeysCount(int32_t Status);
    static QString UpdateKeysErrorCodeToStr(int32_t Code, int32_t Status);
    static QString UpdateKeysStatusToStr(int32_t Status);

    // Report parts the full status report shares. The head: an empty line,
    // a separator, the head line, a separator.
    static void AddHead(TMemoReport& Report, const QString& Head);
    // The device-flags block from the last status call: separator, the flags
    // line under Name, separator, the flag lines (two fewer with an FN).
    static void AddDeviceFlags(TMemoReport& Report, const QString& Name, bool CapFN);
    // The seven metrics lines; the code page's text only when asked for.
    static void AddMetrics(TMemoReport& Report, bool WithCodePageText);

private:
    void btnEcrStatusClick();
    void btnShortEcrStatusClick();
    void btnDeviceMetricsClick();
    void btnGetModelParamsClick();
    void btnErrorListClick();
    void btnDriverVersionClick();
    void btnResetPrinterClick();
    void btnTablesClick();
    void btnSerialClick();

    void AddSKNOStatus(int32_t Status);
    void CaretToStart();

    TMemoReport FReport;
};
