#include "emulator/RegisterFiscalization.h"

#include "core/support/CodePage.h"

namespace {
FNTag Tag(int number, int type, const QByteArray& value)
{
    FNTag tag;
    tag.Number = number;
    tag.Type = type;
    tag.Value = value;
    return tag;
}

QByteArray LittleEndian(quint64 value, int size)
{
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
    return bytes;
}

FNTag ByteTag(int number, int value)
{
    return Tag(number, 0, LittleEndian(quint64(value), 1));
}

FNTag TextTag(int number, const QString& value)
{
    return Tag(number, 7, WideToOem(value));
}

struct TagName {
    int Number;
    const char* Name;
};

// Names as the register prints them; the kind of value follows the tag type.
const TagName TagNames[] = {
    {RegTag::DateTime, "ДАТА, ВРЕМЯ"},
    {RegTag::DocumentNumber, "ФД"},
    {RegTag::FNSerial, "ФН"},
    {RegTag::KKTSerial, "ЗН ККТ"},
    {RegTag::INN, "ИНН"},
    {RegTag::KKTRegistrationNumber, "РН ККТ"},
    {RegTag::INNOFD, "ИНН ОФД"},
    {RegTag::TaxSystems, "СНО"},
    {RegTag::Encryption, "ШФД"},
    {RegTag::Offline, "АВТОНОМН. РЕЖИМ"},
    {RegTag::AutomatMode, "АВТОМАТ. РЕЖИМ"},
    {RegTag::AutomatNumber, "НОМЕР АВТОМАТА"},
    {RegTag::Services, "УСЛУГИ"},
    {RegTag::BSO, "БСО"},
    {RegTag::Internet, "ККТ ДЛЯ ИНТЕРНЕТ"},
    {RegTag::Excise, "ПОДАКЦИЗН. ТОВАРЫ"},
    {RegTag::Gambling, "АЗАРТНЫЕ ИГРЫ"},
    {RegTag::Lottery, "ЛОТЕРЕЯ"},
    {RegTag::AutomatPrinter, "ПРИНТЕР В АВТОМАТЕ"},
    {RegTag::TimeZone, "ЧАСОВАЯ ЗОНА"},
    {RegTag::ReasonCode, "КОД ПРИЧИНЫ ПЕРЕРЕГ."},
    {RegTag::ReasonCodesEx, "КОДЫ ПРИЧИН ИЗМ. СВЕДЕНИЙ О ККТ"},
};

QString NameOf(int number)
{
    for (const TagName& t : TagNames)
        if (t.Number == number)
            return QString::fromUtf8(t.Name);
    return QStringLiteral("ТЕГ %1").arg(number);
}

QString ValueText(const FNTag& tag)
{
    switch (tag.Type) {
    case 6: return QDateTime::fromSecsSinceEpoch(qint64(tag.Integer()), Qt::UTC).toString(QStringLiteral("dd.MM.yy hh:mm"));
    case 7: return tag.Text();
    default: return QString::number(tag.Integer());
    }
}

bool IsRegistration(const FNDocument& doc)
{
    return doc.Type == FNDocType::Registration || doc.Type == FNDocType::Reregistration;
}
} // namespace

std::vector<FNTag> RegistrationTags(const FNDocument& doc, const QString& fnSerial, const FNRegistrationExtra& extra)
{
    const FNRegistration& r = doc.Registration;
    // The FN keeps the register's local time as if it were UTC.
    const QDateTime asUtc(doc.DateTime.date(), doc.DateTime.time(), Qt::UTC);
    std::vector<FNTag> tags = {
        Tag(RegTag::DateTime, 6, LittleEndian(quint64(asUtc.toSecsSinceEpoch()), 4)),
        Tag(RegTag::DocumentNumber, 2, LittleEndian(quint64(doc.Number), 4)),
        TextTag(RegTag::FNSerial, fnSerial),
    };
    if (!extra.KKTSerial.isEmpty())
        tags.push_back(TextTag(RegTag::KKTSerial, extra.KKTSerial));
    tags.push_back(TextTag(RegTag::INN, r.INN));
    tags.push_back(TextTag(RegTag::KKTRegistrationNumber, r.KKTRegistrationNumber));
    if (!r.INNOFD.isEmpty())
        tags.push_back(TextTag(RegTag::INNOFD, r.INNOFD));
    tags.push_back(ByteTag(RegTag::TaxSystems, r.TaxType));
    const int workModeTags[] = {RegTag::Encryption, RegTag::Offline, RegTag::AutomatMode,
                                RegTag::Services,   RegTag::BSO,     RegTag::Internet};
    for (int bit = 0; bit < 6; ++bit)
        if (r.WorkMode & (1 << bit))
            tags.push_back(ByteTag(workModeTags[bit], 1));
    if ((r.WorkMode & 4) && !extra.AutomatNumber.isEmpty())
        tags.push_back(TextTag(RegTag::AutomatNumber, extra.AutomatNumber));
    const int workModeExTags[] = {RegTag::Excise, RegTag::Gambling, RegTag::Lottery, RegTag::AutomatPrinter};
    for (int bit = 0; bit < 4; ++bit)
        if (r.WorkModeEx & (1 << bit))
            tags.push_back(ByteTag(workModeExTags[bit], 1));
    if (extra.TimeZone > 0)
        tags.push_back(ByteTag(RegTag::TimeZone, extra.TimeZone));
    if (doc.Type == FNDocType::Reregistration)
        tags.push_back(ByteTag(RegTag::ReasonCode, r.ReasonCode));
    if (r.ReasonCodeEx != 0)
        tags.push_back(Tag(RegTag::ReasonCodesEx, 2, LittleEndian(r.ReasonCodeEx, 4)));
    return tags;
}

const FNDocument* RegistrationDocument(const RegisterFN& fn, int n)
{
    if (n < 1)
        return nullptr;
    for (const FNDocument& doc : fn.Documents)
        if (IsRegistration(doc) && --n == 0)
            return &doc;
    return nullptr;
}

const FNDocument* LastRegistrationDocument(const RegisterFN& fn)
{
    for (auto it = fn.Documents.rbegin(); it != fn.Documents.rend(); ++it)
        if (IsRegistration(*it))
            return &*it;
    return nullptr;
}

std::vector<FNTag> RegistrationDocumentTags(const RegisterFN& fn, const FNDocument& doc)
{
    return doc.Tags.empty() ? RegistrationTags(doc, fn.Serial, {}) : doc.Tags;
}

const FNTag* FindTag(const std::vector<FNTag>& tags, int number)
{
    for (const FNTag& tag : tags)
        if (tag.Number == number)
            return &tag;
    return nullptr;
}

QStringList RegistrationText(const FNDocument& doc, const std::vector<FNTag>& tags, bool showTagNumbers)
{
    QStringList lines = {doc.Type == FNDocType::Registration ? QStringLiteral("ОТЧЕТ О РЕГИСТРАЦИИ")
                                                             : QStringLiteral("ОТЧЕТ ОБ ИЗМ. ПАРАМЕТРОВ РЕГИСТРАЦИИ")};
    for (const FNTag& tag : tags) {
        QString line = NameOf(tag.Number) + QStringLiteral(": ") + ValueText(tag);
        if (showTagNumbers)
            line.prepend(QStringLiteral("[%1] ").arg(tag.Number));
        lines << line;
    }
    return lines;
}
