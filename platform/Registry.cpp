#include "platform/Registry.h"

#include "platform/AtomicFile.h"
#include "platform/Exceptions.h"
#include "platform/Hook.h"
#include "platform/KeptFile.h"

#include <QDir>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <QLockFile>
#include <QMutex>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtEndian>
#include <cstring>
#include <numeric>

namespace {
THook<std::function<void()>>& BeforeReplaceHook()
{
    static THook<std::function<void()>> hook;
    return hook;
}

QString Fold(const QString& s)
{
    return s.toCaseFolded();
}

QString Normalize(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

// The last file read or written whole, by the hash of its bytes, with its
// values: the forms of one program each open the registry, the same bytes
// are parsed once, and the values are shared until a form changes them.
struct TParsedFile {
    QString fileName;
    qsizetype size = -1;
    QByteArray hash;
    std::shared_ptr<TRegistry::Hive> hive;
};

QMutex& ParsedFileLock()
{
    static QMutex lock;
    return lock;
}

TParsedFile& ParsedFile()
{
    static TParsedFile parsed;
    return parsed;
}

QByteArray HashOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::shared_ptr<TRegistry::Hive> TakeParsed(const QString& fileName, const QByteArray& bytes)
{
    QMutexLocker locker(&ParsedFileLock());
    const TParsedFile& parsed = ParsedFile();
    if (parsed.fileName != fileName || parsed.size != bytes.size() || parsed.hash != HashOf(bytes))
        return nullptr;
    return parsed.hive;
}

void KeepParsed(const QString& fileName, const QByteArray& bytes, std::shared_ptr<TRegistry::Hive> hive)
{
    QMutexLocker locker(&ParsedFileLock());
    ParsedFile() = {fileName, bytes.size(), HashOf(bytes), std::move(hive)};
}

bool SameValue(const TRegistry::Value& a, const TRegistry::Value& b)
{
    return a.name == b.name && a.type == b.type && a.integer == b.integer && a.text == b.text && a.data == b.data;
}

bool KeyExistsIn(const TRegistry::Hive& hive, const QString& path)
{
    const QString folded = Fold(path);
    if (folded.isEmpty() || hive.count(folded))
        return true;
    auto it = hive.lower_bound(folded + QLatin1Char('\\'));
    return it != hive.end() && it->first.startsWith(folded + QLatin1Char('\\'));
}

// The file: one [key path] line per key, then one line per value, as
//   "PageIndex"=dword:00000003
//   "edtName"="text with \" \\ \n escaped"
//   "Date"=hex:00,00,00,00,20,1F,E6,40
//   "Path"=expand:"%HOME%"
// Lines starting with ";" are comments. Control characters and lone
// surrogates (which UTF-8 cannot carry) are written as \uXXXX.
void AppendQuoted(QString& out, QStringView s)
{
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
                out += c;
                out += s[++i];
            } else if (c.unicode() < 0x20 || c.isSurrogate())
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return u >= '0' && u <= '9' ? u - '0' : u >= 'a' && u <= 'f' ? u - 'a' + 10 : u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
}

// Exactly text.size() hex digits (at most 8).
bool ReadHex(QStringView text, quint32& value)
{
    value = 0;
    for (QChar c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value << 4 | quint32(digit);
    }
    return true;
}

// Reads a quoted text at `pos`; false when it is not one.
bool ReadQuoted(QStringView line, qsizetype& pos, QString& out)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return false;
    out.clear();
    // Most texts have nothing escaped: taken whole.
    const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
    if (close > 0 && !line.sliced(pos + 1, close - pos - 1).contains(QLatin1Char('\\'))) {
        out = line.sliced(pos + 1, close - pos - 1).toString();
        pos = close + 1;
        return true;
    }
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos].unicode()) {
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'u': {
            quint32 code = 0;
            if (pos + 4 >= line.size() || !ReadHex(line.mid(pos + 1, 4), code))
                return false;
            out += QChar(char16_t(code));
            pos += 4;
            break;
        }
        default: out += line[pos]; break;
        }
    }
    return false;
}

// "hex:" data: two-digit bytes separated by commas.
bool ReadBytes(QStringView text, QByteArray& data)
{
    data.clear();
    if (text.isEmpty())
        return true;
    if ((text.size() + 1) % 3 != 0)
        return false;
    data.reserve((text.size() + 1) / 3);
    for (qsizetype i = 0; i < text.size(); i += 3) {
        quint32 byte = 0;
        if (!ReadHex(text.mid(i, 2), byte) || (i + 2 < text.size() && text[i + 2] != QLatin1Char(',')))
            return false;
        data += char(byte);
    }
    return true;
}

