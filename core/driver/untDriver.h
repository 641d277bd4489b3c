#pragma once
// The driver object of LumaqTst: one TDriver behind Driver(), created on
// first use and released by FreeDriver(), with the helpers the pages share:
// device tables, model parameters, FN tags, amounts, wrapped printing and raw
// commands. A helper that gets a non-zero result code ends the handler with
// the silent abort (Check), unless said otherwise.
#include "core/binding/LumaqLib_TLB.h"
#include "core/binding/OrvekCodes.h"

#include <QByteArray>
#include <QString>

class TNotifyThread;

// The model parameters with a named accessor: number, accessor, Bool or Int.
#define TDRIVER_MODEL_PARAMS(X)             \
    X(1, CapJrnSensor, Bool)                \
    X(2, CapJrnOpticalSensor, Bool)         \
    X(3, CapJrnLeverSensor, Bool)           \
    X(4, CapRecSensor, Bool)                \
    X(5, CapRecOpticalSensor, Bool)         \
    X(6, CapRecLeverSensor, Bool)           \
    X(7, CapSlpDocumentHiSensor, Bool)      \
    X(8, CapSlpDocumentLoSensor, Bool)      \
    X(9, CapCoverSensor, Bool)              \
    X(10, CapEKLZOverflowSensor, Bool)      \
    X(11, CapTaxCalc, Bool)                 \
    X(12, TaxCalcField, Int)                \
    X(13, CapCashDrawerAsPresenter, Bool)   \
    X(14, CapCashDrawerSensor, Bool)        \
    X(15, CapPrsPaperInSensor, Bool)        \
    X(16, CapPrsPaperOutSensor, Bool)       \
    X(17, CapPresenter, Bool)               \
    X(18, CapPresenterCommands, Bool)       \
    X(19, CapBillAcceptor, Bool)            \
    X(20, CapSlip, Bool)                    \
    X(21, CapNonfiscalDocument, Bool)       \
    X(22, CapJournal, Bool)                 \
    X(23, CapTaxKeyboard, Bool)             \
    X(24, Font1Width, Int)                  \
    X(25, Font2Width, Int)                  \
    X(26, SwapLineBytes, Bool)              \
    X(27, FirstDrawLine, Int)               \
    X(28, CapCashCore, Bool)                \
    X(29, InnDigitCount, Int)               \
    X(30, RnmDigitCount, Int)               \
    X(32, GetModelID, Int)                  \
    X(34, CapEJournal, Bool)                \
    X(34, GetCapEJournal, Bool)             \
    X(35, CapCutterPresent, Bool)           \
    X(36, DefaultTaxPassword, Int)          \
    X(37, DefaultSysPassword, Int)          \
    X(38, LongRnmDigitCount, Int)           \
    X(39, LongSerialDigitCount, Int)        \
    X(40, CapTaxPasswordLock, Bool)         \
    X(41, CapInnLeadingZeros, Bool)         \
    X(42, CapRnmLeadingZeros, Bool)         \
    X(44, CapAltProtocol, Bool)             \
    X(45, CapWrapNonFiscalString, Bool)     \
    X(46, CapWrapWithFontNonFiscapString, Bool) \
    X(47, CapWrapFiscalString, Bool)        \
    X(48, CapWrapWithFontFiscalString, Bool) \
    X(49, CapChiefCashier, Bool)            \
    X(50, CapLastPrintResult, Bool)         \
    X(51, CapLoadBlockGraphics, Bool)       \
    X(52, CapErrorDescription, Bool)        \
    X(53, MaxCmdLength, Int)                \
    X(54, CapPrintFlagsGraphics, Bool)      \
    X(55, MaxLineWidth, Int)                \
    X(57, CapSKNO, Bool)                    \
    X(71, CapFN, Bool)                      \
    X(72, FSTableNumber, Int)

class TDriver : public TOrvek {
public:
    TDriver();
    ~TDriver() override;

    // Raises the silent abort when ResultCode is not 0; reads no property.
    static void Check(std::int32_t ResultCode);

    // Device tables. Logical tables 18 and 19 stand for the model's tables
    // given by model parameters 72 and 73; only ReadTableInt and ReadTableStr
    // map them.
    std::int32_t CorrectTableNumber(std::int32_t Number);
    // The field's integer, or Default when the read fails (no abort).
    std::int32_t ReadTableDef(std::int32_t Table, std::int32_t Row, std::int32_t Field, std::int32_t Default);
    std::int32_t ReadTableInt(std::int32_t Table, std::int32_t Row, std::int32_t Field);
    // The field's text in the ANSI code page (AnsiToWide to show it).
    QByteArray ReadTableStr(std::int32_t Table, std::int32_t Row, std::int32_t Field);
    void WriteTableInt(std::int32_t Table, std::int32_t Row, std::int32_t Field, std::int32_t Value);

