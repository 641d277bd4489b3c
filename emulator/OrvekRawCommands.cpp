// ExchangeBytes: raw command bytes and the register's answer.
#include "emulator/OrvekRawCommands.h"

#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekResultCodes.h"

namespace {
using P = OrvekProp;

RawCommandTable BuildRawCommands()
{
    RawCommandTable t;
    AddCoreRawCommands(t);
    AddFNRawCommands(t);
    AddBoardRawCommands(t);
    return t;
}

// TransferBytes as bytes: hex text with BinaryConversion 1, else one
// character per byte.
QByteArray DecodeTransfer(const OrvekCall& c)
{
    return c.Int(P::BinaryConversion) == 1 ? HexToBytes(c.Str(P::TransferBytes)) : WideToAnsi(c.Str(P::TransferBytes));
}

void EncodeTransfer(OrvekCall& c, const QByteArray& bytes)
{
    c.Set(P::TransferBytes, c.Int(P::BinaryConversion) == 1 ? BytesToHex(bytes) : AnsiToWide(bytes));
}

std::int32_t ExchangeBytes(OrvekCall& c)
{
    int conversion = c.Int(P::BinaryConversion);
    QByteArray command = DecodeTransfer(c);
    if ((conversion != 0 && conversion != 1) || command.isEmpty())
        return OrvekResult::BadParameter;
    c.Raw = true;
    c.Request = command;
    // FE (service) and FF (FN) commands carry a second command byte.
    quint8 first = quint8(command[0]);
    int commandSize = (first == 0xFE || first == 0xFF) && command.size() > 1 ? 2 : 1;
    QByteArray data;
    std::int32_t code;
    if (RawCommandHandler handler = RawCommands().Find(command)) {
        code = handler(c, command, data);
    } else {
        code = OrvekResult::CommandNotSupported;
        c.Description = QStringLiteral("Эмулируемая ККТ не поддерживает команду %1").arg(BytesToHex(command.left(commandSize)));
    }
    c.Answer = command.left(commandSize) + char(code & 0xFF) + (code == OrvekResult::Ok ? data : QByteArray());
    EncodeTransfer(c, c.Answer);
    return code;
}

std::int32_t Beep(OrvekCall& c, const QByteArray&, QByteArray& data)
{
    data.append(char(c.Reg().State().Operator));
    return OrvekResult::Ok;
}

std::int32_t DeviceMetrics(OrvekCall& c, const QByteArray&, QByteArray& data)
{
    const RegisterConfig& cfg = c.Reg().Config();
    data.append(char(0)).append(char(4)).append(char(1)).append(char(2)).append(char(cfg.ModelId)).append(char(0));
    data.append(WideToAnsi(cfg.Description));
    return OrvekResult::Ok;
}
} // namespace

RawCommandHandler RawCommandTable::Find(const QByteArray& command) const
{
    RawCommandHandler best = nullptr;
    qsizetype bestSize = 0;
    for (const auto& [prefix, handler] : FEntries)
        if (command.startsWith(prefix) && prefix.size() > bestSize) {
            best = handler;
            bestSize = prefix.size();
        }
    return best;
}

const RawCommandTable& RawCommands()
{
    static const RawCommandTable table = BuildRawCommands();
    return table;
}

void AddCoreRawCommands(RawCommandTable& t)
{
    t.Add(QByteArray::fromHex("13"), &Beep);
    t.Add(QByteArray::fromHex("FC"), &DeviceMetrics);
}

void AddRawExchangeHandlers(OrvekHandlerTable& t)
{
    t.Add(OrvekMethod::ExchangeBytes, OrvekAccess::DeviceNoPassword, 0, &ExchangeBytes);
}