// A text with nothing escaped that ends the line (its quote at `from`) is
// taken out of the line itself: a long text is not held twice.
bool TakeText(QString& line, qsizetype from, QString& out)
{
    const qsizetype close = line.indexOf(QLatin1Char('"'), from + 1);
    if (close != line.size() - 1 || QStringView(line).sliced(from + 1, close - from - 1).contains(QLatin1Char('\\')))
        return false;
    line.truncate(close);
    line.remove(0, from + 1);
    out = std::move(line);
    return true;
}

// Reads a value line; the line may be taken for the value's text.
bool ReadValue(QString& line, TRegistry::Value& v)
{
    qsizetype pos = 0;
    if (!ReadQuoted(line, pos, v.name) || pos >= line.size() || line[pos] != QLatin1Char('='))
        return false;
    const QStringView data = QStringView(line).mid(pos + 1);
    if (data.startsWith(QLatin1Char('"'))) {
        v.type = rdString;
        if (TakeText(line, pos + 1, v.text))
            return true;
        qsizetype at = 0;
        return ReadQuoted(data, at, v.text) && at == data.size();
    }
    if (data.startsWith(QLatin1String("expand:"))) {
        v.type = rdExpandString;
        if (TakeText(line, pos + 8, v.text))
            return true;
        qsizetype at = 7;
        return ReadQuoted(data, at, v.text) && at == data.size();
    }
    if (data.startsWith(QLatin1String("dword:"))) {
        v.type = rdInteger;
        quint32 n = 0;
        if (data.size() != 14 || !ReadHex(data.mid(6), n))
            return false;
        v.integer = int32_t(n);
        return true;
    }
    if (data.startsWith(QLatin1String("hex:"))) {
        v.type = rdBinary;
        return ReadBytes(data.mid(4), v.data);
    }
    return false;
}

// The temporary files of writers killed in the middle of a save
// ("<name>.XXXXXX"); called only while holding the lock, so none is in use.
void RemoveStaleTemporaries(const QString& fileName)
{
    const QFileInfo info(fileName);
    QDir dir = info.absoluteDir();
    for (const QString& name : dir.entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden))
        dir.remove(name);
}

// Takes the file's lock, waiting up to 5 s for another writer. A lock file
// with no owner written in it (its writer was killed while making it) is
// stale after a second; QLockFile alone would wait half a minute for it.
bool TakeLock(QLockFile& lock, const QString& lockName)
{
    QElapsedTimer clock;
    clock.start();
    while (!lock.tryLock(100)) {
        if (lock.error() != QLockFile::LockFailedError || clock.elapsed() >= 5000)
            return false;
        qint64 pid = 0;
        QString host, application;
        const QDateTime made = QFileInfo(lockName).lastModified();
        if (!lock.getLockInfo(&pid, &host, &application) && made.isValid()
            && made.msecsTo(QDateTime::currentDateTime()) > 1000)
            lock.removeStaleLockFile();
    }
    return true;
}

void WriteHive(TKeptFile& file, const std::shared_ptr<TRegistry::Hive>& hive)
{
    const QByteArray text = TRegistry::HiveText(*hive);
    QDir().mkpath(QFileInfo(file.FileName()).absolutePath());
    const QString error = file.Write(text, BeforeReplaceHook().Get());
    if (!error.isEmpty()) {
        file.NotifyWriteError(error);
        throw ERegistryException(QStringLiteral("Failed to write registry file '%1': %2").arg(file.FileName(), error));
    }
    KeepParsed(file.FileName(), text, hive);
}
} // namespace

// The first value not before `name`, and whether it has that name.
std::pair<size_t, bool> TRegistry::Values::Position(const QString& name) const
{
    auto it = std::lower_bound(FValues.begin(), FValues.end(), name,
                               [](const Value& v, const QString& n) { return Compare(v.name, n) < 0; });
    return {size_t(it - FValues.begin()), it != FValues.end() && Compare(it->name, name) == 0};
}

// Names under one key share long beginnings: the same code units are skipped
// before letters are folded (from a whole code point on).
int TRegistry::Values::Compare(QStringView a, QStringView b)
{
    qsizetype same = std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first - a.begin();
    if (same > 0 && a[same - 1].isHighSurrogate())
        --same;
    return a.sliced(same).compare(b.sliced(same), Qt::CaseInsensitive);
}

