#pragma once
// The registration data carried from page to page. In the masks, in
// ReasonCode and in FFD, 255 means that nothing was chosen yet.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace Regmaven {

struct TRegParams {
    bool FirstTime = false;
    bool OFDEnabled = false;
    bool NewFN = false;
    QString INN;
    QString RNM;
    QString User;
    QString Cashier;
    QString Address;
    uint8_t TaxSystem = 0;
    uint8_t Agent = 0;
    uint8_t WorkMode = 0;
    uint8_t WorkModeEx = 0;
    QString AutomatNumber;
    int32_t ReasonCode = 0;
    int32_t FFD = 0;
    QString TaxOfficeURL;
    QString SenderEmail;
    QString PayPlace;
    QString OFDName;
    QString OFDUrl;
    QString OFDINN;
    QString OFDServer;
    int32_t OFDPort = 0;
    QString CashierINN;
    QString X5FactoryCode;
    int32_t DocType = 0;
    bool PrinterInAutomat = false;
    QString FNSerial;
    QString KKTSerial;
    QDateTime DateTime;
    int32_t DocNumber = 0;
    QString FiscalSign;
    QString VersionKKT;
    bool LotterySign = false;
    bool GameSign = false;
    bool ExciseSign = false;
    bool DeliveryTradeSign = false;
    bool PayTerminalSign = false;
    uint32_t ReasonCodesEx = 0;
    QString ServerKM;
    int32_t PortKM = 0;
    // The time zone for table 17 field 66 (the zone list's index + 1); 0:
    // none chosen, the register's stays.
    int32_t TimeZone = 0;

    bool operator==(const TRegParams&) const = default;

    // The registration parameters of an X5 file; every key is required. A
    // missing key or a bad value raises and leaves the record as it was.
    void LoadFromX5(const QString& FileName);
    void LoadFromX5Lines(const QStringList& Lines);
    // The X5 registration report.
    QStringList X5ReportLines() const;
    void SaveX5Report(const QString& FileName) const;
};

// Bits of TaxSystem.
enum TTaxSystemBit { tsOSN, tsUSNIncome, tsUSNIncomeExpense, tsENVD, tsESHN, tsPSN };
// Bits 0 to 5 of WorkMode.
enum TWorkModeBit { wmEncryption, wmAutonomous, wmAutomatic, wmServices, wmBSO, wmInternet };
// Bits 0 to 3 of Agent.
enum TAgentBit { agBankPaymentAgent, agBankPaymentSubagent, agPaymentAgent, agPaymentSubagent };

bool TestTaxSystem(const TRegParams& Params, TTaxSystemBit Bit);
void SetTaxSystem(TRegParams& Params, TTaxSystemBit Bit);
bool TestWorkMode(const TRegParams& Params, TWorkModeBit Bit);
void SetWorkMode(TRegParams& Params, TWorkModeBit Bit);
void SetAgent(TRegParams& Params, TAgentBit Bit);

} // namespace Regmaven

namespace Regmaven {

// The tax authority's web address: the default of the tax-office field.
inline const QString TaxOfficeWebAddress = QStringLiteral("www.nalog.gov.ru");
// The fixed sender address of receipts written where the record has none.
inline const QString FixedSenderEmail = QStringLiteral("noreply@nalog.gov.ru");

} // namespace Regmaven
