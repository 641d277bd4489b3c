#include "emulator/FNReceiptTags.h"

#include "core/support/CodePage.h"

#include <cmath>

namespace FNReceiptTags {
namespace {
QByteArray Unsigned(quint64 value)
{
    QByteArray bytes;
    do {
        bytes.append(char(value & 0xFF));
        value >>= 8;
    } while (value != 0);
    return bytes;
}

// A quantity as FVLN: the point position, then the digits.
FNTag Quantity(int number, double value)
{
    int point = 0;
    while (point < 6 && std::fabs(value * std::pow(10.0, point) - std::round(value * std::pow(10.0, point))) > 1e-6)
        ++point;
    FNTag tag;
    tag.Number = number;
    tag.Type = 4;
    tag.Value = char(point) + Unsigned(quint64(std::llround(std::fabs(value) * std::pow(10.0, point))));
    return tag;
}

void AddIfNonZero(std::vector<FNTag>& tags, int number, Currency value)
{
    if (value != 0)
        tags.push_back(Amount(number, value));
}

// 1031 cash, 1081 electronic, 1215 prepaid, 1216 postpaid, 1217 counter.
void AddPayments(std::vector<FNTag>& tags, Currency cash, Currency electronic, Currency prepaid, Currency postpaid,
                 Currency counter)
{
    tags.push_back(Amount(1031, cash));
    tags.push_back(Amount(1081, electronic));
    tags.push_back(Amount(1215, prepaid));
    tags.push_back(Amount(1216, postpaid));
    tags.push_back(Amount(1217, counter));
}

// VAT sums 1..6: 1102..1107.
void AddTaxSums(std::vector<FNTag>& tags, const std::array<Currency, 11>& sums)
{
    for (int n = 1; n <= 6; ++n)
        AddIfNonZero(tags, 1101 + n, sums[std::size_t(n)]);
}

FNTag Item(const ReceiptItem& item, std::vector<FNTag> bound)
{
    const FNItemData fn = item.FN.value_or(FNItemData{});
    std::vector<FNTag> tags{Text(1030, item.Text), Amount(1079, item.Price), Quantity(1023, item.Quantity),
                            Amount(1043, item.Amount), Byte(1199, fn.Tax), Byte(1214, fn.PaymentTypeSign),
                            Byte(1212, fn.PaymentItemSign), Byte(2108, fn.MeasureUnit)};
    if (fn.TaxValue)
        tags.push_back(Amount(1200, *fn.TaxValue));
    if (fn.ProductStatus != 0)
        tags.push_back(Byte(2110, fn.ProductStatus));
    if (fn.Denominator > 0)
        tags.push_back(Composite(1291, {Integer(1293, fn.Numerator), Integer(1294, fn.Denominator)}));
    for (FNTag& tag : bound)
        tags.push_back(std::move(tag));
    return Composite(1059, std::move(tags));
}
} // namespace

FNTag Byte(int number, int value)
{
    FNTag tag;
    tag.Number = number;
    tag.Type = 0;
    tag.Value = QByteArray(1, char(value));
    return tag;
}

FNTag Integer(int number, quint64 value)
{
    FNTag tag;
    tag.Number = number;
    tag.Type = 3;
    tag.Value = Unsigned(value);
    return tag;
}

FNTag Amount(int number, Currency value)
{
    return Integer(number, quint64(std::max<Currency>(0, value) / 100));
}

bool IsAmount(int number)
{
    switch (number) {
    case 1020: case 1031: case 1043: case 1079: case 1081: case 1082:
    case 1102: case 1103: case 1104: case 1105: case 1106: case 1107:
    case 1200: case 1215: case 1216: case 1217: case 1229:
        return true;
    default:
        return false;
    }
}

FNTag Text(int number, const QString& value)
{
    FNTag tag;
    tag.Number = number;
    tag.Type = 7;
    tag.Value = WideToOem(value);
    return tag;
}

FNTag Composite(int number, std::vector<FNTag> items)
{
    FNTag tag;
    tag.Number = number;
    tag.Type = 8;
    for (const FNTag& item : items)
        tag.Value += item.Tlv();
    tag.Items = std::move(items);
    return tag;
}

std::vector<FNTag> Receipt(const std::vector<ReceiptItem>& items, const std::vector<FNTag>& sent,
                           const FNClosingData& closing, Currency total, const std::array<Currency, 17>& payments)
{
    std::vector<FNTag> tags;
    if (closing.TaxType != 0)
        tags.push_back(Byte(1055, closing.TaxType));
    std::vector<const ReceiptItem*> registered;
    for (const ReceiptItem& item : items)
        if (item.Op == ReceiptOp::Registration)
            registered.push_back(&item);
    for (std::size_t i = 0; i < registered.size(); ++i) {
        const std::size_t from = registered[i]->TagsBefore;
        const std::size_t to = i + 1 < registered.size() ? registered[i + 1]->TagsBefore : sent.size();
        std::vector<FNTag> bound;
        for (std::size_t t = from; t < to && t < sent.size(); ++t)
            if (sent[t].Operation)
                bound.push_back(sent[t]);
        tags.push_back(Item(*registered[i], std::move(bound)));
    }
    for (const FNTag& tag : sent)
        if (!tag.Operation)
            tags.push_back(tag);
    tags.push_back(Amount(1020, total));
    Currency electronic = 0;
    for (std::size_t n = 2; n <= 13; ++n)
        electronic += payments[n];
    AddPayments(tags, payments[1], electronic, payments[14], payments[15], payments[16]);
    AddTaxSums(tags, closing.TaxValues);
    return tags;
}

std::vector<FNTag> Correction(const CorrectionData& data, const std::vector<FNTag>& sent)
{
    std::vector<FNTag> tags;
    if (data.CorrectionType >= 0)
        tags.push_back(Byte(1173, data.CorrectionType));
    tags.push_back(Byte(1054, data.CalculationSign));
    if (data.TaxType != 0)
        tags.push_back(Byte(1055, data.TaxType));
    tags.insert(tags.end(), sent.begin(), sent.end());
    tags.push_back(Amount(1020, data.Total));
    AddPayments(tags, data.Payments[1], data.Payments[2], data.Payments[3], data.Payments[4], data.Payments[5]);
    AddTaxSums(tags, data.TaxSums);
    return tags;
}
} // namespace FNReceiptTags
