#include "emulator/RegisterArchive.h"

#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "platform/AtomicFile.h"

#include <algorithm>

namespace {
// The product code of an item (FFD 1.05).
constexpr int TagProductCode = 1162;

void AppendLE(QByteArray& data, quint64 value, int size)
{
    for (int i = 0; i < size; ++i)
        data.append(char((value >> (8 * i)) & 0xFF));
}

bool HasProductCode(const FNDocument& doc)
{
    return std::any_of(doc.Tags.begin(), doc.Tags.end(), [](const FNTag& t) { return t.Number == TagProductCode; });
}
} // namespace

void RegisterArchive::Begin()
{
    Reading = true;
    Read.clear();
}

std::int32_t RegisterArchive::ReadItem(int number)
{
    if (!Reading)
        return FNError::OtherState;
    if (!FRegister.Area<RegisterFN>().Find(number))
        return FNError::NoData;
    Read.push_back(number);
    return OrvekResult::Ok;
}

std::vector<FNDocument> RegisterArchive::Documents(bool markingOnly) const
{
    RegisterFN& fn = FRegister.Area<RegisterFN>();
    std::vector<FNDocument> docs;   // copies: documents read back from the store do not stay
    for (int number : Read) {
        const FNDocument* doc = fn.Find(number);
        if (doc && (!markingOnly || (doc->IsReceipt() && HasProductCode(*doc))))
            docs.push_back(*doc);
    }
    return docs;
}

QByteArray RegisterArchive::Contents(int format, bool markingOnly) const
{
    const std::vector<FNDocument> docs = Documents(markingOnly);
    const QString serial = FRegister.Area<RegisterFN>().Serial;
    QByteArray data;
    if (format == FNArchiveFormat::Text) {
        QString text = QStringLiteral("ФН %1, документов: %2\r\n").arg(serial).arg(docs.size());
        for (const FNDocument& doc : docs)
            text += QStringLiteral("ФД %1; тип %2; %3; ФП %4; сумма %5\r\n")
                        .arg(doc.Number)
                        .arg(doc.Type)
                        .arg(doc.DateTime.toString(QStringLiteral("dd.MM.yyyy HH:mm")))
                        .arg(doc.FiscalSign)
                        .arg(double(doc.Summ) / 10000, 0, 'f', 2);
        return WideToAnsi(text);
    }
    // The FN serial, the count, then per document: number, type, time,
    // fiscal sign and its TLV data with its length.
    data += serial.toLatin1().leftJustified(16, ' ', true);
    AppendLE(data, docs.size(), 4);
    for (const FNDocument& doc : docs) {
        QByteArray tlv;
        for (const FNTag& tag : doc.Tags)
            tlv += tag.Tlv();
        AppendLE(data, quint32(doc.Number), 4);
        AppendLE(data, quint32(doc.Type), 1);
        AppendLE(data, quint64(doc.DateTime.toSecsSinceEpoch()), 4);
        AppendLE(data, doc.FiscalSign, 4);
        AppendLE(data, quint64(tlv.size()), 4);
        data += tlv;
    }
    return data;
}

std::int32_t RegisterArchive::Save(const QString& fileName, int format, bool markingOnly)
{
    if (!Reading || Read.empty())
        return FNError::OtherState;
    if ((format != FNArchiveFormat::Crpt && format != FNArchiveFormat::Text) || fileName.isEmpty())
        return OrvekResult::BadParameter;
    if (!WriteFileAtomically(fileName, Contents(format, markingOnly)).isEmpty())
        return OrvekResult::FileError;
    SavedFile = fileName;
    return OrvekResult::Ok;
}
