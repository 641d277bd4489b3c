#include "emulator/RegisterStore.h"

#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterBoard.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterFirmware.h"
#include "emulator/RegisterFiscalMemory.h"
#include "emulator/RegisterGraphics.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterServiceKeys.h"
#include "emulator/RegisterTags.h"
#include "emulator/RegisterTextPrint.h"
#include "emulator/RegisterVintrel.h"
#include "platform/AtomicFile.h"
#include "platform/Notices.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <algorithm>
#include <sys/stat.h>

namespace {
constexpr char SnapshotMagic[4] = {'O', 'R', 'V', 'S'};
constexpr char JournalMagic[4] = {'O', 'R', 'V', 'J'};
constexpr quint32 FormatVersion = 1;
constexpr qsizetype SnapshotHeader = 4 + 4 + 8 + 4 + 4;  // magic, version, generation, length, checksum
constexpr qsizetype JournalHeader = 4 + 4 + 8;           // magic, version, generation
constexpr qsizetype RecordHeader = 4 + 4;                // length, checksum
constexpr qint64 MinJournalBeforeSnapshot = 4 << 20;
constexpr qint64 MaxStateFile = qint64(1) << 31;

// Entries of a snapshot or a journal record.
enum Entry : quint8 { Part = 'P', Documents = 'D', PaperAdded = 'A', PaperReplaced = 'R' };

// The kept parts of a register, in a fixed order (their index is stored).
struct KeptPart {
    const char* Name;
    void (*Keep)(EmulatedRegister&, StateArchive&);
};
template <class T> void KeepArea(EmulatedRegister& r, StateArchive& a)
{
    r.Area<T>().Keep(a);
}
const KeptPart Parts[] = {
    {"core", [](EmulatedRegister& r, StateArchive& a) { r.KeepCore(a); }},
    {"tables", [](EmulatedRegister& r, StateArchive& a) { r.Tables().Keep(a); }},
    {"fn", KeepArea<RegisterFN>},
    {"receipt", KeepArea<RegisterReceipt>},
    {"counters", KeepArea<RegisterCounters>},
    {"fiscal memory", KeepArea<RegisterFiscalMemory>},
    {"firmware", KeepArea<RegisterFirmware>},
    {"marking", KeepArea<RegisterMarking>},
    {"vintrel", KeepArea<RegisterVintrel>},
    {"printer", KeepArea<RegisterPrinter>},
    {"tags", KeepArea<RegisterTags>},
    {"graphics", KeepArea<RegisterGraphics>},
    {"text print", KeepArea<RegisterTextPrint>},
    {"board", KeepArea<RegisterBoard>},
    {"service keys", KeepArea<RegisterServiceKeys>},
};
constexpr std::size_t PartCount = std::size(Parts);
constexpr std::size_t TablesPart = 1;

// A checksum of the bytes, eight at a time (a torn or changed record
// shows), taken in pieces of any size: the bytes' whole size comes first.
class Checksummer {
public:
    explicit Checksummer(qint64 size) : FH(0x9E3779B97F4A7C15ULL ^ quint64(size)) {}
    void Add(QByteArrayView bytes)
    {
        const char* p = bytes.data();
        qsizetype n = bytes.size();
        for (; n > 0 && FPending > 0; ++p, --n)
            Take(*p);
        for (; n >= 8; p += 8, n -= 8)
            Word(p);
        for (; n > 0; ++p, --n)
            Take(*p);
    }
    quint32 Finish()
    {
        for (int i = 0; i < FPending; ++i)
            FH = (FH ^ quint8(FTail[i])) * 0xC4CEB9FE1A85EC53ULL;
        FPending = 0;
        quint64 h = FH;
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDULL;
        h ^= h >> 33;
        return quint32(h ^ (h >> 32));
    }

private:
    void Word(const char* p)
    {
        quint64 w;
        std::memcpy(&w, p, 8);
        FH = (FH ^ w) * 0xFF51AFD7ED558CCDULL;
        FH ^= FH >> 29;
    }
    void Take(char c)
    {
        FTail[FPending++] = c;
        if (FPending == 8) {
            Word(FTail);
            FPending = 0;
        }
    }
    quint64 FH;
    char FTail[8] = {};
    int FPending = 0;
};

quint32 Checksum(QByteArrayView bytes)
{
    Checksummer sum(bytes.size());
    sum.Add(bytes);
    return sum.Finish();
}

template <class T> void Put(QByteArray& out, T value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T> T Get(const QByteArray& in, qsizetype at)
{
    T value;
    std::memcpy(&value, in.constData() + at, sizeof value);
    return value;
}

QByteArray ReadFile(const QString& fileName, bool& ok)
{
    QFile f(fileName);
    ok = f.open(QIODevice::ReadOnly) && f.size() <= MaxStateFile;
    if (!ok)
        return {};
    QByteArray bytes = f.readAll();
    ok = f.error() == QFileDevice::NoError;
    return bytes;
}

void WritePart(StateArchive& out, quint8 index, const QByteArray& bytes)
{
    quint8 kind = Part;
    quint32 size = quint32(bytes.size());
    out(kind, index, size);
    out.Raw(const_cast<char*>(bytes.constData()), bytes.size());
}

// The documents from `from` on, each as Keep writes it.
QByteArray DocumentsFrom(RegisterFN& fn, std::size_t from)
{
    StateArchive out;
    for (std::size_t i = from; i < fn.Documents.size(); ++i)
        out(fn.Documents[i]);
    return out.TakeBytes();
}

void WriteDocuments(StateArchive& out, std::size_t first, std::size_t count, const QByteArray& bytes)
{
    quint8 kind = Documents;
    quint32 from = quint32(first);
    out(kind, from);
    out.Count(count);
    out.Raw(const_cast<char*>(bytes.constData()), std::size_t(bytes.size()));
}

void WritePaper(StateArchive& out, const RegisterPaper& paper, std::size_t count, bool replace)
{
    quint8 kind = replace ? PaperReplaced : PaperAdded;
    quint64 total = paper.Total();
    out(kind, total);
    const auto& items = paper.Items();
    count = std::min(count, items.size());
    out.Count(count);
    for (std::size_t i = items.size() - count; i < items.size(); ++i)
        out(const_cast<PaperItem&>(items[i]));
}

void WriteParts(StateArchive& out, EmulatedRegister& reg)
{
    for (std::size_t i = 0; i < PartCount; ++i) {
        StateArchive part;
        Parts[i].Keep(reg, part);
        WritePart(out, quint8(i), part.Bytes());
    }
}

// Applies a snapshot's or a record's entries; false when they do not read.
// The documents' places go on `places` (when given): the FN may then keep
// only its latest documents.
bool Apply(EmulatedRegister& reg, QByteArrayView payload, RegisterStore::Places* places)
{
    StateArchive in(payload);
    while (in.Ok() && !in.AtEnd()) {
        quint8 kind = 0;
        in(kind);
        switch (kind) {
        case Part: {
            quint8 index = 0;
            quint32 size = 0;
            in(index, size);
            const QByteArrayView bytes = in.Take(size);
            if (!in.Ok() || index >= PartCount)
                return false;
            StateArchive part(bytes);
            Parts[index].Keep(reg, part);
            if (!part.Ok() || !part.AtEnd())
                return false;
            break;
        }
        case Documents: {
            quint32 first = 0;
            in(first);
            FNDocumentList& docs = reg.Area<RegisterFN>().Documents;
            if (first > docs.size() || (places && first > places->List.size()))
                return false;
            docs.resize(first);
            if (places)
                places->List.resize(first);
            const std::size_t n = in.Count(0);
            for (std::size_t i = 0; i < n && in.Ok(); ++i) {
                const qsizetype start = in.Position();
                in(docs.emplace_back());
                if (places) {
                    places->List.push_back({places->Base + start, quint32(in.Position() - start), places->InJournal});
                    if (places->Reads == &reg.Area<RegisterFN>())
                        docs.Release(places->List.size());
                }
            }
            break;
        }
        case PaperAdded:
        case PaperReplaced: {
            quint64 total = 0;
            in(total);
            std::vector<PaperItem> items;
            in(items);
            RegisterPaper& paper = reg.Paper();
            if (kind == PaperReplaced) {
                paper.Restore(std::move(items), total);
            } else {
                for (PaperItem& item : items)
                    paper.Add(std::move(item));
            }
            break;
        }
        default: return false;
        }
    }
    return in.Ok();
}

// A notice for the user, shown from the event loop: the register may be
// made in the middle of a driver call or a constructor.
void Report(const QString& text)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [text] { Notify(text); }, Qt::QueuedConnection);
    else
        Notify(text);
}
} // namespace

