#include "emulator/LogicalDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

LogicalDeviceList LogicalDeviceList::Parse(QByteArrayView bytes)
{
    LogicalDeviceList list;
    const QList<QByteArray> lines = bytes.toByteArray().split('\n');
    for (const QByteArray& raw : lines) {
        const QList<QByteArray> f = raw.trimmed().split(' ');
        bool ok[5] = {};
        if (f.size() == 2 && f[0] == "active") {
            const int n = f[1].toInt(ok);
            if (ok[0] && n >= 0)
                list.Active = n;
        } else if (f.size() == 7 && f[0] == "ld" && list.Devices.size() < MaxDevices) {
            LogicalDevice d;
            d.Number = f[1].toInt(&ok[0]);
            d.ComNumber = f[2].toInt(&ok[1]);
            d.Baudrate = f[3].toInt(&ok[2]);
            d.Timeout = f[4].toInt(&ok[3]);
            d.Name = TextOf(f[5]);
            d.ComputerName = TextOf(f[6]);
            if (ok[0] && ok[1] && ok[2] && ok[3] && d.Number > 0 && !list.Find(d.Number))
                list.Devices.push_back(std::move(d));
        }
    }
    if (!list.Find(list.Active))
        list.Active = 0;
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
    QFile file(FileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Parse(file.read(MaxFileSize));
}

bool LogicalDeviceList::Save() const
{
    const QString name = FileName();
    if (!QDir().mkpath(QFileInfo(name).path()))
        return false;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(Text());
    return file.commit();
}
