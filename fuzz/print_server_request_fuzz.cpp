// The print server's request lines: any bytes give a request or Invalid, and
// the server answers each with one short line.
#include "emulator/PrintServer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TPrintServer server;   // not started: answers only
    const PrintServerRequest r = ParsePrintServerRequest(QByteArrayView(data, qsizetype(size)));
    // Every command but these two names a COM port.
    const bool takesPort = r.Command != PrintServerRequest::Invalid && r.Command != PrintServerRequest::AdminUnlockAll
                        && r.Command != PrintServerRequest::Bye;
    if (takesPort && (r.ComNumber < 1 || r.ComNumber > 256))
        std::abort();
    const QByteArray answer = server.Answer(int(size % 3), r);
    if (answer.isEmpty() || answer.contains('\n'))
        std::abort();
    return 0;
}
