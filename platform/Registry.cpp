#include "platform/Registry.h"

#include "platform/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
#include <cstring>

namespace {
std::function<void()>& BeforeReplaceHook()
{
    static std::function<void()> hook;
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

const char* TypeName(TRegDataType type)
{
    switch (type) {
    case rdString: return "string";
    case rdExpandString: return "expand";
    case rdInteger: return "integer";
    case rdBinary: return "binary";
    default: return "";
    }
}

QJsonValue ToJson(const TRegistry::Value& v)
{
    QJsonValue data;
    switch (v.type) {
    case rdInteger: data = qint64(v.integer); break;
    case rdBinary: data = QString::fromLatin1(v.data.toHex().toUpper()); break;
    default: data = v.text; break;
    }
    return QJsonObject{{QLatin1String(TypeName(v.type)), data}};
}

bool FromJson(const QString& name, const QJsonValue& json, TRegistry::Value& v)
{
    const QJsonObject o = json.toObject();
    if (o.size() != 1)
        return false;
    v.name = name;
    const QString type = o.begin().key();
    const QJsonValue data = o.begin().value();
    if (type == QLatin1String("integer")) {
        v.type = rdInteger;
        v.integer = int32_t(data.toInteger());
    } else if (type == QLatin1String("string") || type == QLatin1String("expand")) {
        v.type = type == QLatin1String("string") ? rdString : rdExpandString;
        v.text = data.toString();
    } else if (type == QLatin1String("binary")) {
        v.type = rdBinary;
        v.data = QByteArray::fromHex(data.toString().toLatin1());
    } else {
        return false;
    }
    return true;
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
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject keys = doc.object().value(QLatin1String("keys")).toObject();
    for (auto k = keys.begin(); k != keys.end(); ++k) {
        const QString path = Normalize(k.key());
        TRegistry::Key& key = hive[Fold(path)];
        key.path = path;
        const QJsonObject values = k.value().toObject();
        for (auto v = values.begin(); v != values.end(); ++v) {
            TRegistry::Value value;
            if (FromJson(v.key(), v.value(), value))
                key.values[Fold(value.name)] = std::move(value);
        }
    }
    return true;
}

void WriteHive(const QString& fileName, const TRegistry::Hive& hive)
{
    QJsonObject keys;
    for (const auto& [folded, key] : hive) {
        QJsonObject values;
        for (const auto& [n, value] : key.values)
            values.insert(value.name, ToJson(value));
        keys.insert(key.path, values);
    }
    const QByteArray text = QJsonDocument(QJsonObject{{QLatin1String("keys"), keys}}).toJson();

    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        throw ERegistryException(QStringLiteral("Failed to write registry file '%1': %2").arg(fileName, f.errorString()));
    if (BeforeReplaceHook())
        BeforeReplaceHook()();
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
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/lumaq/registry.json");
}

void TRegistry::SetBeforeReplaceHook(std::function<void()> hook)
{
    BeforeReplaceHook() = std::move(hook);
}

void TRegistry::Load()
{
    if (FLoaded)
        return;
    ReadHive(FFileName, FHive);
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
    auto it = FHive.find(Fold(FCurrentPath));
    return it == FHive.end() ? nullptr : &it->second;
}

bool TRegistry::ValueExists(const QString& name)
{
    Key* key = Current();
    return key && key->values.count(Fold(name));
}

TRegDataType TRegistry::GetDataType(const QString& name)
{
    Key* key = Current();
    if (!key)
        return rdUnknown;
    auto it = key->values.find(Fold(name));
    return it == key->values.end() ? rdUnknown : it->second.type;
}

QStringList TRegistry::GetValueNames()
{
    QStringList names;
    if (Key* key = Current())
        for (const auto& [folded, value] : key->values)
            names << value.name;
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
    Key* key = Current();
    const Value* value = nullptr;
    if (key) {
        auto it = key->values.find(Fold(name));
        if (it != key->values.end())
            value = &it->second;
    }
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
    Change change{Change::SetValue, FCurrentPath, std::move(value)};
    Apply(FHive, change);
    FChanges.push_back(std::move(change));
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
            key.values[Fold(change.value.name)] = change.value;
        break;
    }
    case Change::RemoveValue:
        if (auto it = hive.find(folded); it != hive.end())
            it->second.values.erase(Fold(change.value.name));
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
    QLockFile lock(FFileName + QStringLiteral(".lock"));
    QDir().mkpath(QFileInfo(FFileName).absolutePath());
    lock.tryLock(5000);
    Hive hive;
    if (!ReadHive(FFileName, hive)) {
        // Keep a file we cannot read beside the new one rather than lose it.
        QFile::remove(FFileName + QStringLiteral(".bad"));
        QFile::copy(FFileName, FFileName + QStringLiteral(".bad"));
    }
    for (const Change& change : FChanges)
        Apply(hive, change);
    WriteHive(FFileName, hive);
    FChanges.clear();
    FHive = std::move(hive);
}
