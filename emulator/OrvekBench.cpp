#include "emulator/OrvekBench.h"

#include "emulator/EmulatedOrvek.h"
#include "emulator/RegisterNetwork.h"
#include "platform/Exceptions.h"
#include "platform/Notices.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QHostAddress>
#include <QStringDecoder>
#include <algorithm>
#include <atomic>
#include <map>

namespace {
QString NormalHost(const QString& host)
{
    QString h = host.trimmed().toLower();
    if (h == QLatin1String("localhost"))
        return QStringLiteral("127.0.0.1");
    QHostAddress address;
    if (address.setAddress(h))
        return address.toString();
    return h;
}

QVariant ParamValue(const QString& text)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    int n = text.toInt(&ok);
    return ok ? QVariant(n) : QVariant(text);
}

// The longest value of a key, in characters: the field the register keeps it in.
int FieldWidth(const QString& key)
{
    static const std::map<QString, int> widths = {
        {QStringLiteral("serial"), 20},        // table 18's serial number field
        {QStringLiteral("firmware"), 8},       // a firmware image's version text
        {QStringLiteral("fnversion"), 16},     // the FN's version answer
        {QStringLiteral("name"), 64},
        {QStringLiteral("description"), 64},
    };
    if (key.startsWith(QLatin1String("dump.")))
        return 4096;   // a file name
    const auto it = widths.find(key);
    return it == widths.end() ? 255 : it->second;
}

// A key as an error message quotes it: its start when it is long.
QString Shown(const QString& key)
{
    constexpr int most = 40;
    return key.size() > most ? key.left(most) + QStringLiteral("…") : key;
}

// Reads one bench file line by line; each error names the file and line.
class BenchReader {
public:
    explicit BenchReader(const QString& fileName) : FFileName(fileName) {}

    std::vector<RegisterConfig> Read(QByteArrayView bytes)
    {
        QStringDecoder decoder(QStringDecoder::Utf8);
        for (qsizetype from = 0; from < bytes.size();) {
            qsizetype end = bytes.indexOf('\n', from);
            if (end < 0)
                end = bytes.size();
            const QByteArrayView raw = bytes.sliced(from, end - from);
            from = end + 1;
            ++FLine;
            decoder.resetState();
            QString line = decoder.decode(raw);
            if (decoder.hasError())
                Fail(QStringLiteral("строка не в UTF-8"));
            ReadLine(line);
        }
        FinishRegister();
        if (FConfigs.empty())
            throw Exception(QStringLiteral("Файл стенда %1: в нём нет ни одной ККТ (строки [register])").arg(FFileName));
        return std::move(FConfigs);
    }

private:
    [[noreturn]] void Fail(const QString& what) const
    {
        throw Exception(QStringLiteral("Файл стенда %1, строка %2: %3").arg(FFileName, QString::number(FLine), what));
    }

    int Number(const QString& key, const QString& value, int min, int max) const
    {
        bool ok = false;
        const int n = value.toInt(&ok);
        if (!ok || n < min || n > max)
            Fail(QStringLiteral("неверное число \"%1\" для %2 (от %3 до %4)")
                     .arg(value, key, QString::number(min), QString::number(max)));
        return n;
    }

    // True for the first word, false for the second.
    bool Choice(const QString& key, const QString& value, const QString& yes, const QString& no) const
    {
        if (value != yes && value != no)
            Fail(QStringLiteral("для %1 нужно %2 или %3").arg(key, yes, no));
        return value == yes;
    }

    // The model parameters gathered by number (the last line for a number holds).
    void FinishRegister()
    {
        if (FConfigs.empty())
            return;
        FConfigs.back().ModelParams.assign(FParams.begin(), FParams.end());
        FParams.clear();
    }