const TRegistry::Value* TRegistry::Values::Find(const QString& name) const
{
    const auto [at, found] = Position(name);
    return found ? &FValues[at] : nullptr;
}

void TRegistry::Values::Set(Value value)
{
    const auto [at, found] = Position(value.name);
    if (found)
        FValues[at] = std::move(value);
    else
        FValues.insert(FValues.begin() + qsizetype(at), std::move(value));
}

bool TRegistry::Values::Remove(const QString& name)
{
    const auto [at, found] = Position(name);
    if (found)
        FValues.erase(FValues.begin() + qsizetype(at));
    return found;
}

void TRegistry::Values::Sort()
{
    const size_t n = FValues.size();
    if (!std::is_sorted(FValues.begin(), FValues.end(), [](const Value& a, const Value& b) { return !Less(b, a); })) {
        // Sorts positions, then moves each value once: no second array of values.
        std::vector<quint32> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return Less(FValues[a], FValues[b]); });
        for (size_t i = 0; i < n; ++i) {
            if (order[i] == i)
                continue;
            Value held = std::move(FValues[i]);
            size_t j = i;
            while (order[j] != i) {
                const size_t k = order[j];
                FValues[j] = std::move(FValues[k]);
                order[j] = quint32(j);
                j = k;
            }
            FValues[j] = std::move(held);
            order[j] = quint32(j);
        }
    }
    // Of equal names the last stays.
    auto out = FValues.begin();
    for (auto it = FValues.begin(); it != FValues.end(); ++it) {
        if (std::next(it) != FValues.end() && !Less(*it, *std::next(it)))
            continue;
        if (out != it)
            *out = std::move(*it);
        ++out;
    }
    FValues.erase(out, FValues.end());
    if (FValues.capacity() - FValues.size() > FValues.size() / 8)
        FValues.shrink_to_fit();
}

int TRegistry::ParseHive(QByteArrayView bytes, Hive& hive, int* firstBad)
{
    hive.clear();
    int bad = 0;
    int lineNo = 0;
    auto skip = [&] {
        if (bad++ == 0 && firstBad)
            *firstBad = lineNo;
    };
    QStringDecoder decoder(QStringDecoder::Utf8);
    Key* key = &hive[QString()];
    bytes = WithoutByteOrderMark(bytes);
    for (qsizetype from = 0; from < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArrayView raw = bytes.sliced(from, end - from);
        from = end + 1;
        ++lineNo;
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.isEmpty() || raw.startsWith(';'))
            continue;
        decoder.resetState();
        QString line = decoder.decode(raw);
        if (decoder.hasError()) {
            skip();
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                key = nullptr;   // its values have no key to go to
                skip();
                continue;
            }
            const QString path = Normalize(line.mid(1, line.size() - 2));
            key = &hive[Fold(path)];
            key->path = path;
            // Room for the lines up to the next key.
            const qsizetype start = std::min(from, bytes.size());
            const qsizetype next = bytes.indexOf("\n[", start);
            key->values.Reserve(bytes.sliced(start, (next < 0 ? bytes.size() : next) - start).count('\n') + 1);
            continue;
        }
        Value value;
        if (!key || !ReadValue(line, value)) {
            skip();
            continue;
        }
        if (value.text.capacity() > value.text.size() + value.text.size() / 4 + 16)
            value.text.squeeze();
        key->values.Append(std::move(value));
    }
    for (auto& [folded, key] : hive)
        key.values.Sort();
    if (hive[QString()].values.empty())
        hive.erase(QString());
    return bad;
}

