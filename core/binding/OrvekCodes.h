#pragma once
// Codes of the driver's interface: result codes (negative ones are the
// driver's own, positive ones the register's) and tag type codes.
#include <cstdint>

namespace OrvekResult {
inline constexpr std::int32_t Ok = 0;
inline constexpr std::int32_t NoLink = -1;          // no register at the address, or the link was lost
inline constexpr std::int32_t PortBusy = -2;        // another driver object holds the port
inline constexpr std::int32_t PortUnavailable = -3; // another program holds the port
inline constexpr std::int32_t SettingsNotSaved = -4;  // the driver's settings file cannot be written
inline constexpr std::int32_t FileError = -6;       // a file the driver reads or writes fails
inline constexpr std::int32_t Interrupted = -51;    // the user stopped the call (Interrupt)
inline constexpr std::int32_t LDNotFound = -52;     // no logical device of that number or index
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

// The register is still busy with an earlier command (80 or 75): the call
// may be made again.
constexpr bool IsBusy(std::int32_t code)
{
    return code == PrinterBusy || code == ReceiptBufferFull;
}
} // namespace OrvekResult

// Values of TagType.
namespace OrvekTagType {
inline constexpr std::int32_t Byte = 0;
inline constexpr std::int32_t UInt16 = 1;
inline constexpr std::int32_t UInt32 = 2;
inline constexpr std::int32_t VLN = 3;
inline constexpr std::int32_t FVLNAlias = 4;  // reported by the driver for some tags; read as FVLN
inline constexpr std::int32_t BitField = 5;
inline constexpr std::int32_t UnixTime = 6;
inline constexpr std::int32_t String = 7;
inline constexpr std::int32_t STLV = 8;
inline constexpr std::int32_t ByteArray = 9;
inline constexpr std::int32_t FVLN = 11;
} // namespace OrvekTagType