    void ReadLine(QString line)
    {
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty())
            return;
        if (line.compare(QLatin1String("[register]"), Qt::CaseInsensitive) == 0) {
            if (FConfigs.size() >= std::size_t(OrvekBench::MaxRegisters))
                Fail(QStringLiteral("больше %1 ККТ").arg(OrvekBench::MaxRegisters));
            FinishRegister();
            RegisterConfig config;
            config.Name = QStringLiteral("ККТ %1").arg(FConfigs.size() + 1);
            FConfigs.push_back(config);
            return;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            Fail(QStringLiteral("ожидается [register] или ключ = значение"));
        if (line.left(eq).trimmed().compare(QLatin1String("printserver"), Qt::CaseInsensitive) == 0)
            return;   // the print server's port (PrintServer.h)
        if (FConfigs.empty())
            Fail(QStringLiteral("описание до первой строки [register]"));
        RegisterConfig& c = FConfigs.back();
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (const int width = FieldWidth(key); value.size() > width)
            Fail(QStringLiteral("значение %1 длиннее %2 знаков").arg(Shown(key), QString::number(width)));
        if (key == QLatin1String("name"))
            c.Name = value;
        else if (key == QLatin1String("com"))
            c.ComNumber = Number(key, value, 0, 256);
        else if (key == QLatin1String("baud")) {
            c.BaudRate = Number(key, value, 1, 10000000);
            if (EmulatedOrvek::CodeOfBaud(c.BaudRate) < 0) {
                QStringList rates;
                for (int code = 0; EmulatedOrvek::BaudOfCode(code) > 0; ++code)
                    rates << QString::number(EmulatedOrvek::BaudOfCode(code));
                Fail(QStringLiteral("скорости %1 нет у драйвера (%2)").arg(value, rates.join(QStringLiteral(", "))));
            }
        } else if (key == QLatin1String("tcp")) {
            if (value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
                c.Host.clear();
                c.TcpPort = 0;
            } else {
                const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
                if (colon <= 0)
                    Fail(QStringLiteral("адрес TCP пишется как адрес:порт"));
                c.Host = NormalHost(value.left(colon));
                c.TcpPort = Number(key, value.mid(colon + 1), 1, 65535);
            }
        } else if (key == QLatin1String("model"))
            c.ModelId = Number(key, value, 0, 65535);
        else if (key == QLatin1String("type2"))
            c.TypeTwo = Number(key, value, 0, 1) != 0;
        else if (key == QLatin1String("description"))
            c.Description = value;
        else if (key == QLatin1String("serial"))
            c.Serial = value;
        else if (key == QLatin1String("firmware"))
            c.SoftVersion = value;
        else if (key == QLatin1String("fnversion"))
            c.FNSoftVersion = value;
        else if (key == QLatin1String("build"))
            c.SoftBuild = Number(key, value, 0, 65535);
        else if (key == QLatin1String("date")) {
            c.SoftDate = QDate::fromString(value, Qt::ISODate);
            if (!c.SoftDate.isValid())
                Fail(QStringLiteral("дата пишется как ГГГГ-ММ-ДД"));
        } else if (key.startsWith(QLatin1String("param."))) {
            bool ok = false;
            const int n = key.mid(6).toInt(&ok);
            if (!ok || n <= 0 || n > 65535)
                Fail(QStringLiteral("неверный номер параметра модели"));
            if (!FParams.count(n) && FParams.size() >= std::size_t(OrvekBench::MaxModelParams))
                Fail(QStringLiteral("больше %1 параметров модели у одной ККТ").arg(OrvekBench::MaxModelParams));
            FParams[n] = ParamValue(value);
        } else if (key == QLatin1String("errors"))
            c.LastErrorCode = Number(key, value, -1, 255);
        else if (key == QLatin1String("skno"))
            c.SKNOStatus = Number(key, value, 0, 0xFFFF);
        else if (key == QLatin1String("interface"))
            c.Interface = Number(key, value, -1, 255);
        else if (key == QLatin1String("fmflags"))
            c.FMFlags = Number(key, value, 0, 255);
        else if (key == QLatin1String("fmflagsex"))
            c.FMFlagsEx = Number(key, value, 0, 255);
        else if (key == QLatin1String("clock"))
            c.ClockOffsetSeconds = Number(key, value, -366 * 86400, 366 * 86400);
        else if (key == QLatin1String("fn"))
            c.BlankFN = Choice(key, value, QStringLiteral("blank"), QStringLiteral("fiscal"));
        else if (key == QLatin1String("ofd"))
            c.OFDLinkUp = Choice(key, value, QStringLiteral("up"), QStringLiteral("down"));
        else if (key == QLatin1String("dhcp"))
            c.DHCPDelayMs = value == QLatin1String("never") ? -1 : Number(key, value, 0, 3600000);
        else if (key == QLatin1String("lastprint"))
            c.LastPrintResult = Number(key, value, 0, 255);
        else if (key == QLatin1String("keys")) {
            const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() != 2)
                Fail(QStringLiteral("обновление ключей пишется как \"код статус\""));
            c.KeysResultCode = Number(key, parts[0], 0, 255);
            c.KeysStatus = Number(key, parts[1], 0, 255);
        } else if (key.startsWith(QLatin1String("dump."))) {
            c.DumpFiles[Number(key, key.mid(5), 0, 255)] = value;
        } else if (key == QLatin1String("ping")) {
            const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() != 2)
                Fail(QStringLiteral("пинг пишется как \"адрес время_мс\""));
            c.PingHosts[parts[0].toLower()] = Number(key, parts[1], 0, 60000);
        } else if (key == QLatin1String("fault")) {
            if (c.Faults.size() >= OrvekBench::MaxFaults)
                Fail(QStringLiteral("больше %1 сбоев у одной ККТ").arg(OrvekBench::MaxFaults));
            RegisterFaults check;
            const QString error = check.AddFromText(value);
            if (!error.isEmpty())
                Fail(error);
            c.Faults << value;
        } else
            Fail(QStringLiteral("неизвестный ключ %1").arg(Shown(key)));
    }

    QString FFileName;
    int FLine = 0;
    std::vector<RegisterConfig> FConfigs;
    std::map<int, QVariant> FParams;   // of the register read now
};
} // namespace

