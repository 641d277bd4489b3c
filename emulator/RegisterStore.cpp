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

// A checksum of the bytes, eight at a time (a torn or changed record shows).
quint32 Checksum(QByteArrayView bytes)
{
    quint64 h = 0x9E3779B97F4A7C15ULL ^ quint64(bytes.size());
    const char* p = bytes.data();
    qsizetype n = bytes.size();
    for (; n >= 8; p += 8, n -= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 29;
    }
    for (; n > 0; ++p, --n)
        h = (h ^ quint8(*p)) * 0xC4CEB9FE1A85EC53ULL;
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    return quint32(h ^ (h >> 32));
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
// The documents' bytes go on `documents` (Valid turns false when they are
// not the store's whole).
bool Apply(EmulatedRegister& reg, QByteArrayView payload, RegisterStore::DocumentBytes& documents)
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
            auto& docs = reg.Area<RegisterFN>().Documents;
            if (first > docs.size())
                return false;
            if (first == 0)
                documents.Bytes.clear();
            else if (first != docs.size())
                documents.Valid = false;
            docs.resize(first);
            const std::size_t n = in.Count(0);
            if (first == 0)
                docs.reserve(n);   // later records grow the store as it grows
            const qsizetype start = in.Position();
            for (std::size_t i = 0; i < n && in.Ok(); ++i)
                in(docs.emplace_back());
            if (in.Ok())
                documents.Bytes.append(payload.sliced(start, in.Position() - start));
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
    FDocumentBytes = {};
    FDocuments = 0;
    if (!QFile::exists(SnapshotFile()))
        return Read::Missing;
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
    if (length != quint32(payload.size()) || Get<quint32>(bytes, 20) != Checksum(payload) || !Apply(reg, payload, FDocumentBytes)) {
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
        if (!Apply(reg, payload, FDocumentBytes))
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
    for (FNDocument& doc : fn.Documents) {
        if (doc.Number > fn.LastConfirmed)
            break;
        doc.OFDTicketReceived = true;
    }
    if (!FDocumentBytes.Valid) {
        FDocumentBytes.Bytes = DocumentsFrom(fn, 0);
        FDocumentBytes.Valid = true;
    }
    FParts.resize(PartCount);
    for (std::size_t i = 0; i < PartCount; ++i) {
        StateArchive out;
        Parts[i].Keep(reg, out);
        FParts[i] = out.TakeBytes();
    }
    FTableChanges = reg.Tables().Changes();
    FDocuments = fn.Documents.size();
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
}

void RegisterStore::Commit(EmulatedRegister& reg)
{
    StateArchive out;
    RegisterFN& fn = reg.Area<RegisterFN>();
    const std::size_t first = SyncDocuments(fn);
    if (fn.Documents.size() > first)
        WriteDocuments(out, first, fn.Documents.size() - first,
                       FDocumentBytes.Bytes.sliced(FDocumentBytes.Bytes.size() - FAddedBytes));

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
    Append(out.Bytes());
    if (FJournalMark.Size > std::max(MinJournalBeforeSnapshot, 2 * FSnapshotSize))
        Snapshot(reg);
}

// Brings the documents' bytes up to the FN's documents; returns the index
// of the first document added since (FAddedBytes their bytes).
std::size_t RegisterStore::SyncDocuments(RegisterFN& fn)
{
    if (fn.Resets != FResets || fn.Documents.size() < FDocuments || !FDocumentBytes.Valid) {
        FResets = fn.Resets;
        FDocuments = 0;
        FDocumentBytes = {};
    }
    const std::size_t first = FDocuments;
    const QByteArray added = DocumentsFrom(fn, first);
    FDocumentBytes.Bytes.append(added);
    FAddedBytes = added.size();
    FDocuments = fn.Documents.size();
    return first;
}

void RegisterStore::Append(const QByteArray& payload)
{
    if (!FJournal.isOpen())
        return;
    QByteArray record;
    record.reserve(RecordHeader + payload.size());
    Put(record, quint32(payload.size()));
    Put(record, Checksum(payload));
    record.append(payload);
    if (FJournal.write(record) != record.size()) {
        Problem(FJournal.errorString());
        FJournal.close();
        return;
    }
    FJournalMark.Size += record.size();
}

void RegisterStore::Snapshot(EmulatedRegister& reg)
{
    if (FFailed)
        return;
    // The documents as they were kept; the OFD's confirmations come with the FN's part.
    SyncDocuments(reg.Area<RegisterFN>());
    StateArchive out;
    WriteParts(out, reg);
    WriteDocuments(out, 0, reg.Area<RegisterFN>().Documents.size(), FDocumentBytes.Bytes);
    WritePaper(out, reg.Paper(), PaperKept, true);
    const QByteArray& state = out.Bytes();
    QByteArray file(SnapshotMagic, 4);
    Put(file, FormatVersion);
    Put(file, FGeneration + 1);
    Put(file, quint32(state.size()));
    Put(file, Checksum(state));
    file.append(state);
    QDir().mkpath(FFolder);
    const QString error = WriteFileAtomically(SnapshotFile(), file);
    if (!error.isEmpty()) {
        Problem(error);
        return;
    }
    ++FGeneration;
    FSnapshotSize = file.size();
    FSnapshotMark = MarkOf(SnapshotFile());
    Settle(reg);
    OpenJournal(0);
}

bool RegisterStore::ReadBytes(EmulatedRegister& reg, QByteArrayView bytes)
{
    DocumentBytes documents;
    return Apply(reg, bytes, documents);
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
