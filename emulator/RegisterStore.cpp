#include "emulator/RegisterStore.h"

#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterBoard.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterFirmware.h"
#include "emulator/RegisterFiscalMemory.h"
#include "emulator/RegisterGraphics.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterPortLock.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterServiceKeys.h"
#include "emulator/RegisterTags.h"
#include "emulator/RegisterTextPrint.h"
#include "emulator/RegisterVintrel.h"
#include "platform/AtomicFile.h"
#include "platform/FileWrite.h"
#include "platform/Notices.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <tuple>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char SnapshotMagic[4] = {'O', 'R', 'V', 'S'};
constexpr char JournalMagic[4] = {'O', 'R', 'V', 'J'};
constexpr char DocumentsMagic[4] = {'O', 'R', 'V', 'D'};
constexpr char IndexMagic[4] = {'O', 'R', 'V', 'I'};
constexpr quint32 FormatVersion = 2;
constexpr qsizetype IdentitySize = 16;
// magic, version, identity, generation, payload length and checksum (a
// snapshot's), the header's own checksum
constexpr qsizetype HeaderSize = 4 + 4 + IdentitySize + 8 + 8 + 4 + 4;
constexpr qsizetype RecordHeader = 4 + 4 + 4;   // length, its complement, checksum
constexpr qsizetype IndexEntrySize = 8 + 4 + 4; // offset, size, checksum
constexpr quint32 LengthCheck = 0xA5C3E1F0;
constexpr qint64 JournalBeforeSnapshot = 4 << 20;
constexpr qint64 MaxStateFile = qint64(256) << 20;   // a snapshot or a journal

// Entries of a snapshot or a journal record.
enum Entry : quint8 { Part = 'P', Documents = 'D', PaperAdded = 'A', PaperReplaced = 'R', DocumentCount = 'N' };

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

template <class T> T Get(QByteArrayView in, qsizetype at)
{
    T value;
    std::memcpy(&value, in.data() + at, sizeof value);
    return value;
}


void WritePart(StateArchive& out, quint8 index, const QByteArray& bytes)
{
    quint8 kind = Part;
    quint32 size = quint32(bytes.size());
    out(kind, index, size);
    out.Raw(const_cast<char*>(bytes.constData()), bytes.size());
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

void WriteCount(StateArchive& out, quint64 base, quint64 count)
{
    quint8 kind = DocumentCount;
    out(kind, base, count);
}

// Applies a snapshot's or a record's entries; false when they do not read.
// A document count goes to `count` (base, count).
bool ApplyEntries(EmulatedRegister& reg, QByteArrayView payload, const std::function<bool(quint64, quint64)>& count)
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
            if (first > docs.size())
                return false;
            docs.resize(first);
            const std::size_t n = in.Count(0);
            for (std::size_t i = 0; i < n && in.Ok(); ++i)
                in(docs.emplace_back());
            break;
        }
        case DocumentCount: {
            quint64 base = 0, n = 0;
            in(base, n);
            if (!in.Ok() || !count(base, n))
                return false;
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

QString StampNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
}
} // namespace

// The header every file of the folder starts with.
struct RegisterStore::Header {
    const char* Magic = nullptr;
    QByteArray Identity;
    quint64 Generation = 0;
    quint64 Length = 0;      // a snapshot's payload
    quint32 PayloadSum = 0;

    QByteArray Bytes() const
    {
        QByteArray out(Magic, 4);
        Put(out, FormatVersion);
        out.append(Identity);
        Put(out, Generation);
        Put(out, Length);
        Put(out, PayloadSum);
        Put(out, Checksum(out));
        return out;
    }
    // Empty, or what is wrong with the bytes as a header of the kind.
    QString Read(QByteArrayView bytes, const char* magic)
    {
        if (bytes.size() < HeaderSize || std::memcmp(bytes.data(), magic, 4) != 0)
            return QStringLiteral("нет заголовка");
        if (Get<quint32>(bytes, HeaderSize - 4) != Checksum(bytes.first(HeaderSize - 4)))
            return QStringLiteral("заголовок повреждён");
        if (const quint32 version = Get<quint32>(bytes, 4); version != FormatVersion)
            return QStringLiteral("неизвестная версия формата %1").arg(version);
        Magic = magic;
        Identity = bytes.sliced(8, IdentitySize).toByteArray();
        Generation = Get<quint64>(bytes, 8 + IdentitySize);
        Length = Get<quint64>(bytes, 16 + IdentitySize);
        PayloadSum = Get<quint32>(bytes, 24 + IdentitySize);
        return {};
    }
};

