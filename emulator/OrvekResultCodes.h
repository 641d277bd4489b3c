#pragma once
// Result codes that the emulated driver returns and their Russian texts.
// Negative codes are the driver's own, positive ones the register's.
#include <QString>
#include <cstdint>

namespace OrvekResult {
inline constexpr std::int32_t Ok = 0;
inline constexpr std::int32_t NoLink = -1;          // no register at the address, or the link was lost
inline constexpr std::int32_t PortBusy = -2;        // another driver object holds the port
inline constexpr std::int32_t SettingsNotSaved = -4;  // the driver's settings file cannot be written
inline constexpr std::int32_t NotSupported = -100;  // the emulated register does not model the method
inline constexpr std::int32_t FNBusy = 50;
inline constexpr std::int32_t BadParameter = 51;
inline constexpr std::int32_t CommandNotSupported = 55;
inline constexpr std::int32_t NonCashOverTotal = 67;
inline constexpr std::int32_t PaymentTooSmall = 69;
inline constexpr std::int32_t NotEnoughCash = 70;
inline constexpr std::int32_t NegativeTotal = 71;
inline constexpr std::int32_t ReceiptOpen = 74;
inline constexpr std::int32_t ReceiptBufferFull = 75;
inline constexpr std::int32_t SessionOver24Hours = 78;
inline constexpr std::int32_t BadPassword = 79;
inline constexpr std::int32_t PrinterBusy = 80;
inline constexpr std::int32_t WaitingContinuePrint = 88;
inline constexpr std::int32_t BadTableField = 93;
inline constexpr std::int32_t NoPaper = 107;
inline constexpr std::int32_t NoReceiptInPresenter = 109;
inline constexpr std::int32_t ShutterClosed = 110;
inline constexpr std::int32_t WrongMode = 115;
inline constexpr std::int32_t NoReportInBuffer = 195;
inline constexpr std::int32_t WareNotFound = 196;
} // namespace OrvekResult

// The text of a result code; a code with no text of its own gives
// "Неизвестная ошибка".
QString OrvekResultDescription(std::int32_t code);
