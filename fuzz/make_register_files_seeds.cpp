// Writes the seeds of the register_files fuzz target from real kept
// registers: make_register_files_seeds <folder>.
//   new.bin       a register just kept (a snapshot, an empty journal);
//   receipts.bin  then three receipts sold through the driver (records);
//   torn.bin      the same with the last record torn by a kill.
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
QByteArray FileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The four files as the fuzz target reads them (checksums put right before
// they are read); the journal less `cut` bytes.
QByteArray Pack(const QString& folder, qsizetype cut = 0)
{
    RegisterStore names(folder);
    QByteArray out(1, '\x01');
    for (const QString& name : {names.SnapshotFile(), names.JournalFile(), names.DocumentsFile(), names.IndexFile()}) {
        QByteArray bytes = FileBytes(name);
        if (name == names.JournalFile())
            bytes.chop(cut);
        const quint32 length = quint32(bytes.size());
        out.append(reinterpret_cast<const char*>(&length), 4);
        out.append(bytes);
    }
    return out;
}

bool Write(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int Sell(qint64 price)
{
    TDriver& d = Driver();
    d.setPassword(30);
    d.setPrice(price);
    d.setQuantity(1);
    d.setDepartment(1);
    d.setStringForPrinting(QStringLiteral("Булка"));
    if (const int code = d.Sale())
        return code;
    d.setSumm1(price);
    d.setStringForPrinting(QString());
    return d.CloseCheck();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_register_files_seeds <folder>\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QCoreApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString folder = home.path() + QStringLiteral("/kkt");

    InstallEmulatedOrvek();
    RegisterConfig config;
    config.StateFolder = folder;
    Bench().Clear();
    Bench().Add(config);
    TDriver& d = Driver();
    d.setConnectionType(0);
    d.setComNumber(1);
    d.setBaudRate(6);
    bool ok = d.Connect() == 0 && Write(out.filePath(QStringLiteral("new.bin")), Pack(folder));
    for (int i = 1; ok && i <= 3; ++i)
        ok = Sell(i * 1000000) == 0;
    ok = ok && Write(out.filePath(QStringLiteral("receipts.bin")), Pack(folder)) &&
         Write(out.filePath(QStringLiteral("torn.bin")), Pack(folder, 7));
    FreeDriver();
    if (!ok)
        std::fprintf(stderr, "make_register_files_seeds: the register did not work\n");
    return ok ? 0 : 1;
}
