#pragma once
// Where a bench register keeps its state between runs. Its state folder
// holds:
//   state.bin      a snapshot of the register (every kept part, the paper,
//                  how many FN documents there are);
//   journal.bin    the changes since the snapshot, one record per command
//                  that changed something;
//   documents.bin  the FN's documents, appended as they come, never rewritten;
//   documents.idx  where each of them lies, 16 bytes a document.
// Every file starts with one header: the state's identity (made when the
// state is first kept), the snapshot's generation and a checksum of the
// header. Records and documents carry their own checksums.
//
// One writer: only the program that holds the register's port
// (RegisterPortLock) writes any of these files. Any other program reads a
// consistent state (the snapshot, the journal's whole records, the documents
// they count) and changes nothing: documents are only appended, a snapshot
// and a fresh journal replace their files whole.
//
// Nothing is answered before it is kept: Commit writes the documents, then
// the record, and says why when it could not; the caller answers an error.
// The next Commit keeps what was not kept (a whole snapshot when the journal
// was lost).
//
// Only a torn last record (a kill in the middle of a write) is dropped
// quietly. Any other damage, a state of another register or a file that is
// not a regular file is moved aside byte for byte (<name>.<time>.bad, the
// latest five kept) and reported once: a damaged journal loses the changes
// after it (the register goes on from what was read), a damaged snapshot or
// documents file the whole state (the register starts from its
// description). A state that exists but cannot be read is never written
// over: the register cannot be reached until it can (Take says why).
//
// The FN keeps only its latest documents in memory (FNDocumentList); older
// ones are read back from the documents file when asked for, so opening a
// register costs the same however many documents it holds.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class EmulatedRegister;
class RegisterFN;
struct FNDocument;

class RegisterStore {
public:
    explicit RegisterStore(QString folder);
    ~RegisterStore();

    static constexpr int PaperKept = 4096;   // the latest paper items a snapshot keeps (the print buffer's)
    static constexpr int BadKept = 5;        // the latest states moved aside that are kept

    const QString& Folder() const { return FFolder; }
    QString SnapshotFile() const { return FFolder + QStringLiteral("/state.bin"); }
    QString JournalFile() const { return FFolder + QStringLiteral("/journal.bin"); }
    QString DocumentsFile() const { return FFolder + QStringLiteral("/documents.bin"); }
    QString IndexFile() const { return FFolder + QStringLiteral("/documents.idx"); }

    // Reads the kept state into a register just made from its description;
    // writes nothing. A register with no kept state stays as it is.
    void Open(EmulatedRegister& reg);
    // With the register's port held: takes what was kept since the last
    // read, repairs what a kill left, sets damage aside (reported), keeps a
    // register met for the first time. Empty, or why the register cannot be
    // used (its kept state cannot be read).
    QString Take(EmulatedRegister& reg);
    // Keeps what the last command changed. Empty when it is kept (or nothing
    // changed), else why not, in Russian (the user is told once).
    QString Commit(EmulatedRegister& reg);

    // The whole kept state as one block (tests compare registers by it).
    static QByteArray StateOf(EmulatedRegister& reg);
    // Reads such a block, a snapshot's payload or a record's into the
    // register; false when they do not read (the register may then hold
    // part of them).
    static bool ReadBytes(EmulatedRegister& reg, QByteArrayView bytes);
    // The checksum of the headers, records and documents of the files.
    static quint32 Checksum(QByteArrayView bytes);

private:
    class File;
    struct Header;
    struct Marks;
    enum class Read { Ok, Missing, Damaged, Unreadable };

    void Load(EmulatedRegister& reg, bool writer);
    Read ReadWhole(const QString& name, const char* magic, bool writer, std::unique_ptr<File>& file,
                   QByteArray& bytes, Header& header, QString& problem);
    Read LoadSnapshot(EmulatedRegister& reg, QString& problem);
    Read LoadJournal(EmulatedRegister& reg, bool writer, QString& problem);
    Read LoadDocuments(bool writer, QString& problem);
    bool ApplyRecords(EmulatedRegister& reg, QByteArrayView bytes, qint64 from, QString& problem);
    bool Apply(EmulatedRegister& reg, QByteArrayView payload);
    void Settle(EmulatedRegister& reg);
    void AttachReader(EmulatedRegister& reg);
    bool ReadDocument(RegisterFN& fn, std::size_t index, FNDocument& doc);
    bool IndexEntry(quint64 global, qint64& offset, quint32& size, quint32& sum);
    void Remake(EmulatedRegister& reg);
    void Unreadable(const QString& file, const QString& problem, bool writer);

    QString Snapshot(EmulatedRegister& reg);
    int WriteDocuments(RegisterFN& fn, std::size_t first, quint64 base, qint64& end);
    QString MakeState();
    QString Failed(const QString& why);
    bool MoveAside(const QStringList& files, QString& aside);
    void PruneAside();
    void Damaged(EmulatedRegister& reg, const QString& problem, bool journalOnly);
    void Report(const QString& text);

    QString FFolder;
    std::unique_ptr<File> FJournal, FDocuments, FIndex;
    std::unique_ptr<Marks> FMarks;      // the files as last read or written
    QByteArray FIdentity;               // empty: nothing kept yet
    quint64 FGeneration = 0;
    qint64 FJournalEnd = 0;             // where the next record goes
    bool FJournalLost = false;          // the next change goes to a new snapshot
    qint64 FSnapshotSize = 0;
    // The FN's documents: the first one's place in the documents file (a
    // new FN starts after the old one's), how many are kept, where the next
    // one goes.
    quint64 FBase = 0;
    quint64 FKept = 0;
    qint64 FDocumentsEnd = 0;
    // What the folder holds of the register, to see what a command changed.
    std::vector<QByteArray> FParts;
    std::uint64_t FTableChanges = 0;
    int FResets = 0;
    std::uint64_t FPaperTotal = 0;
    std::size_t FPaperSize = 0;

    RegisterFN* FReads = nullptr;       // the FN this store reads documents back for
    bool FClean = false;                // the last read found nothing for a writer to do
    bool FLoaded = false;               // a kept state was read into the register
    QString FUnreadable;                // why the kept state cannot be read
    bool FFailing = false;              // keeping fails (told once until it works again)
    bool FReadFailed = false;           // a document did not read back (told once)
};
