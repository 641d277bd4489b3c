// FN tags: single tags and composites (STLV) sent to the FN.
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterTags.h"

#include <algorithm>
#include <cmath>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

int MinimalSize(quint64 value)
{
    int size = 1;
    while (size < 8 && (value >> (8 * size)) != 0)
        ++size;
    return size;
}

// Value bytes of a length that TagValueLength gives (minimal when 0); false
// when the value does not fit.
bool SizedValue(quint64 value, int length, QByteArray& bytes)
{
    int size = length > 0 ? length : MinimalSize(value);
    if (size > 8 || MinimalSize(value) > size)
        return false;
    bytes = IntToBin(value, size);
    return true;
}

// The value of the tag the properties describe, as the FN keeps it.
std::int32_t EncodeTag(OrvekCall& c, FNTag& tag)
{
    tag.Number = c.Int(P::TagNumber);
    tag.Type = c.Int(P::TagType);
    if (tag.Number <= 0 || tag.Number > 0xFFFF)
        return OrvekResult::BadParameter;
    int length = c.Int(P::TagValueLength);
    QByteArray bin = WideToAnsi(c.Str(P::TagValueBin));
    switch (tag.Type) {
    case OrvekTagType::Byte: tag.Value = IntToBin(quint32(c.Int(P::TagValueInt)), 1); break;
    case OrvekTagType::UInt16: tag.Value = IntToBin(quint32(c.Int(P::TagValueInt)), 2); break;
    case OrvekTagType::UInt32: tag.Value = IntToBin(quint32(c.Int(P::TagValueInt)), 4); break;
    case OrvekTagType::VLN: {
        QString digits = c.Str(P::TagValueVLN).trimmed();
        if (digits.isEmpty()) {
            tag.Value = bin;
            break;
        }
        bool ok = false;
        quint64 value = digits.toULongLong(&ok);
        if (!ok || !SizedValue(value, length, tag.Value))
            return OrvekResult::BadParameter;
        break;
    }
    case OrvekTagType::FVLNAlias:
    case OrvekTagType::FVLN: {
        double value = c.Dbl(P::TagValueFVLND);
        if (value < 0)
            return OrvekResult::BadParameter;
        int point = 0;
        while (point < 6 && std::fabs(value * std::pow(10.0, point) - std::round(value * std::pow(10.0, point))) > 1e-6)
            ++point;
        QByteArray mantissa;
        if (!SizedValue(quint64(std::llround(value * std::pow(10.0, point))), length > 1 ? length - 1 : 0, mantissa))
            return OrvekResult::BadParameter;
        tag.Value = char(point) + mantissa;
        break;
    }
    case OrvekTagType::BitField:
        if (!bin.isEmpty())
            tag.Value = bin;
        else if (!SizedValue(quint32(c.Int(P::TagValueInt)), length, tag.Value))
            return OrvekResult::BadParameter;
        break;
    case OrvekTagType::UnixTime: {
        QDateTime local = DateTimeToQDateTime(c.Dbl(P::TagValueDateTime));
        // The FN keeps the register's local time as if it were UTC.
        QDateTime asUtc(local.date(), local.time(), Qt::UTC);
        tag.Value = IntToBin(quint64(asUtc.toSecsSinceEpoch()), 4);
        break;
    }
    case OrvekTagType::String: tag.Value = WideToOem(c.Str(P::TagValueStr)); break;
    case OrvekTagType::STLV:
    case OrvekTagType::ByteArray: tag.Value = bin; break;
    default: return OrvekResult::BadParameter;
    }
    c.Request = FNTag(tag).Tlv();
    return OrvekResult::Ok;
}

std::int32_t SendTag(OrvekCall& c, bool operation)
{
    FNTag tag;
    if (std::int32_t code = EncodeTag(c, tag))
        return code;
    tag.Operation = operation;
    return RegisterTags::Send(c.Reg(), std::move(tag));
}

std::int32_t FNSendTag(OrvekCall& c)
{
    return SendTag(c, false);
}

std::int32_t FNSendTagOperation(OrvekCall& c)
{
    return SendTag(c, true);
}

std::int32_t FNBeginSTLVTag(OrvekCall& c)
{
    int number = c.Int(P::TagNumber);
    if (number <= 0 || number > 0xFFFF)
        return OrvekResult::BadParameter;
    FNTag composite;
    composite.Number = number;
    composite.Type = OrvekTagType::STLV;
    c.Reg().Area<RegisterTags>().Composite = composite;
    c.Request += IntToBin(number, 2);
    return OrvekResult::Ok;
}

