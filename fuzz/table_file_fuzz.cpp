// Fuzz entry for the tables' file reader (ImportTables): ReadTableFile over
// the given bytes; a file it accepts has at least one value and writes into
// a copy of the tables without harm.
#include "emulator/TableFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<TableFileLine> lines;
    QString error;
    const bool ok = ReadTableFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), lines, error);
    if (ok == lines.empty() || ok == !error.isEmpty())
        __builtin_trap();
    if (ok) {
        static RegisterTables tables = [] {
            RegisterTables t;
            t.Build(false, QString());
            return t;
        }();
        RegisterTables copy = tables;
        for (const TableFileLine& line : lines)
            copy.Write(line.Table, line.Row, line.Field, line.Value);
    }
    return 0;
}
