#pragma once
// The current user's registry: keys holding typed values (32-bit integer,
// string, binary), kept in one file under $XDG_CONFIG_HOME.
//
// Key paths are separated by "\"; a path starting with "\" is taken from the
// root, any other from the key open now. Key and value names are compared
// without regard to case. Changes are written when the key is closed (or the
// object destroyed): the file is read again, the changes applied, and the
// result written to a temporary file that then replaces the file, so a crash
// never leaves half a file and another program's changes are kept.
//
// Nothing is lost: a file with lines that cannot be read gives the rest of
// its values and is copied aside first; a file that cannot be read is never
// written over; a failed write leaves the file as it was. Each is told to the
// user (Notify).
#include "platform/KeptFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry {
public:
    TRegistry();                                // the current user's file
    explicit TRegistry(QString fileName);
    ~TRegistry();                               // CloseKey; a failed write is dropped
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // $XDG_CONFIG_HOME/lumaq/registry.reg
    static QString DefaultFileName();
    QString FileName() const { return FFileName; }

    // Opens a key; with canCreate a missing key (and its parents) is made.
    bool OpenKey(const QString& key, bool canCreate);
    bool OpenKeyReadOnly(const QString& key);
    // Writes the pending changes (raises ERegistryException when the file
    // cannot be written; the changes stay pending) and closes the key.
    void CloseKey();
    QString CurrentPath() const { return FCurrentPath; }
    bool KeyExists(const QString& key);
    bool DeleteKey(const QString& key);

    bool ValueExists(const QString& name);
    TRegDataType GetDataType(const QString& name);
    QStringList GetValueNames();
    bool DeleteValue(const QString& name);

    // Readers raise ERegistryException "Invalid data type for '%s'" for a value
    // of another type and "Failed to get data for '%s'" for a missing one.
    int32_t ReadInteger(const QString& name);
    bool ReadBool(const QString& name);
    QString ReadString(const QString& name);
    QByteArray ReadBinaryData(const QString& name);
    // 8 bytes: a little-endian double counting days from 30 December 1899;
    // a value outside the years 1 to 9999 raises "Invalid date for '%s'".
    double ReadDateTime(const QString& name);
    static constexpr double MinDateTime = -693593.0;
    static constexpr double MaxDateTime = 2958466.0;

    void WriteInteger(const QString& name, int32_t value);
    void WriteBool(const QString& name, bool value);
    void WriteString(const QString& name, const QString& value);
    void WriteBinaryData(const QString& name, const QByteArray& value);
    void WriteDateTime(const QString& name, double value);

    // Fault injection for tests: runs after the temporary file is written and
    // before it replaces the file; an exception stops the write there.
    // Returns the hook before (THook).
    static std::function<void()> SetBeforeReplaceHook(std::function<void()> hook);

    struct Value {
        QString name;
        TRegDataType type = rdUnknown;
        int32_t integer = 0;
        QString text;
        QByteArray data;
    };
    // A key's values in one array sorted by name, names compared folded per
    // code point (letters outside the basic plane too): no room per value
    // beyond the value itself.
    class Values {
    public:
        // <0, 0 or >0 as a's name sorts before, with or after b's.
        static int Compare(QStringView a, QStringView b);
        static bool Less(const Value& a, const Value& b) { return Compare(a.name, b.name) < 0; }
        const Value* Find(const QString& name) const;
        // Replaces the value of the same name, or adds it.
        void Set(Value value);
        bool Remove(const QString& name);
        // Adds in any order, for Sort to put in place.
        void Append(Value value) { FValues.push_back(std::move(value)); }
        void Reserve(qsizetype count) { FValues.reserve(FValues.size() + size_t(count)); }
        // Sorts what was appended; of equal names the last appended stays.
        void Sort();
        bool empty() const { return FValues.empty(); }
        size_t size() const { return FValues.size(); }
        auto begin() const { return FValues.begin(); }
        auto end() const { return FValues.end(); }

    private:
        std::pair<size_t, bool> Position(const QString& name) const;
        std::vector<Value> FValues;
    };
    struct Key {
        QString path;
        Values values;
    };
    using Hive = std::map<QString, Key>;   // by folded path

    // The file format, for the loader and the fuzz target. A line that cannot
    // be read is skipped (with the values of a key whose header cannot be
    // read); the number of lines skipped is returned, the first in *firstBad.
    static int ParseHive(QByteArrayView bytes, Hive& hive, int* firstBad = nullptr);
    static QByteArray HiveText(const Hive& hive);

    // A larger file is no registry of ours: it is moved aside unread.
    static constexpr qint64 MaxFileSize = MaxSettingsFileSize;
    // Copies of damaged files kept beside the file ("<name>.<hash or time>.bad").
    static constexpr int MaxBadCopies = TKeptFile::MaxBadCopies;

private:
    struct Change {
        enum Kind { SetValue, RemoveValue, CreateKey, RemoveKey } kind;
        QString path;
        Value value;
    };

    void Load();
    std::shared_ptr<Hive> ReadFile();
    // The hive to change: the one read is shared with the other readers of
    // the same file until the first change.
    Hive& Edit();
    QString Resolve(const QString& key) const;
    const Key* Current();
    const Value* Find(const QString& name);
    const Value& Get(const QString& name, TRegDataType type);
    void Put(Value value);
    void Apply(Hive& hive, const Change& change) const;
    void Flush();

    QString FFileName;
    bool FLoaded = false;
    TKeptFile FFile;
    QDateTime FFileTime;     // the file as last read or written here
    qint64 FFileSize = -1;
    std::shared_ptr<Hive> FHive = std::make_shared<Hive>();
    std::vector<Change> FChanges;
    QString FCurrentPath;
    QString FCurrentFolded;
    bool FOpen = false;
    bool FReadOnly = false;
};
