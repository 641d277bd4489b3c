// Fuzz entry for the dump viewer's readers: the input's first line is an
// offset text, its second a hex text of bytes to find, the rest the dump.
// An offset taken lies inside the dump; a place found holds the bytes; the
// grid and the block lines give back exactly the dump's bytes.
#include "core/support/StrictHex.h"
#include "pages/service/fmuDump.h"
#include "pages/service/fmuReadDump.h"

#include <cstdint>

namespace {
void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\n');
    const QString offsetText = QString::fromUtf8(parts.value(0));
    const QString patternText = QString::fromUtf8(parts.value(1));
    const qsizetype head = std::min<qsizetype>(input.size(), parts.value(0).size() + parts.value(1).size() + 2);
    const QByteArray dump = input.mid(head);

    if (const auto offset = ParseDumpOffset(offsetText, dump.size()))
        Require(*offset >= 0 && *offset < std::max<qsizetype>(dump.size(), 1));

    const THexParse pattern = ParseHexStrict(patternText);
    if (pattern.Ok) {
        for (qsizetype from : {qsizetype(0), dump.size() / 2, dump.size()}) {
            const qsizetype at = FindDumpBytes(dump, pattern.Bytes, from);
            Require(at == -1 || (at >= 0 && dump.mid(at, pattern.Bytes.size()) == pattern.Bytes));
            if (at == -1 && !pattern.Bytes.isEmpty())
                Require(!dump.contains(pattern.Bytes));
        }
    }

    TDumpModel model;
    model.SetDump(dump);
    Require(model.rowCount() == DumpRowCount(dump.size()));
    QByteArray cells;
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < DumpColumns; ++column)
            cells += QByteArray::fromHex(model.index(row, column).data().toString().toLatin1());
    Require(cells == dump);

    QString lines = DumpBlockLines(dump).join(QString());
    Require(QByteArray::fromHex(lines.remove(QLatin1Char(' ')).toLatin1()) == dump);
    return 0;
}
