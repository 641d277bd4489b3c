#include "regmaven/ComportUtils.h"

#include "core/support/LogFile.h"
#include "platform/Hook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

QString ReadSysFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.read(256)).trimmed();
}

// The USB device above a tty's device: the first folder with idVendor and idProduct.
QString UsbDeviceFolder(const QString& ttyFolder)
{
    QString folder = QFileInfo(ttyFolder + "/device").canonicalFilePath();
    for (int level = 0; level < 8 && folder.size() > 1; ++level) {
        if (QFile::exists(folder + "/idVendor") && QFile::exists(folder + "/idProduct"))
            return folder;
        folder = QFileInfo(folder).path();
    }
    return {};
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

int ComNumberOfTty(const QString& TtyName)
{
    static const QRegularExpression pattern(QStringLiteral("^tty(S|USB|ACM)(\\d{1,3})$"));
    const QRegularExpressionMatch m = pattern.match(TtyName);
    if (!m.hasMatch())
        return -1;
    const int n = m.captured(2).toInt();
    const QString kind = m.captured(1);
    return n + (kind == QLatin1String("S") ? 1 : kind == QLatin1String("USB") ? 33 : 65);
}

QList<TPortDevice> SystemSerialPorts(const QString& SysClassTty)
{
    QList<TPortDevice> devices;
    QDir dir(SysClassTty);
    const QStringList names = dir.entryList({"ttyS*", "ttyUSB*", "ttyACM*"}, QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::Name);
    for (const QString& name : names) {
        const int com = ComNumberOfTty(name);
        if (com < 0)
            continue;
        const QString folder = dir.filePath(name);
        const QString suffix = QStringLiteral(" (COM%1)").arg(com);
        if (name.startsWith(QLatin1String("ttyS"))) {
            // Legacy ports are listed whether or not a UART is there; type 0 is none.
            const QString type = ReadSysFile(folder + "/type");
            if (type.isEmpty() || type == QLatin1String("0"))
                continue;
            devices << TPortDevice{QStringLiteral("Последовательный порт") + suffix, QStringLiteral("ACPI\\PNP0501")};
            continue;
        }
        const QString usb = UsbDeviceFolder(folder);
        if (usb.isEmpty())
            continue;
        QString product = ReadSysFile(usb + "/product");
        if (product.isEmpty())
            product = QStringLiteral("USB Serial Port");
        devices << TPortDevice{product + suffix, QStringLiteral("USB\\VID_%1&PID_%2")
                                                   .arg(ReadSysFile(usb + "/idVendor").toUpper(),
                                                        ReadSysFile(usb + "/idProduct").toUpper())};
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