void OrvekBench::Reset()
{
    Build();
    ReportLoadError();
}

void OrvekBench::Build()
{
    QString error;
    const QString fileName = qEnvironmentVariable("ORVEK_BENCH");
    if (!fileName.isEmpty()) {
        try {
            Load(fileName);
            std::lock_guard lock(FMutex);
            FLoadError.clear();
            return;
        } catch (const Exception& e) {
            error = e.Message();
        }
    }
    std::lock_guard lock(FMutex);
    FRegisters.clear();
    RegisterConfig config;
    config.StateFolder = StateFolderOf(QString(), 0);
    FRegisters.push_back(std::make_shared<EmulatedRegister>(std::move(config)));
    FLoadError = error;
}

void OrvekBench::ReportLoadError() const
{
    const QString error = LoadError();
    if (!error.isEmpty())
        Notify(error + QStringLiteral(". Работает стенд по умолчанию: одна ККТ на COM1 (115200) и TCP 127.0.0.1:7778."));
}

std::vector<RegisterConfig> OrvekBench::Parse(QByteArrayView bytes, const QString& fileName)
{
    std::vector<RegisterConfig> configs = BenchReader(fileName).Read(bytes);
    // Two registers on one address would make the bench ambiguous.
    std::map<int, std::size_t> ports;
    std::map<std::pair<QString, int>, std::size_t> addresses;
    for (const RegisterConfig& c : configs) {
        if (c.ComNumber > 0 && !ports.emplace(c.ComNumber, 0).second)
            throw Exception(QStringLiteral("Файл стенда %1: порт COM%2 занят двумя ККТ").arg(fileName, QString::number(c.ComNumber)));
        if (!c.Host.isEmpty() && !addresses.emplace(std::pair(c.Host, c.TcpPort), 0).second)
            throw Exception(QStringLiteral("Файл стенда %1: адрес %2:%3 занят двумя ККТ")
                                .arg(fileName, c.Host, QString::number(c.TcpPort)));
    }
    return configs;
}

