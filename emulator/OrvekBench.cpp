#include "emulator/OrvekBench.h"

#include "platform/Exceptions.h"

#include <QFile>
#include <QHostAddress>
#include <QTextStream>
#include <algorithm>

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

std::vector<RegisterConfig> ParseBench(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Exception(QStringLiteral("Файл стенда %1 не открывается: %2").arg(fileName, file.errorString()));
    QTextStream in(&file);
    std::vector<RegisterConfig> configs;
    int lineNo = 0;
    auto fail = [&](const QString& what) {
        throw Exception(QStringLiteral("Файл стенда %1, строка %2: %3").arg(fileName).arg(lineNo).arg(what));
    };
    while (!in.atEnd()) {
        QString line = in.readLine();
        ++lineNo;
        int hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.compare(QLatin1String("[register]"), Qt::CaseInsensitive) == 0) {
            RegisterConfig config;
            config.Name = QStringLiteral("ККТ %1").arg(configs.size() + 1);
            configs.push_back(config);
            continue;
        }
        int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            fail(QStringLiteral("ожидается [register] или ключ = значение"));
        if (configs.empty())
            fail(QStringLiteral("описание до первой строки [register]"));
        RegisterConfig& c = configs.back();
        QString key = line.left(eq).trimmed().toLower();
        QString value = line.mid(eq + 1).trimmed();
        bool ok = true;
        auto number = [&](int min, int max) {
            int n = value.toInt(&ok);
            if (!ok || n < min || n > max)
                fail(QStringLiteral("неверное число \"%1\" для %2").arg(value, key));
            return n;
        };
        if (key == QLatin1String("name"))
            c.Name = value;
        else if (key == QLatin1String("com"))
            c.ComNumber = number(0, 256);
        else if (key == QLatin1String("baud"))
            c.BaudRate = number(1, 10000000);
        else if (key == QLatin1String("tcp")) {
            if (value.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
                c.Host.clear();
                c.TcpPort = 0;
            } else {
                int colon = value.lastIndexOf(QLatin1Char(':'));
                if (colon <= 0)
                    fail(QStringLiteral("адрес TCP пишется как адрес:порт"));
                c.Host = NormalHost(value.left(colon));
                QString port = value.mid(colon + 1);
                value = port;
                c.TcpPort = number(1, 65535);
            }
        } else if (key == QLatin1String("model"))
            c.ModelId = number(0, 65535);
        else if (key == QLatin1String("type2"))
            c.TypeTwo = number(0, 1) != 0;
        else if (key == QLatin1String("description"))
            c.Description = value;
        else if (key == QLatin1String("serial"))
            c.Serial = value;
        else if (key == QLatin1String("firmware"))
            c.SoftVersion = value;
        else if (key == QLatin1String("build"))
            c.SoftBuild = number(0, 65535);
        else if (key == QLatin1String("date")) {
            c.SoftDate = QDate::fromString(value, Qt::ISODate);
            if (!c.SoftDate.isValid())
                fail(QStringLiteral("дата пишется как ГГГГ-ММ-ДД"));
        } else if (key.startsWith(QLatin1String("param."))) {
            int n = key.mid(6).toInt(&ok);
            if (!ok || n <= 0)
                fail(QStringLiteral("неверный номер параметра модели"));
            c.ModelParams.emplace_back(n, ParamValue(value));
        } else if (key == QLatin1String("errors"))
            c.LastErrorCode = number(-1, 255);
        else if (key == QLatin1String("skno"))
            c.SKNOStatus = number(0, 0xFFFF);
        else if (key == QLatin1String("interface"))
            c.Interface = number(-1, 255);
        else if (key == QLatin1String("fmflags"))
            c.FMFlags = number(0, 255);
        else if (key == QLatin1String("fmflagsex"))
            c.FMFlagsEx = number(0, 255);
        else if (key == QLatin1String("lastprint"))
            c.LastPrintResult = number(0, 255);
        else if (key == QLatin1String("keys")) {
            const QStringList parts = value.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (parts.size() != 2)
                fail(QStringLiteral("обновление ключей пишется как \"код статус\""));
            value = parts[0];
            c.KeysResultCode = number(0, 255);
            value = parts[1];
            c.KeysStatus = number(0, 255);
        } else if (key == QLatin1String("fault")) {
            RegisterFaults check;
            QString error = check.AddFromText(value);
            if (!error.isEmpty())
                fail(error);
            c.Faults << value;
        } else
            fail(QStringLiteral("неизвестный ключ %1").arg(key));
    }
    // Two registers on one address would make the bench ambiguous.
    for (std::size_t i = 0; i < configs.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) {
            if (configs[i].ComNumber > 0 && configs[i].ComNumber == configs[j].ComNumber)
                throw Exception(QStringLiteral("Файл стенда %1: порт COM%2 занят двумя ККТ")
                                    .arg(fileName).arg(configs[i].ComNumber));
            if (!configs[i].Host.isEmpty() && configs[i].Host == configs[j].Host &&
                configs[i].TcpPort == configs[j].TcpPort)
                throw Exception(QStringLiteral("Файл стенда %1: адрес %2:%3 занят двумя ККТ")
                                    .arg(fileName, configs[i].Host).arg(configs[i].TcpPort));
        }
    return configs;
}
} // namespace

void OrvekBench::Reset()
{
    QString error;
    QString fileName = qEnvironmentVariable("ORVEK_BENCH");
    if (!fileName.isEmpty()) {
        try {
            Load(fileName);
            std::lock_guard lock(FMutex);
            FLoadError.clear();
            return;
        } catch (const Exception& e) {
            error = e.Message();
            qWarning("%s", qPrintable(error));
        }
    }
    std::lock_guard lock(FMutex);
    FRegisters.clear();
    FRegisters.push_back(std::make_shared<EmulatedRegister>(RegisterConfig{}));
    FLoadError = error;
}

void OrvekBench::Load(const QString& fileName)
{
    std::vector<RegisterConfig> configs = ParseBench(fileName);
    std::vector<std::shared_ptr<EmulatedRegister>> registers;
    for (RegisterConfig& c : configs)
        registers.push_back(std::make_shared<EmulatedRegister>(std::move(c)));
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
    QString h = NormalHost(host);
    std::lock_guard lock(FMutex);
    for (const auto& r : FRegisters)
        if (!r->Config().Host.isEmpty() && r->Config().Host == h && r->Config().TcpPort == port)
            return r;
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
    static OrvekBench* bench = [] {
        auto* b = new OrvekBench;
        b->Reset();
        return b;
    }();
    return *bench;
}