// The file's text: keys and values sorted by name.
QByteArray TRegistry::HiveText(const Hive& hive)
{
    QString out;
    out += QLatin1String("; Lumaq registry\n");
    for (const auto& [folded, key] : hive) {
        out += QLatin1Char('[') + key.path + QLatin1String("]\n");
        QList<const Value*> values;
        values.reserve(key.values.size());
        for (const Value& v : key.values)
            values << &v;
        std::sort(values.begin(), values.end(), [](auto* a, auto* b) { return a->name < b->name; });
        for (const Value* v : values) {
            AppendQuoted(out, v->name);
            out += QLatin1Char('=');
            switch (v->type) {
            case rdInteger:
                out += QStringLiteral("dword:%1").arg(quint32(v->integer), 8, 16, QLatin1Char('0'));
                break;
            case rdBinary:
                out += QLatin1String("hex:") + QString::fromLatin1(v->data.toHex(',').toUpper());
                break;
            case rdExpandString:
                out += QLatin1String("expand:");
                AppendQuoted(out, v->text);
                break;
            default:
                AppendQuoted(out, v->text);
                break;
            }
            out += QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

TRegistry::TRegistry() : TRegistry(DefaultFileName()) {}

TRegistry::TRegistry(QString fileName) : FFileName(std::move(fileName)), FFile(FFileName, MaxFileSize) {}

TRegistry::~TRegistry()
{
    try {
        CloseKey();
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

QString TRegistry::DefaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/lumaq/registry.reg");
}

std::function<void()> TRegistry::SetBeforeReplaceHook(std::function<void()> hook)
{
    return BeforeReplaceHook().Set(std::move(hook));
}

void TRegistry::Load()
{
    if (FLoaded)
        return;
    FHive = ReadFile();
    FLoaded = true;
}

// Reads the file. What cannot be read is kept aside and told to the user; a
// file that cannot be read or kept aside is never written over.
std::shared_ptr<TRegistry::Hive> TRegistry::ReadFile()
{
    QByteArray bytes = FFile.Read();
    const QFileInfo info(FFileName);
    FFileTime = info.lastModified();
    FFileSize = info.exists() ? info.size() : -1;
    if (bytes.isEmpty())
        return std::make_shared<Hive>();
    if (auto parsed = TakeParsed(FFileName, bytes))
        return parsed;
    auto hive = std::make_shared<Hive>();
    int firstBad = 0;
    const int bad = ParseHive(bytes, *hive, &firstBad);
    if (bad == 0)
        KeepParsed(FFileName, bytes, hive);
    else
        FFile.Damaged(bytes, bad, firstBad, QStringLiteral("остальные значения восстановлены"));
    return hive;
}

TRegistry::Hive& TRegistry::Edit()
{
    Load();
    if (FHive.use_count() > 1)
        FHive = std::make_shared<Hive>(*FHive);
    return *FHive;
}

QString TRegistry::Resolve(const QString& key) const
{
    if (key.startsWith(QLatin1Char('\\')) || !FOpen || FCurrentPath.isEmpty())
        return Normalize(key);
    return Normalize(FCurrentPath + QLatin1Char('\\') + key);
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    Load();
    const QString path = Resolve(key);
    if (!KeyExistsIn(*FHive, path)) {
        if (!canCreate)
            return false;
        Change change{Change::CreateKey, path, {}};
        Apply(Edit(), change);
        FChanges.push_back(std::move(change));
    }
    auto it = FHive->find(Fold(path));
    FCurrentPath = it != FHive->end() ? it->second.path : path;
    FCurrentFolded = Fold(FCurrentPath);
    FOpen = true;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString& key)
{
    if (!OpenKey(key, false))
        return false;
    FReadOnly = true;
    return true;
}

void TRegistry::CloseKey()
{
    Flush();
    FOpen = false;
    FReadOnly = false;
    FCurrentPath.clear();
    FCurrentFolded.clear();
}

bool TRegistry::KeyExists(const QString& key)
{
    Load();
    return KeyExistsIn(*FHive, Resolve(key));
}

bool TRegistry::DeleteKey(const QString& key)
{
    Load();
    const QString path = Resolve(key);
    if (path.isEmpty() || !KeyExistsIn(*FHive, path))
        return false;
    Change change{Change::RemoveKey, path, {}};
    Apply(Edit(), change);
    FChanges.push_back(std::move(change));
    return true;
}

const TRegistry::Key* TRegistry::Current()
{
    Load();
    auto it = FHive->find(FCurrentFolded);
    return it == FHive->end() ? nullptr : &it->second;
}

const TRegistry::Value* TRegistry::Find(const QString& name)
{
    const Key* key = Current();
    if (!key)
        return nullptr;
    return key->values.Find(name);
}

bool TRegistry::ValueExists(const QString& name)
{
    return Find(name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const QString& name)
{
    const Value* value = Find(name);
    return value ? value->type : rdUnknown;
}

QStringList TRegistry::GetValueNames()
{
    QStringList names;
    if (const Key* key = Current())
        for (const Value& value : key->values)
            names << value.name;
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool TRegistry::DeleteValue(const QString& name)
{
    if (!ValueExists(name))
        return false;
    if (FReadOnly)
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(name));
    Value value;
    value.name = name;
    Change change{Change::RemoveValue, FCurrentPath, std::move(value)};
    Apply(Edit(), change);
    FChanges.push_back(std::move(change));
    return true;
}

const TRegistry::Value& TRegistry::Get(const QString& name, TRegDataType type)
{
    const Value* value = Find(name);
    if (!value)
        throw ERegistryException(QStringLiteral("Failed to get data for '%1'").arg(name));
    const TRegDataType found = value->type == rdExpandString ? rdString : value->type;
    if (found != type)
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
    return *value;
}

int32_t TRegistry::ReadInteger(const QString& name)
{
    return Get(name, rdInteger).integer;
}

bool TRegistry::ReadBool(const QString& name)
{
    return ReadInteger(name) != 0;
}

QString TRegistry::ReadString(const QString& name)
{
    return Get(name, rdString).text;
}

QByteArray TRegistry::ReadBinaryData(const QString& name)
{
    return Get(name, rdBinary).data;
}

double TRegistry::ReadDateTime(const QString& name)
{
    const QByteArray data = ReadBinaryData(name);
    if (data.size() != int(sizeof(double)))
        throw ERegistryException(QStringLiteral("Invalid data type for '%1'").arg(name));
    const quint64 bits = qFromLittleEndian<quint64>(data.constData());
    double value;
    std::memcpy(&value, &bits, sizeof value);
    // 1 January 0001 to 31 December 9999; NaN and infinities are no dates.
    if (!(value >= MinDateTime && value < MaxDateTime))
        throw ERegistryException(QStringLiteral("Invalid date for '%1'").arg(name));
    return value;
}

void TRegistry::Put(Value value)
{
    if (FReadOnly)
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(value.name));
    Load();
    if (const Value* stored = Find(value.name); stored && SameValue(*stored, value))
        return;   // stored as it is: nothing to write
    Key& key = Edit()[FCurrentFolded];
    if (key.path.isEmpty())
        key.path = FCurrentPath;
    key.values.Set(value);
    FChanges.push_back({Change::SetValue, FCurrentPath, std::move(value)});
}

void TRegistry::WriteInteger(const QString& name, int32_t value)
{
    Put({name, rdInteger, value, {}, {}});
}

void TRegistry::WriteBool(const QString& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    Put({name, rdString, 0, value, {}});
}

void TRegistry::WriteBinaryData(const QString& name, const QByteArray& value)
{
    Put({name, rdBinary, 0, {}, value});
}

void TRegistry::WriteDateTime(const QString& name, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray data(sizeof bits, Qt::Uninitialized);
    qToLittleEndian(bits, data.data());
    WriteBinaryData(name, data);
}

void TRegistry::Apply(Hive& hive, const Change& change) const
{
    const QString folded = Fold(change.path);
    switch (change.kind) {
    case Change::CreateKey:
    case Change::SetValue: {
        Key& key = hive[folded];
        if (key.path.isEmpty())
            key.path = change.path;
        if (change.kind == Change::SetValue)
            key.values.Set(change.value);
        break;
    }
    case Change::RemoveValue:
        if (auto it = hive.find(folded); it != hive.end())
            it->second.values.Remove(change.value.name);
        break;
    case Change::RemoveKey:
        for (auto it = hive.begin(); it != hive.end();) {
            if (it->first == folded || it->first.startsWith(folded + QLatin1Char('\\')))
                it = hive.erase(it);
            else
                ++it;
        }
        break;
    }
}

void TRegistry::Flush()
{
    if (FChanges.empty())
        return;
    QDir().mkpath(QFileInfo(FFileName).absolutePath());
    const QString lockName = FFileName + QStringLiteral(".lock");
    QLockFile lock(lockName);
    if (TakeLock(lock, lockName))
        RemoveStaleTemporaries(FFileName);
    QFileInfo info(FFileName);
    if (!FFile.MayWrite() || info.lastModified() != FFileTime || (info.exists() ? info.size() : -1) != FFileSize) {
        // Another writer was here since we read the file (or we could not
        // read it): apply our changes to its version.
        auto hive = ReadFile();
        if (!FFile.MayWrite())
            return;   // the user was told; the changes stay pending
        FHive = std::move(hive);
        for (const Change& change : FChanges)
            Apply(Edit(), change);
    }
    WriteHive(FFile, FHive);
    FChanges.clear();
    info.refresh();
    FFileTime = info.lastModified();
    FFileSize = info.size();
}