void OrvekBench::Load(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Файл стенда %1 не открывается: %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize)
        throw Exception(QStringLiteral("Файл стенда %1 больше %2 байт").arg(fileName, QString::number(MaxFileSize)));
    std::vector<RegisterConfig> configs = Parse(bytes, fileName);
    std::vector<std::shared_ptr<EmulatedRegister>> registers;
    for (RegisterConfig& c : configs) {
        c.StateFolder = StateFolderOf(fileName, int(registers.size()));
        registers.push_back(std::make_shared<EmulatedRegister>(std::move(c)));
    }
    std::lock_guard lock(FMutex);
    FRegisters = std::move(registers);
}

void OrvekBench::Clear()
{
    std::lock_guard lock(FMutex);
    FRegisters.clear();
}

std::shared_ptr<EmulatedRegister> OrvekBench::Add(RegisterConfig config)
{
    config.Host = config.Host.isEmpty() ? QString() : NormalHost(config.Host);
    auto reg = std::make_shared<EmulatedRegister>(std::move(config));
    std::lock_guard lock(FMutex);
    FRegisters.push_back(reg);
    return reg;
}

QString OrvekBench::StateFolderOf(const QString& benchFile, int index)
{
    QString bench = QStringLiteral("default");
    if (!benchFile.isEmpty()) {
        const QFileInfo info(benchFile);
        const QString path = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
        bench = info.completeBaseName() + QLatin1Char('-') +
                QString::fromLatin1(QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/orvek/bench/") +
           bench + QLatin1Char('/') + QString::number(index + 1);
}

std::vector<std::shared_ptr<EmulatedRegister>> OrvekBench::Registers() const
{
    std::lock_guard lock(FMutex);
    return FRegisters;
}

std::shared_ptr<EmulatedRegister> OrvekBench::Register(int index) const
{
    std::lock_guard lock(FMutex);
    if (index < 0 || index >= int(FRegisters.size()))
        return nullptr;
    return FRegisters[std::size_t(index)];
}

std::shared_ptr<EmulatedRegister> OrvekBench::RegisterByName(const QString& name) const
{
    std::lock_guard lock(FMutex);
    for (const auto& r : FRegisters)
        if (r->Config().Name == name)
            return r;
    return nullptr;
}

std::shared_ptr<EmulatedRegister> OrvekBench::FindSerial(int comNumber, int baudRate) const
{
    std::lock_guard lock(FMutex);
    for (const auto& r : FRegisters)
        if (comNumber > 0 && r->Config().ComNumber == comNumber)
            return r->SerialBaud() == baudRate ? r : nullptr;
    return nullptr;
}

std::shared_ptr<EmulatedRegister> OrvekBench::FindTcp(const QString& host, int port) const
{
    const QString h = NormalHost(host);
    // The registers are looked at without the bench's lock: a driver call
    // holds a register's lock and may ask the bench.
    for (const auto& r : Registers())
        if (!r->Config().Host.isEmpty() && r->Config().Host == h && r->Config().TcpPort == port)
            return r;
    // A register's own network link, at the address its tables give it.
    for (const auto& r : Registers()) {
        const auto lock = r->Lock();
        QString linkHost;
        int linkPort = 0;
        if (r->Area<RegisterNetwork>().LinkAddress(linkHost, linkPort) && linkHost == h && linkPort == port)
            return r;
    }
    return nullptr;
}

std::vector<int> OrvekBench::SerialPorts() const
{
    std::lock_guard lock(FMutex);
    std::vector<int> ports;
    for (const auto& r : FRegisters)
        if (r->Config().ComNumber > 0)
            ports.push_back(r->Config().ComNumber);
    std::sort(ports.begin(), ports.end());
    return ports;
}

QString OrvekBench::LoadError() const
{
    std::lock_guard lock(FMutex);
    return FLoadError;
}

OrvekBench& Bench()
{
    static OrvekBench* const bench = [] {
        auto* b = new OrvekBench;
        b->Build();
        return b;
    }();
    // Told once the bench exists: the notice's box runs an event loop whose
    // timers may ask for the bench again.
    static std::atomic_bool reported = false;
    if (!reported.exchange(true))
        bench->ReportLoadError();
    return *bench;
}