// A file of the folder, opened without blocking (a FIFO in its place must
// not hang the program) and only when it is a regular file.
class RegisterStore::File {
public:
    enum Status { Ok, Missing, NotRegular, Unreadable };

    static std::unique_ptr<File> Open(const QString& name, bool write, Status& status, int& error)
    {
        const int flags = (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
        const int fd = ::open(QFile::encodeName(name).constData(), flags);
        if (fd < 0) {
            error = errno;
            status = error == ENOENT ? Missing : error == EISDIR ? NotRegular : Unreadable;
            return nullptr;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            status = NotRegular;
            return nullptr;
        }
        status = Ok;
        return std::unique_ptr<File>(new File(fd, st, write));
    }
    ~File() { ::close(FFd); }

    int Fd() const { return FFd; }
    bool Writable() const { return FWritable; }
    quint64 Inode() const { return FInode; }
    qint64 Size() const
    {
        struct stat st {};
        return ::fstat(FFd, &st) == 0 ? qint64(st.st_size) : -1;
    }
    // Exactly `size` bytes from the offset; false when they are not there.
    bool ReadAt(qint64 offset, qint64 size, QByteArray& out) const
    {
        out.resize(size);
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::pread(FFd, out.data() + done, std::size_t(size - done), off_t(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }
    // Errno, or 0.
    int Truncate(qint64 size) const { return ::ftruncate(FFd, off_t(size)) == 0 ? 0 : errno; }

private:
    File(int fd, const struct stat& st, bool write) : FFd(fd), FWritable(write), FInode(quint64(st.st_ino)) {}
    int FFd;
    bool FWritable;
    quint64 FInode;
};

// The files as this store last read or wrote them: a change shows.
struct RegisterStore::Marks {
    quint64 SnapshotInode = 0;
    qint64 SnapshotTime = 0;
};

namespace {
// The snapshot file's inode and modification time (0 when there is none).
std::pair<quint64, qint64> SnapshotMarkOf(const QString& name)
{
    struct stat st {};
    if (::stat(QFile::encodeName(name).constData(), &st) != 0)
        return {0, 0};
    return {quint64(st.st_ino), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// Why a file that is there cannot be opened for reading.
QString ReadProblem(int error)
{
    return error == EACCES || error == EPERM ? QStringLiteral("нет прав на чтение") : SystemErrorText(error);
}
} // namespace

RegisterStore::RegisterStore(QString folder) : FFolder(std::move(folder)), FMarks(std::make_unique<Marks>()) {}

RegisterStore::~RegisterStore() = default;

// Reading ---------------------------------------------------------------------

void RegisterStore::Open(EmulatedRegister& reg)
{
    AttachReader(reg);
    Load(reg, false);
}

QString RegisterStore::Take(EmulatedRegister& reg)
{
    // Nothing changed since this program read or wrote the folder: the
    // journal only grows between snapshots.
    if (FClean && FJournal && FJournal->Writable() && FUnreadable.isEmpty()) {
        const auto [inode, time] = SnapshotMarkOf(SnapshotFile());
        struct stat st {};
        const bool sameJournal = ::stat(QFile::encodeName(JournalFile()).constData(), &st) == 0 &&
                                 quint64(st.st_ino) == FJournal->Inode();
        if (inode == FMarks->SnapshotInode && time == FMarks->SnapshotTime && sameJournal) {
            const qint64 size = FJournal->Size();
            if (size == FJournalEnd)
                return {};
            QByteArray added;
            QString problem;
            // Only records were added (by another program): read them alone.
            if (size > FJournalEnd && FJournal->ReadAt(FJournalEnd, size - FJournalEnd, added)) {
                if (ApplyRecords(reg, added, FJournalEnd, problem) && FJournalEnd == size &&
                    LoadDocuments(true, problem) == Read::Ok) {
                    Settle(reg);
                    return {};
                }
            }
        }
    }
    Load(reg, true);
    return FUnreadable;
}

void RegisterStore::Load(EmulatedRegister& reg, bool writer)
{
    FUnreadable.clear();
    FClean = false;
    FJournal.reset();
    FDocuments.reset();
    FIndex.reset();
    FJournalLost = false;
    QString problem;
    switch (LoadSnapshot(reg, problem)) {
    case Read::Unreadable: Unreadable(QStringLiteral("state.bin"), problem, writer); return;
    case Read::Missing: {
        if (FLoaded)
            Remake(reg);   // the kept state was removed: the register starts afresh
        if (!writer)
            return;
        const bool leftovers = QFile::exists(JournalFile()) || QFile::exists(DocumentsFile()) ||
                               QFile::exists(IndexFile());
        if (leftovers) {
            Damaged(reg, QStringLiteral("нет файла снимка state.bin"), false);
            return;
        }
        FIdentity.clear();
        const QString error = Snapshot(reg);
        if (!error.isEmpty())
            Failed(error);
        FClean = error.isEmpty();
        return;
    }
    case Read::Damaged:
        Remake(reg);
        if (writer)
            Damaged(reg, problem, false);
        return;
    case Read::Ok: break;
    }

    QString journalProblem;
    const Read journal = LoadJournal(reg, writer, journalProblem);
    if (journal == Read::Unreadable) {
        Unreadable(QStringLiteral("journal.bin"), journalProblem, writer);
        return;
    }
    switch (LoadDocuments(writer, problem)) {
    case Read::Unreadable: Unreadable(QStringLiteral("documents.bin"), problem, writer); return;
    case Read::Missing:
    case Read::Damaged:
        Remake(reg);
        if (writer)
            Damaged(reg, problem, false);
        return;
    case Read::Ok: break;
    }
    Settle(reg);
    FLoaded = true;
    if (journal == Read::Damaged) {
        if (writer)
            Damaged(reg, journalProblem, true);
        return;
    }
    if (!writer) {
        // A torn record, a journal of the snapshot before or none: the
        // holder repairs them.
        FClean = journal == Read::Ok && FJournal->Size() == FJournalEnd;
        return;
    }
    // What a kill leaves: a torn last record, documents no record counts, a
    // snapshot whose journal was not yet made.
    int error = 0;
    if (journal == Read::Missing) {
        FJournalLost = true;
        const QString written = WriteFileAtomically(JournalFile(), Header{JournalMagic, FIdentity, FGeneration}.Bytes());
        File::Status status;
        if (written.isEmpty() && (FJournal = File::Open(JournalFile(), true, status, error))) {
            FJournalEnd = HeaderSize;
            FJournalLost = false;
        }
    } else if (FJournal->Size() > FJournalEnd && FJournal->Truncate(FJournalEnd) != 0) {
        FJournalLost = true;
    }
    if (FIndex->Size() > HeaderSize + qint64(FBase + FKept) * IndexEntrySize)
        FIndex->Truncate(HeaderSize + qint64(FBase + FKept) * IndexEntrySize);
    if (FDocuments->Size() > FDocumentsEnd)
        FDocuments->Truncate(FDocumentsEnd);
    Settle(reg);
    FClean = true;
}

// A kept state that is there but cannot be read: never written over, and
// the register cannot be used until it reads (the holder tells the user).
void RegisterStore::Unreadable(const QString& file, const QString& problem, bool writer)
{
    FUnreadable = QStringLiteral("состояние ККТ в папке %1 не читается (%2: %3)").arg(FFolder, file, problem);
    if (writer)
        Report(QStringLiteral("Состояние эмулируемой ККТ в папке %1 не читается (%2: %3). Оно не изменяется; "
                              "ККТ недоступна, пока его нельзя прочитать.")
                   .arg(FFolder, file, problem));
}

// Opens a snapshot or a journal and reads it whole, with its header.
RegisterStore::Read RegisterStore::ReadWhole(const QString& name, const char* magic, bool writer,
                                             std::unique_ptr<File>& file, QByteArray& bytes, Header& header,
                                             QString& problem)
{
    File::Status status;
    int error = 0;
    const QString shortName = QFileInfo(name).fileName();
    file = File::Open(name, writer, status, error);
    switch (status) {
    case File::Missing: return Read::Missing;
    case File::Unreadable: problem = ReadProblem(error); return Read::Unreadable;
    case File::NotRegular: problem = QStringLiteral("%1 — не обычный файл").arg(shortName); return Read::Damaged;
    case File::Ok: break;
    }
    const qint64 size = file->Size();
    if (size > MaxStateFile) {
        problem = QStringLiteral("%1 больше %2 МБ").arg(shortName).arg(MaxStateFile >> 20);
        return Read::Damaged;
    }
    if (!file->ReadAt(0, size, bytes)) {
        problem = SystemErrorText(errno ? errno : EIO);
        return Read::Unreadable;
    }
    if (const QString bad = header.Read(bytes, magic); !bad.isEmpty()) {
        problem = QStringLiteral("%1: %2").arg(shortName, bad);
        return Read::Damaged;
    }
    return Read::Ok;
}

RegisterStore::Read RegisterStore::LoadSnapshot(EmulatedRegister& reg, QString& problem)
{
    std::unique_ptr<File> file;
    QByteArray bytes;
    Header header;
    if (const Read read = ReadWhole(SnapshotFile(), SnapshotMagic, false, file, bytes, header, problem);
        read != Read::Ok)
        return read;
    const QByteArrayView payload = QByteArrayView(bytes).sliced(HeaderSize);
    if (header.Length != quint64(payload.size()) || header.PayloadSum != Checksum(payload)) {
        problem = QStringLiteral("state.bin повреждён");
        return Read::Damaged;
    }
    FBase = FKept = 0;
    bool counted = false;
    const bool applied = ApplyEntries(reg, payload, [&](quint64 base, quint64 count) {
        FBase = base;
        FKept = count;
        counted = true;
        reg.Area<RegisterFN>().Documents.Restore(count);
        return true;
    });
    if (!applied || !counted) {
        problem = QStringLiteral("state.bin не читается как состояние ККТ");
        return Read::Damaged;
    }
    FIdentity = header.Identity;
    FGeneration = header.Generation;
    FSnapshotSize = bytes.size();
    struct stat st {};
    ::fstat(file->Fd(), &st);
    FMarks->SnapshotInode = quint64(st.st_ino);
    FMarks->SnapshotTime = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return Read::Ok;
}

// The journal of the snapshot just read. Missing: none, or one of the
// snapshot before (a kill between the two writes); its records are in the
// snapshot. Damaged: the records before the damage were applied.
RegisterStore::Read RegisterStore::LoadJournal(EmulatedRegister& reg, bool writer, QString& problem)
{
    std::unique_ptr<File> file;
    QByteArray bytes;
    Header header;
    FJournalEnd = HeaderSize;
    if (const Read read = ReadWhole(JournalFile(), JournalMagic, writer, file, bytes, header, problem);
        read != Read::Ok)
        return read;
    if (header.Identity != FIdentity) {
        problem = QStringLiteral("journal.bin другой ККТ");
        return Read::Damaged;
    }
    if (header.Generation + 1 == FGeneration) {
        FJournalEnd = HeaderSize;
        return Read::Missing;
    }
    if (header.Generation != FGeneration) {
        problem = QStringLiteral("journal.bin другого снимка состояния");
        return Read::Damaged;
    }
    FJournal = std::move(file);
    return ApplyRecords(reg, QByteArrayView(bytes).sliced(HeaderSize), HeaderSize, problem) ? Read::Ok : Read::Damaged;
}

// Applies the records in `bytes`, which start at the offset `from` of the
// journal; FJournalEnd is where the last whole one ends. A torn last record
// (shorter than its length) is left out; anything else that does not read
// is damage (false, `problem` says where).
bool RegisterStore::ApplyRecords(EmulatedRegister& reg, QByteArrayView bytes, qint64 from, QString& problem)
{
    qsizetype at = 0;
    FJournalEnd = from;
    while (bytes.size() - at >= RecordHeader) {
        const quint32 length = Get<quint32>(bytes, at);
        const bool lengthRead = Get<quint32>(bytes, at + 4) == (~length ^ LengthCheck);
        if (lengthRead && qint64(length) > bytes.size() - at - RecordHeader)
            return true;   // torn
        const QByteArrayView payload = lengthRead ? bytes.sliced(at + RecordHeader, length) : QByteArrayView();
        if (!lengthRead || Get<quint32>(bytes, at + 8) != Checksum(payload) || !Apply(reg, payload)) {
            problem = QStringLiteral("запись журнала на смещении %1 повреждена").arg(FJournalEnd);
            return false;
        }
        at += RecordHeader + length;
        FJournalEnd = from + at;
    }
    return true;   // whole, or torn in its last record's header
}

bool RegisterStore::Apply(EmulatedRegister& reg, QByteArrayView payload)
{
    return ApplyEntries(reg, payload, [&](quint64 base, quint64 count) {
        FBase = base;
        FKept = count;
        reg.Area<RegisterFN>().Documents.Restore(count);
        return true;
    });
}

// The documents file and its index: this state's, holding every document
// the state counts. Documents past them (a command killed before its
// record) are not counted; FDocumentsEnd is where the next one goes.
RegisterStore::Read RegisterStore::LoadDocuments(bool writer, QString& problem)
{
    for (auto [file, name, magic] : {std::tuple{&FDocuments, DocumentsFile(), DocumentsMagic},
                                     std::tuple{&FIndex, IndexFile(), IndexMagic}}) {
        if (*file && (*file)->Writable() == writer)
            continue;
        File::Status status;
        int error = 0;
        const QString shortName = QFileInfo(name).fileName();
        *file = File::Open(name, writer, status, error);
        switch (status) {
        case File::Missing: problem = QStringLiteral("нет файла %1").arg(shortName); return Read::Missing;
        case File::Unreadable: problem = ReadProblem(error); return Read::Unreadable;
        case File::NotRegular: problem = QStringLiteral("%1 — не обычный файл").arg(shortName); return Read::Damaged;
        case File::Ok: break;
        }
        QByteArray bytes;
        Header header;
        if (!(*file)->ReadAt(0, HeaderSize, bytes) || !header.Read(bytes, magic).isEmpty() ||
            header.Identity != FIdentity) {
            file->reset();
            problem = QStringLiteral("%1 не этой ККТ или повреждён").arg(shortName);
            return Read::Damaged;
        }
    }
    // Every document counted has its entry in the index (so no place in it
    // is out of reach) and lies within the documents file.
    const quint64 total = FBase + FKept;
    const quint64 indexed = quint64(std::max<qint64>(FIndex->Size() - HeaderSize, 0)) / IndexEntrySize;
    qint64 offset = 0;
    quint32 size = 0, sum = 0;
    if (total == 0) {
        FDocumentsEnd = HeaderSize;
    } else if (total >= FBase && total <= indexed && IndexEntry(total - 1, offset, size, sum) &&
               size <= FDocuments->Size() - offset) {
        FDocumentsEnd = offset + size;
    } else {
        problem = QStringLiteral("в documents.bin нет документов после № %1").arg(total);
        return Read::Damaged;
    }
    return Read::Ok;
}

bool RegisterStore::IndexEntry(quint64 global, qint64& offset, quint32& size, quint32& sum)
{
    QByteArray entry;
    if (!FIndex || !FIndex->ReadAt(HeaderSize + qint64(global) * IndexEntrySize, IndexEntrySize, entry))
        return false;
    offset = Get<qint64>(entry, 0);
    size = Get<quint32>(entry, 8);
    sum = Get<quint32>(entry, 12);
    return offset >= HeaderSize;
}

// After reading or writing: documents the OFD confirmed are marked, and what
// the folder holds is what the register holds.
void RegisterStore::Settle(EmulatedRegister& reg)
{
    RegisterFN& fn = reg.Area<RegisterFN>();
    fn.Documents.ForEachHeld([&fn](FNDocument& doc) {
        if (doc.Number <= fn.LastConfirmed)
            doc.OFDTicketReceived = true;
    });
    if (FReads == &fn)
        fn.Documents.Release(FKept);
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
    const auto [inode, time] = SnapshotMarkOf(SnapshotFile());
    FMarks->SnapshotInode = inode;
    FMarks->SnapshotTime = time;
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
    if (index >= FKept || !FDocuments)
        return false;
    qint64 offset = 0;
    quint32 size = 0, sum = 0;
    QByteArray bytes;
    bool read = IndexEntry(FBase + index, offset, size, sum) && FDocuments->ReadAt(offset, size, bytes) &&
                Checksum(bytes) == sum;
    if (read) {
        StateArchive in(bytes);
        in(doc);
        read = in.Ok() && in.AtEnd();
    }
    if (!read) {
        if (!FReadFailed)
            Report(QStringLiteral("Документ ФН %1 эмулируемой ККТ не читается из папки %2: файл документов "
                                  "повреждён.")
                       .arg(index + 1)
                       .arg(FFolder));
        FReadFailed = true;
        return false;
    }
    // The OFD's tickets since it was kept.
    if (doc.Number <= fn.LastConfirmed)
        doc.OFDTicketReceived = true;
    return true;
}

void RegisterStore::Remake(EmulatedRegister& reg)
{
    reg.Remake();
    FReads = nullptr;
    AttachReader(reg);
    FBase = FKept = 0;
    FLoaded = false;
}

// Writing ---------------------------------------------------------------------

// Writes the FN's documents from `first` on at the end of the documents
// file (the FN's first one at `base`); `end` is then where they end. 0 or
// the errno; nothing counts them until a record or a snapshot does.
int RegisterStore::WriteDocuments(RegisterFN& fn, std::size_t first, quint64 base, qint64& end)
{
    end = FDocumentsEnd;
    const std::size_t count = fn.Documents.size();
    if (first >= count)
        return 0;
    QByteArray documents, index;
    for (std::size_t i = first; i < count; ++i) {
        StateArchive out;
        out(fn.Documents[i]);
        const QByteArray& bytes = out.Bytes();
        Put(index, quint64(end + documents.size()));
        Put(index, quint32(bytes.size()));
        Put(index, Checksum(bytes));
        documents.append(bytes);
    }
    if (const int error = WriteAt(FDocuments->Fd(), end, documents))
        return error;
    if (const int error = WriteAt(FIndex->Fd(), HeaderSize + qint64(base + first) * IndexEntrySize, index))
        return error;
    end += documents.size();
    return 0;
}

// A new state: its identity and its empty documents files.
QString RegisterStore::MakeState()
{
    FIdentity.resize(IdentitySize);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(FIdentity.data()),
                                         reinterpret_cast<quint32*>(FIdentity.data() + IdentitySize));
    FGeneration = 0;
    FBase = FKept = 0;
    FResets = -1;   // every document of the FN is to be written
    if (!QDir().mkpath(FFolder))
        return SystemErrorText(errno ? errno : EACCES);
    for (auto [file, name, magic] : {std::tuple{&FDocuments, DocumentsFile(), DocumentsMagic},
                                     std::tuple{&FIndex, IndexFile(), IndexMagic}}) {
        if (const QString error = WriteFileAtomically(name, Header{magic, FIdentity}.Bytes()); !error.isEmpty())
            return error;
        File::Status status;
        int error = 0;
        *file = File::Open(name, true, status, error);
        if (!*file)
            return status == File::NotRegular ? SystemErrorText(EISDIR) : SystemErrorText(error);
    }
    FDocumentsEnd = HeaderSize;
    return {};
}

QString RegisterStore::Commit(EmulatedRegister& reg)
{
    if (!FUnreadable.isEmpty())
        return FUnreadable;
    if (!RegisterPortLock::Held(FFolder) || !FDocuments || !FDocuments->Writable())
        return Failed(QStringLiteral("порт ККТ не занят этой программой"));
    RegisterFN& fn = reg.Area<RegisterFN>();
    const std::size_t count = fn.Documents.size();
    const bool reset = fn.Resets != FResets;
    // A new FN's documents follow the old one's in the file.
    const quint64 base = reset ? FBase + FKept : FBase;
    const std::size_t first = reset ? 0 : std::min<std::size_t>(count, FKept);

    StateArchive out;
    if (reset || count != FKept)
        WriteCount(out, base, count);
    const RegisterPaper& paper = reg.Paper();
    const std::size_t added = std::size_t(paper.Total() - std::min(FPaperTotal, paper.Total()));
    if (paper.Items().size() < FPaperSize || paper.Total() < FPaperTotal)
        WritePaper(out, paper, PaperKept, true);   // taken off the paper
    else if (added > 0)
        WritePaper(out, paper, added, false);
    std::vector<std::pair<std::size_t, QByteArray>> changed;
    const bool tablesChanged = reg.Tables().Changes() != FTableChanges;
    for (std::size_t i = 0; i < PartCount; ++i) {
        if (i == TablesPart && !tablesChanged)
            continue;
        StateArchive part;
        Parts[i].Keep(reg, part);
        if (part.Bytes() != FParts[i]) {
            WritePart(out, quint8(i), part.Bytes());
            changed.emplace_back(i, part.TakeBytes());
        }
    }
    if (out.Length() == 0) {
        FTableChanges = reg.Tables().Changes();
        return {};
    }
    if (FJournalLost || !FJournal) {
        const QString error = Snapshot(reg);
        return error.isEmpty() ? error : Failed(error);
    }

    qint64 end = 0;
    if (const int error = WriteDocuments(fn, first, base, end))
        return Failed(SystemErrorText(error));
    const QByteArray& payload = out.Bytes();
    QByteArray record;
    record.reserve(RecordHeader + payload.size());
    Put(record, quint32(payload.size()));
    Put(record, ~quint32(payload.size()) ^ LengthCheck);
    Put(record, Checksum(payload));
    record.append(payload);
    if (const int error = WriteAt(FJournal->Fd(), FJournalEnd, record)) {
        // A torn record would make the next one unreadable.
        if (FJournal->Truncate(FJournalEnd) != 0)
            FJournalLost = true;
        return Failed(SystemErrorText(error));
    }
    FJournalEnd += record.size();
    FDocumentsEnd = end;
    FBase = base;
    FKept = count;
    FResets = fn.Resets;
    FTableChanges = reg.Tables().Changes();
    FPaperTotal = paper.Total();
    FPaperSize = paper.Items().size();
    for (auto& [i, bytes] : changed)
        FParts[i] = std::move(bytes);
    if (FReads == &fn)
        fn.Documents.Release(count);
    FFailing = false;
    if (FJournalEnd > std::max(JournalBeforeSnapshot, 2 * FSnapshotSize))
        Snapshot(reg);   // kept already: a failed snapshot leaves the journal going
    return {};
}

// Writes the whole state as the new snapshot (the documents not yet in the
// documents file first) and starts the journal over. Empty when the state is
// kept; the caller reports a failure.
QString RegisterStore::Snapshot(EmulatedRegister& reg)
{
    if (FIdentity.isEmpty()) {
        if (const QString error = MakeState(); !error.isEmpty()) {
            FIdentity.clear();
            return error;
        }
    }
    if (!FDocuments || !FDocuments->Writable() || !FIndex || !FIndex->Writable())
        return QStringLiteral("файлы документов ФН не открыты для записи");
    RegisterFN& fn = reg.Area<RegisterFN>();
    const std::size_t count = fn.Documents.size();
    const bool reset = fn.Resets != FResets;
    const quint64 base = reset ? FBase + FKept : FBase;
    const std::size_t first = reset ? 0 : std::min<std::size_t>(count, FKept);
    qint64 end = 0;
    if (const int error = WriteDocuments(fn, first, base, end))
        return SystemErrorText(error);

    StateArchive out;
    WriteParts(out, reg);
    WritePaper(out, reg.Paper(), PaperKept, true);
    WriteCount(out, base, count);
    const QByteArray& payload = out.Bytes();
    Header header{SnapshotMagic, FIdentity, FGeneration + 1, quint64(payload.size()), Checksum(payload)};
    if (const QString error = WriteFileAtomically(SnapshotFile(), header.Bytes() + payload); !error.isEmpty())
        return error;
    // Kept from here on.
    ++FGeneration;
    FSnapshotSize = HeaderSize + payload.size();
    FDocumentsEnd = end;
    FBase = base;
    FKept = count;
    FJournal.reset();
    FJournalLost = true;
    File::Status status;
    int error = 0;
    if (WriteFileAtomically(JournalFile(), Header{JournalMagic, FIdentity, FGeneration}.Bytes()).isEmpty() &&
        (FJournal = File::Open(JournalFile(), true, status, error))) {
        FJournalEnd = HeaderSize;
        FJournalLost = false;
    }
    Settle(reg);
    FLoaded = true;
    FFailing = false;
    return {};
}

QString RegisterStore::Failed(const QString& why)
{
    if (!FFailing)
        Report(QStringLiteral("Изменения эмулируемой ККТ не сохраняются в папку %1: %2. Пока сохранение не "
                              "возобновится, команды, меняющие состояние ККТ, отвечают ошибкой.")
                   .arg(FFolder, why));
    FFailing = true;
    return QStringLiteral("Состояние ККТ не сохранено: %1").arg(why);
}

// Damage ----------------------------------------------------------------------

// Sets the damaged files aside and keeps the register as it now is: what was
// read before the damage in a journal (journalOnly), or its description.
void RegisterStore::Damaged(EmulatedRegister& reg, const QString& problem, bool journalOnly)
{
    QStringList files{SnapshotFile(), JournalFile()};
    if (!journalOnly)
        files << DocumentsFile() << IndexFile();
    FJournal.reset();
    QString aside;
    if (!MoveAside(files, aside)) {
        FUnreadable = QStringLiteral("повреждённое состояние ККТ в папке %1 не удаётся отложить: %2").arg(FFolder, aside);
        Report(QStringLiteral("Состояние эмулируемой ККТ в папке %1 повреждено (%2), и его не удаётся отложить: %3. "
                              "Оно не изменяется; ККТ недоступна.")
                   .arg(FFolder, problem, aside));
        return;
    }
    if (journalOnly) {
        Report(QStringLiteral("Журнал изменений эмулируемой ККТ в папке %1 повреждён (%2). Изменения после "
                              "документа ФН № %3 потеряны; ККТ продолжает работу с прочитанного состояния. "
                              "Повреждённые файлы сохранены: %4.")
                   .arg(FFolder, problem)
                   .arg(reg.Area<RegisterFN>().LastDocumentNumber())
                   .arg(aside));
    } else {
        FDocuments.reset();
        FIndex.reset();
        FIdentity.clear();
        Report(QStringLiteral("Состояние эмулируемой ККТ в папке %1 не читается (%2); оно сохранено: %3. "
                              "ККТ начинает работу заново по описанию стенда.")
                   .arg(FFolder, problem, aside));
    }
    const QString error = Snapshot(reg);
    if (!error.isEmpty())
        Failed(error);
    FClean = error.isEmpty();
}

// Renames the files that exist to <name>.<time>.bad; false (and `aside` says
// why) when one cannot be: then nothing is written over.
bool RegisterStore::MoveAside(const QStringList& files, QString& aside)
{
    const QString stamp = StampNow();
    QStringList moved;
    for (const QString& name : files) {
        struct stat st {};
        if (::lstat(QFile::encodeName(name).constData(), &st) != 0)
            continue;
        QString target = name + QLatin1Char('.') + stamp + QStringLiteral(".bad");
        for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
            target = name + QLatin1Char('.') + stamp + QLatin1Char('-') + QString::number(n) + QStringLiteral(".bad");
        if (::rename(QFile::encodeName(name).constData(), QFile::encodeName(target).constData()) != 0) {
            aside = QStringLiteral("%1: %2").arg(QFileInfo(name).fileName(), SystemErrorText(errno));
            return false;
        }
        moved << QFileInfo(target).fileName();
    }
    aside = moved.join(QStringLiteral(", "));
    PruneAside();
    return true;
}

// Keeps the files of the latest BadKept states moved aside.
void RegisterStore::PruneAside()
{
    static const QRegularExpression name(
        QStringLiteral("^(?:state\\.bin|journal\\.bin|documents\\.bin|documents\\.idx)\\.(\\d{8}-\\d{6}-\\d{3})(?:-\\d+)?\\.bad$"));
    std::map<QString, QStringList, std::greater<>> byStamp;
    for (const QString& file : QDir(FFolder).entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::AllDirs |
                                                       QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = name.match(file);
        if (m.hasMatch())
            byStamp[m.captured(1)] << file;
    }
    int kept = 0;
    for (const auto& [stamp, files] : byStamp) {
        if (++kept <= BadKept)
            continue;
        for (const QString& file : files) {
            const QString path = FFolder + QLatin1Char('/') + file;
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
    }
}

// A notice for the user, shown from the event loop: the register may be
// made in the middle of a driver call or a constructor.
void RegisterStore::Report(const QString& text)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [text] { Notify(text); }, Qt::QueuedConnection);
    else
        Notify(text);
}

quint32 RegisterStore::Checksum(QByteArrayView bytes)
{
    return ::Checksum(bytes);
}

// The whole state as one block ------------------------------------------------

bool RegisterStore::ReadBytes(EmulatedRegister& reg, QByteArrayView bytes)
{
    return ApplyEntries(reg, bytes, [&reg](quint64, quint64 count) {
        if (count > quint64(reg.Area<RegisterFN>().Documents.size()))
            return false;   // only documents held in the block can be counted
        reg.Area<RegisterFN>().Documents.resize(count);
        return true;
    });
}

QByteArray RegisterStore::StateOf(EmulatedRegister& reg)
{
    StateArchive out;
    WriteParts(out, reg);
    RegisterFN& fn = reg.Area<RegisterFN>();
    quint8 kind = Documents;
    quint32 from = 0;
    out(kind, from);
    out.Count(fn.Documents.size());
    for (FNDocument& doc : fn.Documents)
        out(doc);
    WritePaper(out, reg.Paper(), PaperKept, true);
    return out.TakeBytes();
}
