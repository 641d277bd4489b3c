// Marking codes: the FFD 1.05 product code of an item, the FFD 1.2 check,
// acceptance and refusal of a marking code, the state of the marking work,
// and the FN's notifications about sold marked goods (their exchange state,
// reading block by block and confirming).
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "core/support/gs1_parser.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterTags.h"

#include <algorithm>
#include <cctype>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// The product code of an item (FFD 1.05).
constexpr int TagProductCode = 1162;
// The tags the check of a measured or partly returned item needs: the
// measure and the quantity.
constexpr int TagMeasure = 2108;
constexpr int TagQuantity = 1023;
// The server's answer: the result of the check of the goods.
constexpr int TagCheckResult = 2106;

RegisterMarking& Marking(OrvekCall& c)
{
    return c.Reg().Area<RegisterMarking>();
}

// The code as bytes; BarcodeHex and BarCode are two views of it.
QByteArray CodeBytes(OrvekCall& c)
{
    return WideToAnsi(c.Str(P::BarCode));
}

bool AllDigits(const QByteArray& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// Tag numbers of a TLV list given as hex; false when it is no whole list.
bool TlvTags(const QString& hex, std::vector<int>& tags)
{
    const QByteArray text = hex.toLatin1();
    if (text.size() % 2 != 0 || !std::all_of(text.begin(), text.end(), [](char ch) { return std::isxdigit(quint8(ch)); }))
        return false;
    const QByteArray data = QByteArray::fromHex(text);
    for (qsizetype at = 0; at < data.size();) {
        if (at + 4 > data.size())
            return false;
        const int tag = quint8(data[at]) | quint8(data[at + 1]) << 8;
        const int length = quint8(data[at + 2]) | quint8(data[at + 3]) << 8;
        at += 4 + length;
        if (at > data.size())
            return false;
        tags.push_back(tag);
    }
    return true;
}

// The check's outputs for the code.
void SetCheckResult(OrvekCall& c, const MarkingCode& code)
{
    c.Set(P::MarkingType, code.Type);
    c.Set(P::MarkingTypeEx, code.TypeEx);
    c.Set(P::MarkingType2, code.Type2);
    c.Set(P::CheckItemLocalResult, code.LocalResult);
    c.Set(P::CheckItemLocalError, code.LocalError);
    c.Set(P::KMServerErrorCode, code.ServerErrorCode);
    c.Set(P::KMServerCheckingStatus, code.ServerStatus);
    QByteArray answer;
    if (code.ServerErrorCode == 0)
        answer = TagTlv(TagCheckResult, QByteArray(1, char(code.ServerStatus)));
    c.Set(P::TLVDataHex, Hex(answer));
    c.Answer.append(char(code.Type2)).append(char(code.LocalResult)).append(char(code.LocalError));
}

// FFD 1.05: the product code of the item being registered, as tag 1162.
std::int32_t FNSendItemCodeData(OrvekCall& c)
{
    const int type = c.Int(P::MarkingType);
    QByteArray code = CodeBytes(c);
    bool valid = false;
    switch (type) {
    case MarkingKind::Unknown: valid = !code.isEmpty() && code.size() <= 30; break;
    case MarkingKind::EAN8: valid = code.size() == 8 && AllDigits(code); break;
    case MarkingKind::EAN13: valid = code.size() == 13 && AllDigits(code); break;
    case MarkingKind::ITF14: valid = code.size() == 14 && AllDigits(code); break;
    case MarkingKind::GS1DataMatrix: {
        const QByteArray gtin = c.Str(P::GTIN).toLatin1();
        const QByteArray serial = WideToAnsi(c.Str(P::SerialNumber));
        valid = gtin.size() == 14 && AllDigits(gtin) && !serial.isEmpty() && serial.size() <= 20;
        code = gtin + serial;
        break;
    }
    case MarkingKind::Fur: {
        TMarkingDesc desc;
        valid = code.size() == 20 &&
                parse_gs1(reinterpret_cast<const std::uint8_t*>(code.constData()), 20, desc) == GS1Result::Ok;
        break;
    }
    case MarkingKind::EGAIS20: valid = code.size() == 23; break;
    case MarkingKind::EGAIS30: valid = code.size() == 14; break;
    default: break;
    }
    if (!valid)
        return OrvekResult::BadParameter;
    FNTag tag;
    tag.Number = TagProductCode;
    tag.Type = OrvekTagType::ByteArray;
    tag.Value.append(char(type >> 8)).append(char(type & 0xFF)).append(code);
    tag.Operation = true;
    c.Request = tag.Tlv();
    c.Reg().Area<RegisterTags>().Sent.push_back(std::move(tag));
    return OrvekResult::Ok;
}

// FFD 1.2: the marking code of the item being registered: recognised,
// checked and kept for the receipt in one step.
std::int32_t FNSendItemBarcode(OrvekCall& c)
{
    MarkingCode code;
    code.Code = CodeBytes(c);
    const int status = c.Int(P::ItemStatus);
    code.ItemStatus = status >= 1 && status <= 6 ? status : 1;
    c.Request = code.Code;
    RegisterMarking& m = Marking(c);
    if (std::int32_t result = m.Check(code))
        return result;
    SetCheckResult(c, *m.Checking);
    return m.Accept();
}

std::int32_t FNCheckItemBarcode(OrvekCall& c)
{
    MarkingCode code;
    code.Code = CodeBytes(c);
    code.ItemStatus = c.Int(P::ItemStatus);
    std::vector<int> tags;
    if (!TlvTags(c.Str(P::TLVDataHex), tags))
        return FNError::BadParameter;
    if ((code.ItemStatus == 2 || code.ItemStatus == 4) &&
        (std::find(tags.begin(), tags.end(), TagMeasure) == tags.end() ||
         std::find(tags.begin(), tags.end(), TagQuantity) == tags.end()))
        return FNError::BadParameter;
    code.Tags = QByteArray::fromHex(c.Str(P::TLVDataHex).toLatin1());
    c.Request = code.Code;
    RegisterMarking& m = Marking(c);
    if (std::int32_t result = m.Check(code))
        return result;
    SetCheckResult(c, *m.Checking);
    return OrvekResult::Ok;
}

// Accepting or declining ends the check; the answer gives its stored status.
std::int32_t EndCheck(OrvekCall& c, bool accept)
{
    RegisterMarking& m = Marking(c);
    if (!m.Checking)
        return FNError::OtherState;
    const int status = m.Checking->ServerStatus;
    if (std::int32_t result = accept ? m.Accept() : m.Decline())
        return result;
    c.Set(P::KMServerCheckingStatus, status);
    c.Answer.append(char(status));
    return OrvekResult::Ok;
}

std::int32_t FNAcceptMakringCode(OrvekCall& c)
{
    return EndCheck(c, true);
}

std::int32_t FNDeclineMarkingCode(OrvekCall& c)
{
    return EndCheck(c, false);
}

std::int32_t FNMarkingClearBuffer(OrvekCall& c)
{
    Marking(c).ClearResults();
    return OrvekResult::Ok;
}

std::int32_t FNGetMarkingCodeWorkStatus(OrvekCall& c)
{
    RegisterMarking& m = Marking(c);
    int check = 1;
    if (m.Blocked)
        check = 0;
    else if (m.Checking)
        check = m.Checking->ServerErrorCode == 0 || m.Checking->ServerErrorCode == 32 ? 4 : 2;
    const int kept = int(m.Accepted.size());
    // Bit 0: a check may start; bit 1: the checked code may be accepted or
    // declined; bit 2: a notification is being formed.
    const int flags = (m.Blocked ? 0 : 1) | (m.Checking ? 2 : 0) | (kept > 0 ? 4 : 0);
    c.Set(P::MCCheckStatus, check);
    c.Set(P::MCNotificationStatus, kept > 0 ? 1 : 0);
    c.Set(P::MCCommandFlags, flags);
    c.Set(P::MCCheckResultSavedCount, kept);
    c.Set(P::MCRealizationCount, kept);
    c.Set(P::MCStorageSize, m.StorageSizeClass());
    c.Set(P::MessageCount, int(m.Queue.size()));
    c.Answer.append(char(check)).append(char(kept > 0 ? 1 : 0)).append(char(flags)).append(char(kept));
    return OrvekResult::Ok;
}

std::int32_t FNGetKMServerExchangeStatus(OrvekCall& c)
{
    RegisterMarking& m = Marking(c);
    const MarkingNotification* first = m.Queue.empty() ? nullptr : &m.Queue.front();
    c.Set(P::MessageState, m.Reading() && first ? 1 : 0);
    c.Set(P::MessageCount, int(m.Queue.size()));
    c.Set(P::MessageNumber, first ? first->Number : 0);
    if (first) {
        c.Set(P::Date, QDateToDateTime(first->Time.date()));
        c.Set(P::Time, QTimeToDateTime(first->Time.time()));
    } else {
        c.Set(P::Date, 0.0);
        c.Set(P::Time, 0.0);
    }
    c.Set(P::FreeMemorySize, m.FillPercent());
    c.Answer.append(char(m.Queue.size() & 0xFF)).append(char(m.FillPercent()));
    return OrvekResult::Ok;
}

std::int32_t FNBeginReadNotifications(OrvekCall& c)
{
    RegisterMarking& m = Marking(c);
    m.BeginRead();
    const MarkingNotification* first = m.Queue.empty() ? nullptr : &m.Queue.front();
    c.Set(P::NotificationCount, int(m.Queue.size()));
    c.Set(P::NotificationNumber, first ? first->Number : 0);
    c.Set(P::NotificationSize, first ? int(first->Data.size()) : 0);
    return OrvekResult::Ok;
}

std::int32_t FNReadNotificationBlock(OrvekCall& c)
{
    RegisterMarking& m = Marking(c);
    if (!m.Reading())
        return FNError::OtherState;
    MarkingNotification from;
    int offset = 0;
    QByteArray block;
    if (!m.NextBlock(from, offset, block))
        return FNError::NoData;
    c.Set(P::NotificationNumber, from.Number);
    c.Set(P::DataOffset, offset);
    c.Set(P::NotificationSize, int(from.Data.size()) + m.ReportedSizeDelta);
    c.Set(P::DataBlock, AnsiToWide(block));
    c.Answer = block;
    return OrvekResult::Ok;
}

std::int32_t FNConfirmNotificationRead(OrvekCall& c)
{
    const int number = c.Int(P::NotificationNumber);
    const int checkSum = c.Int(P::CheckSum);
    c.Request += IntToBin(number, 2) + IntToBin(checkSum, 2);
    return Marking(c).Confirm(number, checkSum);
}
} // namespace

void AddMarkingHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNSendItemCodeData, OrvekAccess::Device, 0xFF4D, &FNSendItemCodeData);
    t.Add(M::FNGetMarkingCodeWorkStatus, OrvekAccess::Device, 0xFF60, &FNGetMarkingCodeWorkStatus);
    t.Add(M::FNCheckItemBarcode, OrvekAccess::Device, 0xFF61, &FNCheckItemBarcode);
    t.Add(M::FNAcceptMakringCode, OrvekAccess::Device, 0xFF62, &FNAcceptMakringCode);
    t.Add(M::FNDeclineMarkingCode, OrvekAccess::Device, 0xFF62, &FNDeclineMarkingCode);
    t.Add(M::FNMarkingClearBuffer, OrvekAccess::Device, 0xFF63, &FNMarkingClearBuffer);
    t.Add(M::FNSendItemBarcode, OrvekAccess::Device, 0xFF67, &FNSendItemBarcode);
    t.Add(M::FNGetKMServerExchangeStatus, OrvekAccess::Device, 0xFF50, &FNGetKMServerExchangeStatus);
    t.Add(M::FNBeginReadNotifications, OrvekAccess::Device, 0xFF80, &FNBeginReadNotifications);
    t.Add(M::FNReadNotificationBlock, OrvekAccess::Device, 0xFF81, &FNReadNotificationBlock);
    t.Add(M::FNConfirmNotificationRead, OrvekAccess::Device, 0xFF82, &FNConfirmNotificationRead);
}
