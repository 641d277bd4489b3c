#pragma once
// The register's marking-code work (FFD 1.2 and the FFD 1.05 product code):
// the code being checked, the check results kept for the receipt, how the
// next check turns out, and the FN's queue of notifications about sold
// marked goods with the reading and confirming of them.
//
//   RegisterMarking& m = TestRegister().Area<RegisterMarking>();
//   m.Outcome.ServerErrorCode = 32;        // the next check: the server refuses
//   m.Outcome.ServerStatus = 4;            //   with reason 4
//   m.NextNumber = 7;
//   m.QueueNotification(QByteArray::fromHex("0102000003040506"));  // number 7, CRC 1C D7
//
// A receipt closed while check results are kept queues one notification
// with their codes (ReceiptClosed).
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

struct FNDocument;

// Marking types (MarkingType) and the FN's classes of a code (MarkingType2).
namespace MarkingKind {
enum : int {
    Unknown = 0,
    EAN8 = 17672,
    EAN13 = 17677,
    ITF14 = 18702,
    GS1DataMatrix = 17485,
    Fur = 21062,
    EGAIS20 = 50452,
    EGAIS30 = 50462,
};
}

struct MarkingCode {
    QByteArray Code;
    int Type = MarkingKind::Unknown;  // MarkingType
    int TypeEx = 0;                   // MarkingTypeEx: 0 KM-88, 1 symmetric, 2 tobacco, 3 KM-44, 255 GS1 without marking
    int Type2 = 0;                    // MarkingType2: the FN's class (0 not identified ... 255 not checked)
    int ItemStatus = 0;               // the planned status of the goods (1..6)
    QByteArray Tags;                  // the check's tag list (2108, 1023, 1291)
    int LocalResult = -1;             // CheckItemLocalResult: bit 0 checked by the FN, bit 1 positive
    int LocalError = 0;               // CheckItemLocalError
    int ServerErrorCode = -1;         // KMServerErrorCode
    int ServerStatus = 0;             // KMServerCheckingStatus (the reason for code 32)

    void Keep(StateArchive& a)
    {
        a(Code, Type, TypeEx, Type2, ItemStatus, Tags, LocalResult, LocalError, ServerErrorCode, ServerStatus);
    }
};

// How the next check turns out; unset fields follow from the code itself.
struct MarkingCheckOutcome {
    std::optional<int> LocalResult;
    std::optional<int> LocalError;
    int ServerErrorCode = 0;          // -1 no online check, 0 answered, 32 refused (ServerStatus the reason), 255 no answer
    std::optional<int> ServerStatus;  // bits 0..4 for code 0; the reason for 32
};

struct MarkingNotification {
    int Number = 0;
    QByteArray Data;     // bytes 3 and 4: the CRC of the rest, little-endian
    QDateTime Time;      // when the FN made it

    void Keep(StateArchive& a) { a(Number, Data, Time); }
};

class RegisterMarking : public RegisterArea {
public:
    explicit RegisterMarking(EmulatedRegister& reg);

    MarkingCheckOutcome Outcome;
    bool Blocked = false;                  // marking work blocked (MCCheckStatus 0)
    std::optional<MarkingCode> Checking;   // checked, neither accepted nor declined
    std::vector<MarkingCode> Accepted;     // check results kept for the receipt
    std::deque<MarkingNotification> Queue; // notifications not confirmed, oldest first
    int NextNumber = 1;
    int BlockSize = 32;                    // bytes of FNReadNotificationBlock (0: empty blocks)
    int ReportedSizeDelta = 0;             // added to the NotificationSize the reading reports
    int Capacity = 65536;                  // bytes the notification store holds

    // MarkingType, MarkingTypeEx and MarkingType2 of a code.
    static void Recognise(MarkingCode& code);
    // Checks a code (FNCheckItemBarcode): the outcome, then it waits to be
    // accepted or declined. 0 or an FN error.
    std::int32_t Check(MarkingCode code);
    std::int32_t Accept();
    std::int32_t Decline();
    void ClearResults();

    // Numbers the notification (NextNumber), stores its CRC in bytes 3 and 4
    // (the data has at least 4 bytes) and queues it.
    MarkingNotification& QueueNotification(QByteArray data);
    // The CRC the FN works out: CRC-16/CCITT over bytes 1, 2 and 5 to the end.
    static std::uint16_t NotificationCRC(const QByteArray& data);
    // Changes the stored CRC bytes of a queued notification; false when none has the number.
    bool SpoilCRC(int number);
    MarkingNotification* Find(int number);

    // Reading: FNBeginReadNotifications, then blocks until 8.
    void BeginRead();
    bool Reading() const { return FReading; }
    // The next block; false when every notification was read.
    bool NextBlock(MarkingNotification& from, int& offset, QByteArray& block);
    // FNConfirmNotificationRead: 0 or an FN error.
    std::int32_t Confirm(int number, int checkSum);

    // A receipt was closed: its kept check results go into one notification.
    void ReceiptClosed(const FNDocument& doc);
    // Percent of the store in use, and its class (MCStorageSize 0..3).
    int FillPercent() const;
    int StorageSizeClass() const;

    // The FN's codes and notifications (the test settings of the checks stay).
    void Keep(StateArchive& a) { a(Blocked, Checking, Accepted, Queue, NextNumber); }

private:
    // The FN's own view: NotificationSize and the fill percentage.
    void Sync();
    EmulatedRegister& FRegister;
    bool FReading = false;
    std::size_t FReadIndex = 0;
    int FReadOffset = 0;
};
