// Writes a firmware image of the emulated registers:
//   makefirmware FILE MODEL VERSION BUILD
// The program is 256 KiB of repeatable filler.
#include "emulator/FirmwareImage.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    bool modelOk = false, buildOk = false;
    const int model = argc == 5 ? QByteArray(argv[2]).toInt(&modelOk) : 0;
    const int build = argc == 5 ? QByteArray(argv[4]).toInt(&buildOk) : 0;
    if (!modelOk || !buildOk || model < 0 || model > 65535 || build < 0 || build > 65535) {
        std::fprintf(stderr, "usage: makefirmware FILE MODEL VERSION BUILD\n");
        return 2;
    }
    FirmwareImage image;
    image.ModelId = model;
    image.Version = QString::fromLatin1(argv[3]);
    image.Build = build;
    image.Date = QDate(2025, 1, 1);
    image.Program.resize(256 * 1024);
    for (qsizetype i = 0; i < image.Program.size(); ++i)
        image.Program[i] = char((i * 31 + i / 977) & 0xFF);
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = BuildFirmwareImage(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makefirmware: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
