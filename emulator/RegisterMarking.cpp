#include "emulator/RegisterMarking.h"

#include "core/support/BinUtils.h"
#include "core/support/RNMUtil.h"
#include "core/support/gs1_parser.h"
#include "emulator/RegisterFN.h"

#include <algorithm>

namespace {
// Tags of a sale notification: the marking code and the goods' status.
constexpr int TagMarkingCode = 2000;
constexpr int TagItemStatus = 2003;

// Characters of the check code after identifier 92, up to a GS or the end.
int SignLength(const QByteArray& code, int offset)
{
    int length = 0;
    for (int i = offset + 2; i < code.size() && quint8(code[i]) != GS1_GS; ++i)
        ++length;
    return length;
}

// Bits of KMServerCheckingStatus.
namespace Status {
enum : int { Checked = 1, Positive = 2, StatusChecked = 4, StatusCorrect = 8, Autonomous = 16 };
}
} // namespace

RegisterMarking::RegisterMarking(EmulatedRegister& reg) : FRegister(reg) {}

void RegisterMarking::Recognise(MarkingCode& code)
{
    code.Type = MarkingKind::Unknown;
    code.TypeEx = 0;
    code.Type2 = 0;
    TMarkingDesc desc;
    if (parse_gs1(reinterpret_cast<const std::uint8_t*>(code.Code.constData()), std::size_t(code.Code.size()), desc) !=
        GS1Result::Ok)
        return;
    switch (desc.data_type) {
    case GS1DataType::EAN8: code.Type = MarkingKind::EAN8; code.Type2 = 255; return;
    case GS1DataType::EAN13: code.Type = MarkingKind::EAN13; code.Type2 = 255; return;
    case GS1DataType::ITF14: code.Type = MarkingKind::ITF14; code.Type2 = 255; return;
    case GS1DataType::Fur: code.Type = MarkingKind::Fur; code.Type2 = 255; return;
    default: break;
    }
    if (desc.is_crypto_tobacco) {
        code.Type = MarkingKind::GS1DataMatrix;
        code.TypeEx = 2;
        code.Type2 = 1;
        return;
    }
    if (!desc.is_gtin_present)
        return;
    code.Type = MarkingKind::GS1DataMatrix;
    if (desc.kpkiz_sign_offset != 0) {
        const int sign = SignLength(code.Code, desc.kpkiz_sign_offset);
        code.TypeEx = sign == 44 ? 3 : 0;
        code.Type2 = sign == 88 ? 2 : sign == 44 ? 4 : 0;
    } else if (desc.is_crypto_symmetric) {
        code.TypeEx = 1;
        code.Type2 = 5;
    } else {
        code.TypeEx = 255;
        code.Type2 = 255;
    }
}

std::int32_t RegisterMarking::Check(MarkingCode code)
{
    if (Blocked)
        return FNError::OtherState;
    if (code.Code.isEmpty() || code.ItemStatus < 1 || code.ItemStatus > 6)
        return FNError::BadParameter;
    Recognise(code);
    const bool checkable = code.Type2 == 2 || code.Type2 == 4;
    code.LocalResult = Outcome.LocalResult.value_or(checkable ? Status::Checked | Status::Positive : 0);
    code.LocalError = Outcome.LocalError.value_or(
        checkable ? 0 : code.Type == MarkingKind::GS1DataMatrix && code.Type2 != 1 ? 3 : 1);
    const bool refused = (code.LocalResult & 3) == Status::Checked;
    code.ServerErrorCode = Outcome.ServerErrorCode;
    switch (code.ServerErrorCode) {
    case 0:
        code.ServerStatus = Outcome.ServerStatus.value_or(
            refused ? Status::Checked | Status::StatusChecked
                    : Status::Checked | Status::Positive | Status::StatusChecked | Status::StatusCorrect);
        break;
    case 32: code.ServerStatus = Outcome.ServerStatus.value_or(2); break;
    default:
        code.ServerStatus = (code.LocalResult > 0 ? code.LocalResult & 3 : 0) |
                            (code.ServerErrorCode == -1 ? int(Status::Autonomous) : 0);
    }
    Checking = std::move(code);
    return 0;
}

