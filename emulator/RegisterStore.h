#pragma once
// Where a bench register keeps its state between runs: its state folder
// holds a snapshot (state.bin) and a journal of the changes made since
// (journal.bin).
//
// After each register command the register's kept parts are written out
// again and compared with what was kept; the parts that changed, the FN's
// new documents and the newly printed paper go to the journal as one record
// (written straight to the file, so a killed program loses nothing it
// answered). Once the journal outgrows twice the snapshot, a new snapshot is
// written atomically and the journal starts over. Every record carries its
// length and checksum: a half-written last record is dropped on reading.
//
// Documents the files hold are read back from them when asked for: the FN
// keeps only its latest ones in memory (FNDocumentList), and a snapshot
// copies the older ones from the files it replaces.
//
// A snapshot that cannot be read is moved aside with its journal (never
// overwritten), the user is told once, and the register starts from its
// bench description.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class EmulatedRegister;
class RegisterFN;
struct FNDocument;

class RegisterStore {
public:
    explicit RegisterStore(QString folder);

    static constexpr int PaperKept = 4096;   // the latest paper items a snapshot keeps (the print buffer's)

    const QString& Folder() const { return FFolder; }
    QString SnapshotFile() const { return FFolder + QStringLiteral("/state.bin"); }
    QString JournalFile() const { return FFolder + QStringLiteral("/journal.bin"); }

    // Reads the kept state into a register just made from its description,
    // or keeps a register met for the first time as it is. False when the
    // kept state could not be read: it was moved aside and reported, and the
    // caller makes the register afresh and opens again.
    bool Open(EmulatedRegister& reg);
    // Keeps what the last command changed.
    void Commit(EmulatedRegister& reg);
    // Takes what another program kept since this one last wrote or read the
    // folder (a cheap look at the files when nothing changed). False as Open.
    bool Refresh(EmulatedRegister& reg);
    // Writes the whole state as the new snapshot and starts the journal over.
    void Snapshot(EmulatedRegister& reg);
    // The whole kept state as a snapshot holds it.
    static QByteArray StateOf(EmulatedRegister& reg);
    // Reads a snapshot's or a journal record's bytes into the register;
    // false when they do not read (the register may then hold part of them).
    static bool ReadBytes(EmulatedRegister& reg, QByteArrayView bytes);

    // Where a kept document's bytes lie in the folder's files.
    struct Place {
        qint64 Offset = 0;
        quint32 Size = 0;
        bool InJournal = false;
    };
    // The places of the FN's documents, in order; where a snapshot's or a
    // record's bytes begin in their file.
    struct Places {
        std::vector<Place> List;
        qint64 Base = 0;
        bool InJournal = false;
        RegisterFN* Reads = nullptr;  // the FN whose documents may be read back from here
    };

private:
    struct FileMark {
        quint64 Inode = 0;
        qint64 Size = -1;
        qint64 Time = 0;  // modification time, ns
        bool operator==(const FileMark&) const = default;
    };
    static FileMark MarkOf(const QString& fileName);

    enum class Read { Ok, Missing, Bad };
    Read Load(EmulatedRegister& reg, QString& problem);
    bool ApplyJournal(EmulatedRegister& reg, const QByteArray& bytes, qsizetype from, qsizetype& end);
    void Settle(EmulatedRegister& reg);
    void AttachReader(EmulatedRegister& reg);
    bool ReadDocument(RegisterFN& fn, std::size_t index, FNDocument& doc);
    void OpenReaders();
    bool CopyDocuments(std::size_t count, const std::function<bool(QByteArrayView)>& put);
    void OpenJournal(qint64 validSize);
    bool Append(const QByteArray& payload);
    void MoveAside(const QString& problem);
    void Problem(const QString& text);

    QString FFolder;
    QFile FJournal;
    quint64 FGeneration = 0;
    FileMark FSnapshotMark, FJournalMark;
    qint64 FSnapshotSize = 0;
    // What the folder holds of the register.
    std::vector<QByteArray> FParts;
    std::uint64_t FTableChanges = 0;
    Places FPlaces;
    RegisterFN* FReads = nullptr;  // the FN this store reads documents back for
    QFile FSnapshotReader, FJournalReader;
    int FResets = 0;
    std::uint64_t FPaperTotal = 0;
    std::size_t FPaperSize = 0;
    bool FFailed = false;  // a write failed (told once); the register goes on in memory
};