std::int32_t FNAddTag(OrvekCall& c)
{
    auto& composite = c.Reg().Area<RegisterTags>().Composite;
    if (!composite)
        return FNError::OtherState;
    FNTag tag;
    if (std::int32_t code = EncodeTag(c, tag))
        return code;
    composite->Items.push_back(std::move(tag));
    return OrvekResult::Ok;
}

std::int32_t SendComposite(OrvekCall& c, bool operation)
{
    RegisterTags& tags = c.Reg().Area<RegisterTags>();
    if (!tags.Composite)
        return FNError::OtherState;
    if (tags.Composite->Number != c.Int(P::TagNumber))
        return OrvekResult::BadParameter;
    if (tags.Composite->Items.empty())
        return FNError::BadParameter;
    if (std::int32_t code = RegisterTags::CanSend(c.Reg(), operation))
        return code;
    FNTag composite = std::move(*tags.Composite);
    tags.Composite.reset();
    for (const FNTag& item : composite.Items)
        composite.Value += item.Tlv();
    composite.Operation = operation;
    c.Request = composite.Tlv();
    return RegisterTags::Send(c.Reg(), std::move(composite));
}

std::int32_t FNSendSTLVTag(OrvekCall& c)
{
    return SendComposite(c, false);
}

std::int32_t FNSendSTLVTagOperation(OrvekCall& c)
{
    return SendComposite(c, true);
}

// The TLV of the tag the properties describe, or of the open composite with
// its tags when TagNumber names it, in TLVData and TLVDataHex; nothing is sent.
std::int32_t GetTagAsTLV(OrvekCall& c)
{
    const auto& composite = c.Reg().Area<RegisterTags>().Composite;
    FNTag tag;
    if (composite && composite->Number == c.Int(P::TagNumber)) {
        tag = *composite;
        for (const FNTag& item : composite->Items)
            tag.Value += item.Tlv();
    } else if (std::int32_t code = EncodeTag(c, tag)) {
        return code;
    }
    const QByteArray tlv = tag.Tlv();
    c.Set(P::TLVData, AnsiToWide(tlv));
    c.Set(P::TLVDataHex, QString::fromLatin1(tlv.toHex().toUpper()));
    return OrvekResult::Ok;
}
} // namespace

std::int32_t RegisterTags::CanSend(EmulatedRegister& reg, bool operation)
{
    if (reg.Area<RegisterFN>().CurrentDocument == FNOpenDoc::None)
        return FNError::OtherState;
    if (operation) {
        const RegisterReceipt& receipt = reg.Area<RegisterReceipt>();
        const auto& items = receipt.Items();
        if (!receipt.IsOpen() || std::none_of(items.begin(), items.end(), [](const ReceiptItem& item) {
                return item.Op == ReceiptOp::Registration;
            }))
            return FNError::OtherState;
    }
    return OrvekResult::Ok;
}

std::int32_t RegisterTags::Send(EmulatedRegister& reg, FNTag tag)
{
    if (std::int32_t code = CanSend(reg, tag.Operation))
        return code;
    reg.Area<RegisterFN>().DocumentData = true;
    reg.Area<RegisterTags>().Sent.push_back(std::move(tag));
    return OrvekResult::Ok;
}

QByteArray TagTlv(int Number, const QByteArray& Value)
{
    return IntToBin(Number, 2) + IntToBin(Value.size(), 2) + Value;
}

QByteArray FNTag::Tlv() const
{
    return TagTlv(Number, Value);
}

QString FNTag::Text() const
{
    return OemToWide(Value);
}

quint64 FNTag::Integer() const
{
    quint64 value = 0;
    for (int i = std::min<int>(int(Value.size()), 8) - 1; i >= 0; --i)
        value = (value << 8) | quint8(Value[i]);
    return value;
}

void AddTagHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNSendTag, OrvekAccess::Device, 0xFF0C, &FNSendTag);
    t.Add(M::FNSendTagOperation, OrvekAccess::Device, 0xFF4D, &FNSendTagOperation);
    t.Add(M::FNBeginSTLVTag, OrvekAccess::Device, 0xFF0C, &FNBeginSTLVTag);
    t.Add(M::FNAddTag, OrvekAccess::Device, 0xFF0C, &FNAddTag);
    t.Add(M::FNSendSTLVTag, OrvekAccess::Device, 0xFF0C, &FNSendSTLVTag);
    t.Add(M::FNSendSTLVTagOperation, OrvekAccess::Device, 0xFF4D, &FNSendSTLVTagOperation);
    t.Add(M::GetTagAsTLV, OrvekAccess::Device, 0xFF0C, &GetTagAsTLV);
}
