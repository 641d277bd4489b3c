#include "platform/Registry.h"

#include "platform/Exceptions.h"
#include "platform/Hook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringTokenizer>
#include <algorithm>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
#include <cstring>

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
// Lines starting with ";" are comments.
void AppendQuoted(QString& out, QStringView s)
{
    out += QLatin1Char('"');
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
}

// Reads a quoted text at `pos`; false when it is not one.
bool ReadQuoted(QStringView line, qsizetype& pos, QString& out)
{
    if (pos >= line.size() || line[pos] != QLatin1Char('"'))
        return false;
    out.clear();
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
            bool ok = false;
            const uint code = line.mid(pos + 1, 4).toUInt(&ok, 16);
            if (!ok || pos + 4 >= line.size())
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

// Eight hex digits.
bool ReadHex32(QStringView text, int32_t& value)
{
    if (text.size() != 8)
        return false;
    quint32 n = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const int digit = u >= '0' && u <= '9' ? u - '0'
                        : u >= 'a' && u <= 'f' ? u - 'a' + 10
                        : u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
        if (digit < 0)
            return false;
        n = n << 4 | quint32(digit);
    }
    value = int32_t(n);
    return true;
}

bool ReadValue(QStringView line, TRegistry::Value& v)
{
    qsizetype pos = 0;
    if (!ReadQuoted(line, pos, v.name) || pos >= line.size() || line[pos] != QLatin1Char('='))
        return false;
    const QStringView data = line.mid(pos + 1);
    if (data.startsWith(QLatin1Char('"'))) {
        v.type = rdString;
        qsizetype at = 0;
        return ReadQuoted(data, at, v.text) && at == data.size();
    }
    if (data.startsWith(QLatin1String("expand:"))) {
        v.type = rdExpandString;
        qsizetype at = 7;
        return ReadQuoted(data, at, v.text) && at == data.size();
    }
    if (data.startsWith(QLatin1String("dword:"))) {
        v.type = rdInteger;
        return ReadHex32(data.mid(6), v.integer);
    }
    if (data.startsWith(QLatin1String("hex:"))) {
        v.type = rdBinary;
        const QByteArray hex = data.mid(4).toLatin1();
        v.data = QByteArray::fromHex(hex);
        return v.data.size() == (hex.size() + 1) / 3;
    }
    return false;
}

// Reads the file; false when it exists but cannot be understood.
bool ReadHive(const QString& fileName, TRegistry::Hive& hive)
{
    hive.clear();
    QFile f(fileName);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(f.readAll());
    const qsizetype lines = text.count(QLatin1Char('\n'));
    TRegistry::Key* key = &hive[QString()];
    for (QStringView line : QStringTokenizer(text, QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return false;
            const QString path = Normalize(line.mid(1, line.size() - 2).toString());
            key = &hive[Fold(path)];
            key->path = path;
            key->values.reserve(lines);
            continue;
        }
        TRegistry::Value value;
        if (!ReadValue(line, value))
            return false;
        key->values.insert({value.name}, std::move(value));
    }
    if (hive[QString()].values.isEmpty())
        hive.erase(QString());
    return true;
}

// The file's text: keys and values sorted by name.
QByteArray HiveText(const TRegistry::Hive& hive)
{
    QString out;
    out.reserve(1 << 16);
    out += QLatin1String("; Lumaq registry\n");
    for (const auto& [folded, key] : hive) {
        out += QLatin1Char('[') + key.path + QLatin1String("]\n");
        QList<const TRegistry::Value*> values;
        values.reserve(key.values.size());
        for (const TRegistry::Value& v : key.values)
            values << &v;
        std::sort(values.begin(), values.end(), [](auto* a, auto* b) { return a->name < b->name; });
        for (const TRegistry::Value* v : values) {
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

void WriteHive(const QString& fileName, const TRegistry::Hive& hive)
{
    const QByteArray text = HiveText(hive);
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        throw ERegistryException(QStringLiteral("Failed to write registry file '%1': %2").arg(fileName, f.errorString()));
    if (const auto hook = BeforeReplaceHook().Get())
        hook();
    if (!f.commit())
        throw ERegistryException(QStringLiteral("Failed to write registry file '%1': %2").arg(fileName, f.errorString()));
}
} // namespace

TRegistry::TRegistry() : TRegistry(DefaultFileName()) {}

TRegistry::TRegistry(QString fileName) : FFileName(std::move(fileName)) {}

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
    const QFileInfo info(FFileName);
    FFileTime = info.lastModified();
    FFileSize = info.exists() ? info.size() : -1;
    if (!ReadHive(FFileName, FHive))
        FFileSize = -2;   // unreadable: Flush looks at it again and keeps it aside
    FLoaded = true;
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
    if (!KeyExistsIn(FHive, path)) {
        if (!canCreate)
            return false;
        Change change{Change::CreateKey, path, {}};
        Apply(FHive, change);
        FChanges.push_back(std::move(change));
    }
    auto it = FHive.find(Fold(path));
    FCurrentPath = it != FHive.end() ? it->second.path : path;
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
    return KeyExistsIn(FHive, Resolve(key));
}

bool TRegistry::DeleteKey(const QString& key)
{
    Load();
    const QString path = Resolve(key);
    if (path.isEmpty() || !KeyExistsIn(FHive, path))
        return false;
    Change change{Change::RemoveKey, path, {}};
    Apply(FHive, change);
    FChanges.push_back(std::move(change));
    return true;
}

TRegistry::Key* TRegistry::Current()
{
    Load();
    auto it = FHive.find(FCurrentFolded);
    return it == FHive.end() ? nullptr : &it->second;
}

const TRegistry::Value* TRegistry::Find(const QString& name)
{
    Key* key = Current();
    if (!key)
        return nullptr;
    auto it = key->values.constFind({name});
    return it == key->values.cend() ? nullptr : &*it;
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
    if (Key* key = Current())
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
    Apply(FHive, change);
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
    return value;
}

void TRegistry::Put(Value value)
{
    if (FReadOnly)
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(value.name));
    Load();
    Key& key = FHive[FCurrentFolded];
    if (key.path.isEmpty())
        key.path = FCurrentPath;
    key.values.insert({value.name}, value);
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
            key.values.insert({change.value.name}, change.value);
        break;
    }
    case Change::RemoveValue:
        if (auto it = hive.find(folded); it != hive.end())
            it->second.values.remove({change.value.name});
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
    QLockFile lock(FFileName + QStringLiteral(".lock"));
    lock.tryLock(5000);
    QFileInfo info(FFileName);
    if (info.lastModified() != FFileTime || (info.exists() ? info.size() : -1) != FFileSize) {
        // Another writer was here since we read the file: apply our changes to its version.
        Hive hive;
        if (!ReadHive(FFileName, hive)) {
            // Keep a file we cannot read beside the new one rather than lose it.
            QFile::remove(FFileName + QStringLiteral(".bad"));
            QFile::copy(FFileName, FFileName + QStringLiteral(".bad"));
        }
        for (const Change& change : FChanges)
            Apply(hive, change);
        FHive = std::move(hive);
    }
    WriteHive(FFileName, FHive);
    FChanges.clear();
    info.refresh();
    FFileTime = info.lastModified();
    FFileSize = info.size();
}