RegisterStore::RegisterStore(QString folder) : FFolder(std::move(folder)) {}

RegisterStore::FileMark RegisterStore::MarkOf(const QString& fileName)
{
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return {};
    return {quint64(st.st_ino), qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool RegisterStore::Open(EmulatedRegister& reg)
{
    QDir().mkpath(FFolder);
    AttachReader(reg);
    QString problem;
    switch (Load(reg, problem)) {
    case Read::Ok: return true;
    case Read::Missing: Snapshot(reg); return true;
    case Read::Bad: break;
    }
    MoveAside(problem);
    return false;
}

bool RegisterStore::Refresh(EmulatedRegister& reg)
{
    const FileMark snapshot = MarkOf(SnapshotFile());
    const FileMark journal = MarkOf(JournalFile());
    // The journal only grows between snapshots: its file and size tell.
    if (snapshot == FSnapshotMark && journal.Inode == FJournalMark.Inode && journal.Size == FJournalMark.Size)
        return true;
    QString problem;
    if (snapshot == FSnapshotMark && journal.Inode == FJournalMark.Inode && journal.Size > FJournalMark.Size) {
        // Only records were added: read them alone.
        bool ok = false;
        const QByteArray bytes = ReadFile(JournalFile(), ok);
        qsizetype end = FJournalMark.Size;
        if (ok && ApplyJournal(reg, bytes, FJournalMark.Size, end)) {
            Settle(reg);
            OpenJournal(end);
            return true;
        }
        problem = QStringLiteral("журнал изменений повреждён");
    } else {
        switch (Load(reg, problem)) {
        case Read::Ok: return true;
        case Read::Missing: Snapshot(reg); return true;
        case Read::Bad: break;
        }
    }
    MoveAside(problem);
    return false;
}

RegisterStore::Read RegisterStore::Load(EmulatedRegister& reg, QString& problem)
{
    FJournal.close();
    AttachReader(reg);
    // Without a snapshot the documents are still read from the files open.
    if (!QFile::exists(SnapshotFile()))
        return Read::Missing;
    FPlaces = {};
    FPlaces.Reads = FReads;
    bool ok = false;
    const QByteArray bytes = ReadFile(SnapshotFile(), ok);
    if (!ok) {
        problem = QStringLiteral("файл не читается");
        return Read::Bad;
    }
    if (bytes.size() < SnapshotHeader || !bytes.startsWith(QByteArrayView(SnapshotMagic, 4))) {
        problem = QStringLiteral("это не файл состояния ККТ");
        return Read::Bad;
    }
    if (Get<quint32>(bytes, 4) != FormatVersion) {
        problem = QStringLiteral("неизвестная версия формата %1").arg(Get<quint32>(bytes, 4));
        return Read::Bad;
    }
    const quint64 generation = Get<quint64>(bytes, 8);
    const quint32 length = Get<quint32>(bytes, 16);
    const QByteArrayView payload = QByteArrayView(bytes).sliced(SnapshotHeader);
    FPlaces.Base = SnapshotHeader;
    FPlaces.InJournal = false;
    if (length != quint32(payload.size()) || Get<quint32>(bytes, 20) != Checksum(payload) || !Apply(reg, payload, &FPlaces)) {
        problem = QStringLiteral("файл повреждён");
        return Read::Bad;
    }
    FGeneration = generation;
    FSnapshotSize = bytes.size();
    FSnapshotMark = MarkOf(SnapshotFile());

    // The journal of this snapshot; one of an older snapshot is already in it.
    const QByteArray journal = ReadFile(JournalFile(), ok);
    qsizetype end = 0;
    if (ok && journal.size() >= JournalHeader && journal.startsWith(QByteArrayView(JournalMagic, 4)) &&
        Get<quint32>(journal, 4) == FormatVersion && Get<quint64>(journal, 8) == generation) {
        if (!ApplyJournal(reg, journal, JournalHeader, end)) {
            problem = QStringLiteral("журнал изменений повреждён");
            return Read::Bad;
        }
    }
    Settle(reg);
    OpenJournal(end);
    return Read::Ok;
}

// Applies the records from `from` on; `end` is where the last whole record
// ends (a half-written one after it is dropped). False for a whole record
// that does not read.
bool RegisterStore::ApplyJournal(EmulatedRegister& reg, const QByteArray& bytes, qsizetype from, qsizetype& end)
{
    end = from;
    while (bytes.size() - end >= RecordHeader) {
        const quint32 length = Get<quint32>(bytes, end);
        if (qint64(length) > bytes.size() - end - RecordHeader)
            break;
        const QByteArrayView payload = QByteArrayView(bytes).sliced(end + RecordHeader, length);
        if (Get<quint32>(bytes, end + 4) != Checksum(payload))
            break;
        FPlaces.Base = end + RecordHeader;
        FPlaces.InJournal = true;
        if (!Apply(reg, payload, &FPlaces))
            return false;
        end += RecordHeader + length;
    }
    return true;
}

// After reading: documents the OFD confirmed are marked, and what the folder
// holds is what the register holds.
void RegisterStore::Settle(EmulatedRegister& reg)
{
    RegisterFN& fn = reg.Area<RegisterFN>();
    fn.Documents.ForEachHeld([&fn](FNDocument& doc) {
        if (doc.Number <= fn.LastConfirmed)
            doc.OFDTicketReceived = true;
    });
    if (FReads == &fn)
        fn.Documents.Release(FPlaces.List.size());
    FParts.resize(PartCount);
    for (std::size_t i = 0; i < PartCount; ++i) {
        StateArchive out;
        Parts[i].Keep(reg, out);
        FParts[i] = out.TakeBytes();
    }
    FTableChanges = reg.Tables().Changes();
    FResets = fn.Resets;
    FPaperTotal = reg.Paper().Total();
    FPaperSize = reg.Paper().Items().size();
}

void RegisterStore::OpenJournal(qint64 validSize)
{
    FJournal.close();
    FJournal.setFileName(JournalFile());
    QFile existing(JournalFile());
    if (validSize < JournalHeader) {
        QByteArray header(JournalMagic, 4);
        Put(header, FormatVersion);
        Put(header, FGeneration);
        const QString error = WriteFileAtomically(JournalFile(), header);
        if (!error.isEmpty()) {
            Problem(error);
            return;
        }
        validSize = header.size();
    } else if (existing.size() > validSize) {
        existing.resize(validSize);   // a half-written record
    }
    if (!FJournal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        Problem(FJournal.errorString());
        return;
    }
    FJournalMark = MarkOf(JournalFile());
    OpenReaders();
}

void RegisterStore::OpenReaders()
{
    for (QFile* reader : {&FSnapshotReader, &FJournalReader}) {
        reader->close();
        reader->setFileName(reader == &FSnapshotReader ? SnapshotFile() : JournalFile());
        reader->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
}

void RegisterStore::AttachReader(EmulatedRegister& reg)
{
    // Another store opened on the register (a copy) leaves it to its own.
    RegisterFN& fn = reg.Area<RegisterFN>();
    if (fn.Documents.Bounded())
        return;
    fn.Documents.SetReader([this, &fn](std::size_t index, FNDocument& doc) { return ReadDocument(fn, index, doc); });
    FReads = &fn;
}

bool RegisterStore::ReadDocument(RegisterFN& fn, std::size_t index, FNDocument& doc)
{
    if (index >= FPlaces.List.size())
        return false;
    const Place& place = FPlaces.List[index];
    QFile& file = place.InJournal ? FJournalReader : FSnapshotReader;
    if (!file.isOpen() || !file.seek(place.Offset))
        return false;
    const QByteArray bytes = file.read(place.Size);
    if (bytes.size() != qsizetype(place.Size))
        return false;
    StateArchive in(bytes);
    in(doc);
    if (!in.Ok())
        return false;
    // The OFD's tickets since it was kept.
    if (doc.Number <= fn.LastConfirmed)
        doc.OFDTicketReceived = true;
    return true;
}

// Hands the bytes of the first `count` documents, as the files hold them,
// to `put` (neighbouring ones read together).
bool RegisterStore::CopyDocuments(std::size_t count, const std::function<bool(QByteArrayView)>& put)
{
    constexpr qint64 Chunk = 1 << 20;
    const std::vector<Place>& places = FPlaces.List;
    for (std::size_t i = 0; i < count;) {
        const Place& first = places[i];
        qint64 end = first.Offset + first.Size;
        std::size_t next = i + 1;
        for (; next < count && places[next].InJournal == first.InJournal && places[next].Offset == end &&
               end - first.Offset < Chunk;
             ++next)
            end += places[next].Size;
        QFile& file = first.InJournal ? FJournalReader : FSnapshotReader;
        if (!file.isOpen() || !file.seek(first.Offset))
            return false;
        const QByteArray bytes = file.read(end - first.Offset);
        if (bytes.size() != end - first.Offset || !put(bytes))
            return false;
        i = next;
    }
    return true;
}

void RegisterStore::Commit(EmulatedRegister& reg)
{
    if (!FJournal.isOpen())
        return;   // nothing more is kept (told once)
    StateArchive out;
    RegisterFN& fn = reg.Area<RegisterFN>();
    // The documents added since, or all of them after a reset; their places
    // in the record.
    const std::size_t count = fn.Documents.size();
    const std::size_t first = fn.Resets != FResets ? 0 : std::min(count, FPlaces.List.size());
    FResets = fn.Resets;
    std::vector<Place> placed;
    if (first != FPlaces.List.size() || count > first) {
        quint8 kind = Documents;
        quint32 from = quint32(first);
        out(kind, from);
        out.Count(count - first);
        for (std::size_t i = first; i < count; ++i) {
            const qsizetype start = out.Length();
            out(fn.Documents[i]);
            placed.push_back({start, quint32(out.Length() - start), true});
        }
    }

    const RegisterPaper& paper = reg.Paper();
    const std::size_t added = std::size_t(paper.Total() - std::min(FPaperTotal, paper.Total()));
    if (paper.Items().size() < FPaperSize || paper.Total() < FPaperTotal)
        WritePaper(out, paper, PaperKept, true);   // taken off the paper
    else if (added > 0)
        WritePaper(out, paper, added, false);
    FPaperTotal = paper.Total();
    FPaperSize = paper.Items().size();

    for (std::size_t i = 0; i < PartCount; ++i) {
        if (i == TablesPart) {
            if (reg.Tables().Changes() == FTableChanges)
                continue;
            FTableChanges = reg.Tables().Changes();
        }
        StateArchive part;
        Parts[i].Keep(reg, part);
        if (part.Bytes() != FParts[i]) {
            WritePart(out, quint8(i), part.Bytes());
            FParts[i] = part.TakeBytes();
        }
    }
    if (out.Bytes().isEmpty())
        return;
    const qint64 base = FJournalMark.Size + RecordHeader;
    if (!Append(out.Bytes()))
        return;
    FPlaces.List.resize(first);
    for (Place place : placed) {
        place.Offset += base;
        FPlaces.List.push_back(place);
    }
    if (FReads == &fn)
        fn.Documents.Release(FPlaces.List.size());
    if (FJournalMark.Size > std::max(MinJournalBeforeSnapshot, 2 * FSnapshotSize))
        Snapshot(reg);
}

bool RegisterStore::Append(const QByteArray& payload)
{
    if (!FJournal.isOpen())
        return false;
    QByteArray record;
    record.reserve(RecordHeader + payload.size());
    Put(record, quint32(payload.size()));
    Put(record, Checksum(payload));
    record.append(payload);
    if (FJournal.write(record) != record.size()) {
        Problem(FJournal.errorString());
        FJournal.close();
        return false;
    }
    FJournalMark.Size += record.size();
    return true;
}

void RegisterStore::Snapshot(EmulatedRegister& reg)
{
    if (FFailed)
        return;
    // The documents the files hold are copied from them as they were kept
    // (the OFD's confirmations come with the FN's part); the others are
    // written from the FN.
    RegisterFN& fn = reg.Area<RegisterFN>();
    const std::size_t count = fn.Documents.size();
    const std::size_t placed = fn.Resets == FResets ? std::min(count, FPlaces.List.size()) : 0;
    StateArchive head, rest, tail;
    WriteParts(head, reg);
    quint8 kind = Documents;
    quint32 from = 0;
    head(kind, from);
    head.Count(count);
    Places places;
    places.List.reserve(count);
    qint64 at = SnapshotHeader + head.Length();
    for (std::size_t i = 0; i < placed; ++i) {
        places.List.push_back({at, FPlaces.List[i].Size, false});
        at += FPlaces.List[i].Size;
    }
    for (std::size_t i = placed; i < count; ++i) {
        const qsizetype start = rest.Length();
        rest(fn.Documents[i]);
        places.List.push_back({at, quint32(rest.Length() - start), false});
        at += rest.Length() - start;
    }
    WritePaper(tail, reg.Paper(), PaperKept, true);
    const qint64 length = at - SnapshotHeader + tail.Length();
    const auto state = [&](const std::function<bool(QByteArrayView)>& put) {
        return put(head.Bytes()) && CopyDocuments(placed, put) && put(rest.Bytes()) && put(tail.Bytes());
    };
    Checksummer sum(length);
    if (length > MaxStateFile || !state([&sum](QByteArrayView piece) {
            sum.Add(piece);
            return true;
        })) {
        Problem(QStringLiteral("документы ФН не читаются из файлов состояния"));
        return;
    }
    QByteArray header(SnapshotMagic, 4);
    Put(header, FormatVersion);
    Put(header, FGeneration + 1);
    Put(header, quint32(length));
    Put(header, sum.Finish());
    QDir().mkpath(FFolder);
    const QString error = WriteFileAtomicallyInPieces(SnapshotFile(), [&](const auto& put) {
        return put(header) && state(put);
    });
    if (!error.isEmpty()) {
        Problem(error);
        return;
    }
    ++FGeneration;
    FSnapshotSize = header.size() + length;
    FSnapshotMark = MarkOf(SnapshotFile());
    places.Reads = FReads;
    FPlaces = std::move(places);
    FResets = fn.Resets;
    Settle(reg);
    OpenJournal(0);
}

bool RegisterStore::ReadBytes(EmulatedRegister& reg, QByteArrayView bytes)
{
    return Apply(reg, bytes, nullptr);
}

QByteArray RegisterStore::StateOf(EmulatedRegister& reg)
{
    StateArchive out;
    WriteParts(out, reg);
    RegisterFN& fn = reg.Area<RegisterFN>();
    WriteDocuments(out, 0, fn.Documents.size(), DocumentsFrom(fn, 0));
    WritePaper(out, reg.Paper(), PaperKept, true);
    return out.TakeBytes();
}

void RegisterStore::MoveAside(const QString& problem)
{
    FJournal.close();
    // The register starts afresh: nothing is read back from these files.
    FSnapshotReader.close();
    FJournalReader.close();
    FPlaces = {};
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    QString aside;
    for (const QString& name : {SnapshotFile(), JournalFile()}) {
        if (!QFile::exists(name))
            continue;
        QString target = name + QLatin1Char('.') + stamp + QStringLiteral(".bad");
        for (int n = 2; QFile::exists(target); ++n)
            target = name + QLatin1Char('.') + stamp + QLatin1Char('-') + QString::number(n) + QStringLiteral(".bad");
        if (!QFile::rename(name, target)) {
            FFailed = true;   // never written over
            target = name;
        }
        if (aside.isEmpty())
            aside = target;
    }
    FSnapshotMark = FJournalMark = {};
    FGeneration = 0;
    Report(QStringLiteral("Состояние эмулируемой ККТ в папке %1 не читается (%2); оно сохранено как %3. "
                          "ККТ начинает работу заново по описанию стенда.")
               .arg(FFolder, problem, aside));
}

void RegisterStore::Problem(const QString& text)
{
    if (FFailed)
        return;
    FFailed = true;
    Report(QStringLiteral("Состояние эмулируемой ККТ не сохраняется в папку %1: %2. ККТ работает без сохранения.")
               .arg(FFolder, text));
}
