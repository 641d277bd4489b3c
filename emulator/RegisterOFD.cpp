#include "emulator/RegisterOFD.h"

#include "core/support/BinUtils.h"
#include "core/binding/OrvekCodes.h"
#include "emulator/FNReceiptTags.h"
#include "emulator/RegisterFN.h"

#include <QStringList>
#include <algorithm>

namespace {
// The shortest little-endian bytes of a value (at least one).
QByteArray VLN(quint64 value)
{
    int size = 1;
    while (size < 8 && (value >> (8 * size)) != 0)
        ++size;
    return IntToBin(int64_t(value), size);
}

FNTag Tag(int number, const QByteArray& value)
{
    FNTag tag;
    tag.Number = number;
    tag.Type = 9;
    tag.Value = value;
    return tag;
}

// The document's own tags, in the order the FN keeps them.
std::vector<FNTag> OwnTags(const FNDocument& doc)
{
    std::vector<FNTag> tags;
    tags.push_back(Tag(1040, IntToBin(doc.Number, 4)));
    tags.push_back(Tag(1012, IntToBin(doc.DateTime.toSecsSinceEpoch(), 4)));
    QByteArray sign(2, '\0');
    for (int i = 3; i >= 0; --i)
        sign.append(char((doc.FiscalSign >> (8 * i)) & 0xFF));
    tags.push_back(Tag(1077, sign));
    if (doc.SessionNumber > 0)
        tags.push_back(Tag(1038, IntToBin(doc.SessionNumber, 4)));
    if (doc.IsReceipt()) {
        tags.push_back(Tag(1042, IntToBin(doc.ReceiptNumber, 4)));
        tags.push_back(Tag(1054, IntToBin(doc.OperationType, 1)));
        tags.push_back(Tag(1020, VLN(quint64(doc.Summ / 100))));
    }
    return tags;
}

QString TypeTitle(int type)
{
    switch (type) {
    case FNDocType::Registration: return QStringLiteral("ОТЧЕТ О РЕГИСТРАЦИИ");
    case FNDocType::OpenSession: return QStringLiteral("ОТЧЕТ ОБ ОТКРЫТИИ СМЕНЫ");
    case FNDocType::Receipt: return QStringLiteral("КАССОВЫЙ ЧЕК");
    case FNDocType::BSO: return QStringLiteral("БСО");
    case FNDocType::CloseSession: return QStringLiteral("ОТЧЕТ О ЗАКРЫТИИ СМЕНЫ");
    case FNDocType::CloseFN: return QStringLiteral("ОТЧЕТ О ЗАКРЫТИИ ФН");
    case FNDocType::OperatorConfirmation: return QStringLiteral("ПОДТВЕРЖДЕНИЕ ОПЕРАТОРА");
    case FNDocType::Reregistration: return QStringLiteral("ОТЧЕТ ОБ ИЗМ. ПАРАМЕТРОВ РЕГИСТРАЦИИ");
    case FNDocType::CalculationReport: return QStringLiteral("ОТЧЕТ О ТЕКУЩЕМ СОСТОЯНИИ РАСЧЕТОВ");
    case FNDocType::CorrectionReceipt: return QStringLiteral("КАССОВЫЙ ЧЕК КОРРЕКЦИИ");
    case FNDocType::CorrectionBSO: return QStringLiteral("БСО КОРРЕКЦИИ");
    default: return QStringLiteral("ДОКУМЕНТ");
    }
}

QString TagName(int number)
{
    switch (number) {
    case 1040: return QStringLiteral("ФД");
    case 1012: return QStringLiteral("ДАТА, ВРЕМЯ");
    case 1077: return QStringLiteral("ФП");
    case 1038: return QStringLiteral("СМЕНА");
    case 1042: return QStringLiteral("ЧЕК");
    case 1054: return QStringLiteral("ПРИЗНАК РАСЧЕТА");
    case 1020: return QStringLiteral("ИТОГ");
    case 1008: return QStringLiteral("ТЕЛ. ИЛИ ЭЛ. АДРЕС ПОКУПАТЕЛЯ");
    case 1227: return QStringLiteral("ПОКУПАТЕЛЬ");
    case 1228: return QStringLiteral("ИНН ПОКУПАТЕЛЯ");
    case 1192: return QStringLiteral("ДОП. РЕКВИЗИТ ЧЕКА");
    default: return QStringLiteral("ТЕГ");
    }
}

// Kopecks as roubles with two decimals.
QString AmountText(quint64 kopecks)
{
    return QStringLiteral("%1.%2").arg(kopecks / 100).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

// An FVLN: the point position, then the number's bytes.
QString FVLNText(const FNTag& tag)
{
    if (tag.Value.isEmpty())
        return {};
    FNTag digits;
    digits.Value = tag.Value.mid(1);
    const int point = std::min(int(quint8(tag.Value[0])), 19);
    QString text = QString::number(digits.Integer()).rightJustified(point + 1, QLatin1Char('0'));
    if (point > 0)
        text.insert(text.size() - point, QLatin1Char('.'));
    return text;
}

QString TagValue(const FNDocument& doc, const FNTag& tag)
{
    switch (tag.Number) {
    case 1040:
    case 1038:
    case 1042:
    case 1054: return QString::number(tag.Integer());
    case 1012: return doc.DateTime.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    case 1077: return QString::number(doc.FiscalSign);
    default: break;
    }
    if (FNReceiptTags::IsAmount(tag.Number))
        return AmountText(tag.Integer());
    switch (tag.Type) {
    case OrvekTagType::Byte:
    case OrvekTagType::UInt16:
    case OrvekTagType::UInt32:
    case OrvekTagType::VLN: return QString::number(tag.Integer());
    case OrvekTagType::FVLN:
    case OrvekTagType::FVLNAlias: return FVLNText(tag);
    case OrvekTagType::UnixTime:
        return QDateTime::fromSecsSinceEpoch(qint64(tag.Integer()), Qt::UTC)
            .toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    case OrvekTagType::String: return tag.Text();
    default: return QString::fromLatin1(tag.Value.toHex(' ').toUpper());
    }
}

// The tag's line; a composite's tags follow on lines of their own, indented.
void AddTagLines(QStringList& lines, const FNDocument& doc, const FNTag& tag, bool showTags, const QString& indent)
{
    QString name = TagName(tag.Number);
    if (showTags || name == QStringLiteral("ТЕГ"))
        name += QStringLiteral("(%1)").arg(tag.Number);
    if (tag.Type == OrvekTagType::STLV && !tag.Items.empty()) {
        lines << indent + name + QLatin1Char(':');
        for (const FNTag& item : tag.Items)
            AddTagLines(lines, doc, item, showTags, indent + QStringLiteral("  "));
        return;
    }
    lines << indent + name + QStringLiteral(": ") + TagValue(doc, tag);
}
} // namespace

RegisterOFD::RegisterOFD(EmulatedRegister& reg) : LinkUp(reg.Config().OFDLinkUp), FRegister(reg) {}

TLVParse RegisterOFD::ParseTLV(const QByteArray& data)
{
    TLVParse result;
    auto fail = [&result](int offset, const char* reason) {
        result.Tags.clear();
        result.ErrorOffset = offset;
        result.Error = QString::fromUtf8(reason);
        return result;
    };
    if (data.isEmpty())
        return fail(0, "нет данных");
    int at = 0;
    while (at < data.size()) {
        if (data.size() - at < 4)
            return fail(at, "неполный заголовок тега");
        const int number = quint8(data[at]) | (quint8(data[at + 1]) << 8);
        const int length = quint8(data[at + 2]) | (quint8(data[at + 3]) << 8);
        if (number == 0)
            return fail(at, "номер тега 0");
        if (length > data.size() - at - 4)
            return fail(at, "значение выходит за конец данных");
        result.Tags.push_back(Tag(number, data.mid(at + 4, length)));
        at += 4 + length;
    }
    result.Ok = true;
    return result;
}

QByteArray RegisterOFD::DocumentTLV(const FNDocument& doc)
{
    QByteArray tlv;
    for (const FNTag& tag : OwnTags(doc))
        tlv += tag.Tlv();
    for (const FNTag& tag : doc.Tags)
        tlv += tag.Tlv();
    return tlv;
}

QString RegisterOFD::DocumentText(const FNDocument& doc, bool showTags)
{
    QStringList lines{TypeTitle(doc.Type)};
    std::vector<FNTag> tags = OwnTags(doc);
    tags.insert(tags.end(), doc.Tags.begin(), doc.Tags.end());
    for (const FNTag& tag : tags)
        AddTagLines(lines, doc, tag, showTags, {});
    return lines.join(QStringLiteral("\r\n"));
}

OFDTicket RegisterOFD::Ticket(const FNDocument& doc)
{
    OFDTicket ticket;
    ticket.DateTime = doc.DateTime.addSecs(60);
    for (int i = 0; i < 18; ++i)
        ticket.FiscalSign.append(char(((doc.FiscalSign >> (8 * (i % 4))) ^ quint32(doc.Number * 31 + i)) & 0xFF));
    return ticket;
}

std::int32_t RegisterOFD::RequestDocument(int number, int& type, int& length)
{
    FRequested = false;
    const FNDocument* doc = FRegister.Area<RegisterFN>().Find(number);
    if (!doc)
        return FNError::NoData;
    FReading = DocumentTLV(*doc);
    FReadOffset = 0;
    FNumber = number;
    FRequested = true;
    type = doc->Type;
    length = int(FReading.size());
    return 0;
}

std::int32_t RegisterOFD::NextBlock(int number, QByteArray& block)
{
    int type = 0, length = 0;
    if (!FRequested || FNumber != number)
        if (std::int32_t code = RequestDocument(number, type, length))
            return code;
    if (FReadOffset >= FReading.size()) {
        FRequested = false;
        return FNError::NoData;
    }
    block = FReading.mid(FReadOffset, std::max(1, BlockSize));
    FReadOffset += int(block.size());
    return 0;
}

int RegisterOFD::InfoExchangeStatus() const
{
    int status = StatusBits & ~2;
    if (FRegister.Area<RegisterFN>().UnconfirmedCount() > 0)
        status |= 2;
    return status;
}
