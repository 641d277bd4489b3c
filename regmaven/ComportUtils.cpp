#include "regmaven/ComportUtils.h"

#include "core/support/LogFile.h"
#include "platform/Hook.h"

#include <QSet>

namespace Regmaven {

namespace {

THook<QList<TPortSource>>& SourcesHook()
{
    static THook<QList<TPortSource>> hook(QList<TPortSource>{[] { return SystemSerialPorts(); }});
    return hook;
}

QString TrimRight(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// The four hex digits after key in HWStr (found in its lower-case form); -1 when no key.
int IdAfter(const QString& HWStr, QLatin1StringView key)
{
    const int at = int(HWStr.toLower().indexOf(key));
    if (at < 0)
        return -1;
    const QString digits = HWStr.mid(at + key.size(), 4);
    bool ok = false;
    const int value = digits.size() == 4 ? digits.toInt(&ok, 16) : 0;
    return ok ? value : 0;
}

QString Hex4(int value)
{
    return QString::number(value, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

QList<TPortSource> SetPortSources(const QList<TPortSource>& Sources)
{
    return SourcesHook().Set(Sources);
}

QList<TPortDevice> SystemSerialPorts(const QString& SysClassTty)
{
    QList<TPortDevice> devices;
    for (const TSystemSerialPort& port : ListSerialPorts(SysClassTty)) {
        const QString suffix = QStringLiteral(" (COM%1)").arg(port.ComNumber);
        if (!port.Usb)
            devices << TPortDevice{QStringLiteral("Последовательный порт") + suffix, QStringLiteral("ACPI\\PNP0501")};
        else
            devices << TPortDevice{(port.Product.isEmpty() ? QStringLiteral("USB Serial Port") : port.Product) + suffix,
                                   QStringLiteral("USB\\VID_%1&PID_%2").arg(port.VendorId.toUpper(), port.ProductId.toUpper())};
    }
    return devices;
}

int ComNumberOf(const QString& FriendlyName)
{
    if (FriendlyName.contains(QLatin1String("(LPT")))
        return -1;
    const int open = int(FriendlyName.indexOf(QLatin1String("(COM")));
    if (open < 0)
        return -1;
    const int close = int(FriendlyName.indexOf(QLatin1Char(')'), open));
    if (close < 0)
        return -1;
    bool ok = false;
    const int number = FriendlyName.mid(open + 4, close - open - 4).toInt(&ok, 10);
    return ok && number >= 0 ? number : -1;
}

int VendorIdOf(const QString& HWStr)
{
    return qMax(IdAfter(HWStr, QLatin1StringView("vid_")), 0);
}

int ProductIdOf(const QString& HWStr)
{
    if (IdAfter(HWStr, QLatin1StringView("vid_")) < 0)
        return 0;
    return qMax(IdAfter(HWStr, QLatin1StringView("pid_")), 0);
}

void TSerialPorts::EnumPorts()
{
    TLogFile& log = GlobalLogger();
    log.Debug(QStringLiteral("EnumPorts"));
    clear();
    QSet<int> numbers;
    for (const TPortSource& source : SourcesHook().Get()) {
        if (!source)
            continue;
        for (const TPortDevice& device : source()) {
            TSerialPortRec rec;
            rec.FriendlyName = TrimRight(device.FriendlyName);
            rec.HWStr = TrimRight(device.HWStr);
            rec.ComNumber = ComNumberOf(rec.FriendlyName);
            if (rec.ComNumber < 0 || numbers.contains(rec.ComNumber))
                continue;
            numbers.insert(rec.ComNumber);
            rec.Name = QStringLiteral("COM%1").arg(rec.ComNumber);
            append(rec);
            log.Debug("  " + rec.Name);
            log.Debug("  " + rec.FriendlyName);
            log.Debug("  " + rec.HWStr);
            log.Debug(QStringLiteral("  vid=%1 pid=%2").arg(Hex4(rec.VendorId()), Hex4(rec.ProductId())));
            log.Debug(QStringLiteral("----------------"));
        }
    }
}

} // namespace Regmaven
