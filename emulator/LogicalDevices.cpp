#include "emulator/LogicalDevices.h"

#include "platform/KeptFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {
// A text as one blank-free word; "-" stands for the empty text.
QByteArray Word(const QString& text)
{
    return text.isEmpty() ? QByteArray("-") : text.toUtf8().toPercentEncoding({}, "-");
}

QString TextOf(const QByteArray& word)
{
    return word == "-" ? QString() : QString::fromUtf8(QByteArray::fromPercentEncoding(word));
}

TKeptFile File()
{
    return TKeptFile(LogicalDeviceList::FileName(), LogicalDeviceList::MaxFileSize,
                     {QStringLiteral("Файл логических устройств"), QStringLiteral("Программа работает с пустым списком логических устройств"),
                      QStringLiteral("Логические устройства не сохранены в файл"), QStringLiteral("список")});
}
} // namespace

LogicalDevice* LogicalDeviceList::Find(int number)
{
    auto it = std::find_if(Devices.begin(), Devices.end(), [number](const LogicalDevice& d) { return d.Number == number; });
    return it == Devices.end() ? nullptr : &*it;
}

int LogicalDeviceList::Add(LogicalDevice device)
{
    if (Devices.size() >= MaxDevices)
        return 0;
    int number = 1;
    for (const LogicalDevice& d : Devices)
        number = std::max(number, d.Number + 1);
    device.Number = number;
    Devices.push_back(std::move(device));
    return number;
}

bool LogicalDeviceList::Remove(int number)
{
    auto it = std::find_if(Devices.begin(), Devices.end(), [number](const LogicalDevice& d) { return d.Number == number; });
    if (it == Devices.end())
        return false;
    Devices.erase(it);
    if (Active == number)
        Active = 0;
    return true;
}

LogicalDeviceList LogicalDeviceList::Parse(QByteArrayView bytes, int* bad, int* firstBad)
{
    LogicalDeviceList list;
    const QList<QByteArray> lines = WithoutByteOrderMark(bytes).toByteArray().split('\n');
    int skipped = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split(' ');
        bool ok[4] = {};
        bool read = false;
        if (f.size() == 2 && f[0] == "active") {
            const int n = f[1].toInt(ok);
            read = ok[0] && n >= 0;
            if (read)
                list.Active = n;
        } else if (f.size() == 7 && f[0] == "ld" && list.Devices.size() < MaxDevices) {
            LogicalDevice d;
            d.Number = f[1].toInt(&ok[0]);
            d.ComNumber = f[2].toInt(&ok[1]);
            d.Baudrate = f[3].toInt(&ok[2]);
            d.Timeout = f[4].toInt(&ok[3]);
            d.Name = TextOf(f[5]);
            d.ComputerName = TextOf(f[6]);
            read = ok[0] && ok[1] && ok[2] && ok[3] && d.Number > 0 && !list.Find(d.Number);
            if (read)
                list.Devices.push_back(std::move(d));
        }
        if (!read && skipped++ == 0 && firstBad)
            *firstBad = int(i + 1);
    }
    if (!list.Find(list.Active))
        list.Active = 0;
    if (bad)
        *bad = skipped;
    return list;
}

QByteArray LogicalDeviceList::Text() const
{
    QByteArray text = "active " + QByteArray::number(Active) + "\n";
    for (const LogicalDevice& d : Devices) {
        text += "ld " + QByteArray::number(d.Number) + ' ' + QByteArray::number(d.ComNumber) + ' ' +
                QByteArray::number(d.Baudrate) + ' ' + QByteArray::number(d.Timeout) + ' ' +
                Word(d.Name) + ' ' + Word(d.ComputerName) + '\n';
    }
    return text;
}

QString LogicalDeviceList::FileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/KORVEL/Orvek/LogicalDevices.txt");
}

LogicalDeviceList LogicalDeviceList::Load()
{
    TKeptFile file = File();
    const QByteArray bytes = file.Read();
    int bad = 0, firstBad = 0;
    LogicalDeviceList list = Parse(bytes, &bad, &firstBad);
    if (bad > 0)
        file.Damaged(bytes, bad, firstBad, QStringLiteral("остальные устройства прочитаны"));
    list.FileKept = !file.MayWrite();
    return list;
}

QString LogicalDeviceList::Save() const
{
    TKeptFile file = File();
    if (FileKept)
        file.KeepFile();
    QDir().mkpath(QFileInfo(file.FileName()).absolutePath());
    return file.Write(Text());
}
