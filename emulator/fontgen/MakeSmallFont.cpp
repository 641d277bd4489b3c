// Writes the small user font (8 x 16 dots) into the file named by the argument.
#include "emulator/FontFile.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makefont FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray font = MakeFontFile(8, 16);
    if (!file.open(QIODevice::WriteOnly) || file.write(font) != font.size()) {
        std::fprintf(stderr, "makefont: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