    // Model parameters, read from the register each time. ReadIntParam raises
    // EConvertError for a value that is not a decimal integer.
    std::int32_t ReadIntParam(std::int32_t Number);
    bool ReadBoolParam(std::int32_t Number);
    // True for the model ids 16, 19-21, 27-30, 32-36, 38-42, 45 and 46.
    bool IsModelType2();
#define TDRIVER_PARAM_TYPE_Bool bool
#define TDRIVER_PARAM_TYPE_Int std::int32_t
#define TDRIVER_DECLARE_PARAM(Number, Name, Kind) TDRIVER_PARAM_TYPE_##Kind Name();
    TDRIVER_MODEL_PARAMS(TDRIVER_DECLARE_PARAM)
#undef TDRIVER_DECLARE_PARAM

    // FN tags: Add* into the open composite (BeginSTLVTag), Send* to the
    // document; the *Operation variants bind the tag to the current item.
    void AddTagByte(std::int32_t Tag, std::uint8_t Value);
    void AddTagStr(std::int32_t Tag, const QString& Value);
    void AddTagUnixTime(std::int32_t Tag, TDateTime Value);
    void AddTagVLN(std::int32_t Tag, const QString& Value);
    void SendTagStr(std::int32_t Tag, const QString& Value);
    void SendTagStrOperation(std::int32_t Tag, const QString& Value);
    void SendTagUnixTime(std::int32_t Tag, TDateTime Value);
    void SendTagUnixTimeOperation(std::int32_t Tag, TDateTime Value);
    void BeginSTLVTag(std::int32_t Tag);
    void SendSTLVTag(std::int32_t Tag);
    void SendSTLVTagOperation(std::int32_t Tag);

    // The amount: with PointPosition two decimals and the user's decimal
    // separator, else the whole part (truncated towards zero).
    QString AmountToStr(Currency Value);
    // Characters per printed line in a font (40 when the font's CharWidth is
    // 0); asked under SysAdminPassword, Password is put back on every path.
    std::int32_t GetPrintStringWidth(std::int32_t Font);
    // Prints a text of any number of lines: font 0 lets the driver wrap it;
    // any other font cuts each line into pieces of the font's width, each
    // tried up to 5 times while the register is busy (80, 75), 50 ms apart
    // (CallWhileBusy).
    void PrintText(const QString& Text, std::int32_t Font);

    // Raw command bytes through ExchangeBytes; returns its code (no Check).
    // The second variant also returns the answer's bytes, whatever the code.
    std::int32_t SendCommand(const QByteArray& Bytes);
    std::int32_t SendCommand(const QByteArray& Bytes, QByteArray& Answer);

    // A fixed pause of the pages (Pause: the windows keep painting).
    static void Pause(int ms);

private:
    // TagNumber, TagType and the value, then the tag method, checked.
    void SendTagValue(std::int32_t Tag, std::int32_t Type, OrvekProp ValueProp, const QVariant& Value,
                      std::int32_t (TOrvek::*Method)());
};

// The driver object; created on the first call. A failed creation raises the
// error with "Ошибка создания объекта драйвера: " in front of its message and
// leaves no object, so the next call tries again.
TDriver& Driver();
// True when the driver object exists; never creates it.
bool DriverExists();
// Destroys the driver object (nothing without one). While a job holds the
// driver (TDriverJob) it raises an Exception saying so and frees nothing.
void FreeDriver();

// A job that uses the driver object: a UI-thread loop that lets events run
// between its driver calls holds one for its whole run; a worker thread holds
// one from its start until its end has been handled on the UI thread
// (ResumeDriverJob). The driver is not freed while any job holds it.
//
//   void TfmSDCard::btnWriteClick()
//   {
//       TDriverJob job;
//       for (...) { Driver().WriteBlock...; ProcessMessages(); }
//   }
class TDriverJob {
public:
    TDriverJob();
    ~TDriverJob();
    TDriverJob(const TDriverJob&) = delete;
    TDriverJob& operator=(const TDriverJob&) = delete;
    // Jobs holding the driver now.
    static int Count();
};

// Resumes the worker as a job: it holds the driver until its OnTerminate
// (set before) has run on the UI thread, or until the worker is freed.
void ResumeDriverJob(TNotifyThread& Worker);
