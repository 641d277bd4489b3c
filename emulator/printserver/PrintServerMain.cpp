// lumaq_printserver [port]: the print server on 127.0.0.1 (the port of the
// ORVEK_BENCH file's "printserver" line, 7790 without one).
#include "emulator/PrintServer.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    quint16 port = PrintServerPortOfBench();
    if (argc > 1) {
        bool ok = false;
        const int p = QString::fromLocal8Bit(argv[1]).toInt(&ok);
        if (!ok || p <= 0 || p > 65535) {
            std::fprintf(stderr, "lumaq_printserver: bad port %s\n", argv[1]);
            return 2;
        }
        port = quint16(p);
    }
    try {
        TPrintServer server(port);
        std::printf("lumaq_printserver: 127.0.0.1:%u\n", unsigned(server.Port()));
        std::fflush(stdout);
        server.Serve();
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}