std::int32_t RegisterMarking::Accept()
{
    if (!Checking)
        return FNError::OtherState;
    Accepted.push_back(std::move(*Checking));
    Checking.reset();
    return 0;
}

std::int32_t RegisterMarking::Decline()
{
    if (!Checking)
        return FNError::OtherState;
    Checking.reset();
    return 0;
}

void RegisterMarking::ClearResults()
{
    Checking.reset();
    Accepted.clear();
}

std::uint16_t RegisterMarking::NotificationCRC(const QByteArray& data)
{
    return CRCCITT16(data.left(2) + data.mid(4));
}

MarkingNotification& RegisterMarking::QueueNotification(QByteArray data)
{
    if (data.size() < 4)
        data.resize(4, '\0');
    const std::uint16_t crc = NotificationCRC(data);
    data[2] = char(crc & 0xFF);
    data[3] = char(crc >> 8);
    Queue.push_back({NextNumber++, std::move(data), FRegister.Now()});
    Sync();
    return Queue.back();
}

MarkingNotification* RegisterMarking::Find(int number)
{
    auto it = std::find_if(Queue.begin(), Queue.end(), [number](const MarkingNotification& n) { return n.Number == number; });
    return it == Queue.end() ? nullptr : &*it;
}

bool RegisterMarking::SpoilCRC(int number)
{
    MarkingNotification* n = Find(number);
    if (!n)
        return false;
    n->Data[2] = char(n->Data[2] ^ 0x5A);
    return true;
}

void RegisterMarking::BeginRead()
{
    FReading = true;
    FReadIndex = 0;
    FReadOffset = 0;
}

bool RegisterMarking::NextBlock(MarkingNotification& from, int& offset, QByteArray& block)
{
    if (FReadIndex >= Queue.size())
        return false;
    from = Queue[FReadIndex];
    offset = FReadOffset;
    block = from.Data.mid(FReadOffset, std::max(BlockSize, 0));
    FReadOffset += int(block.size());
    if (FReadOffset >= from.Data.size()) {
        ++FReadIndex;
        FReadOffset = 0;
    }
    return true;
}

std::int32_t RegisterMarking::Confirm(int number, int checkSum)
{
    auto it = std::find_if(Queue.begin(), Queue.end(), [number](const MarkingNotification& n) { return n.Number == number; });
    if (it == Queue.end())
        return FNError::NoData;
    if (checkSum != NotificationCRC(it->Data))
        return FNError::BadParameter;
    const auto index = std::size_t(it - Queue.begin());
    Queue.erase(it);
    if (index < FReadIndex)
        --FReadIndex;
    else if (index == FReadIndex)
        FReadOffset = 0;
    Sync();
    return 0;
}

void RegisterMarking::ReceiptClosed(const FNDocument& doc)
{
    if (Accepted.empty())
        return;
    // Type 1 (sale), format 2, room for the CRC; the receipt; its codes.
    QByteArray data = QByteArray::fromHex("01020000");
    data += IntToBin(doc.Number, 4) + IntToBin(doc.DateTime.toSecsSinceEpoch(), 4) + IntToBin(qint64(Accepted.size()), 1);
    for (const MarkingCode& code : Accepted)
        data += TagTlv(TagMarkingCode, code.Code) + TagTlv(TagItemStatus, QByteArray(1, char(code.ItemStatus)));
    Accepted.clear();
    QueueNotification(std::move(data));
}

int RegisterMarking::FillPercent() const
{
    qint64 bytes = 0;
    for (const MarkingNotification& n : Queue)
        bytes += n.Data.size();
    return Capacity > 0 ? int(std::min<qint64>(100, bytes * 100 / Capacity)) : 100;
}

int RegisterMarking::StorageSizeClass() const
{
    const int percent = FillPercent();
    return percent < 50 ? 0 : percent < 80 ? 1 : percent < 90 ? 2 : 3;
}

void RegisterMarking::Sync()
{
    RegisterFN& fn = FRegister.Area<RegisterFN>();
    fn.NotificationSize = Queue.empty() ? 0 : int(Queue.front().Data.size());
    if (fn.MarkingFillPercentage >= 0)
        fn.MarkingFillPercentage = FillPercent();
}
