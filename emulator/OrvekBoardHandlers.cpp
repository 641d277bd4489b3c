// Boot loader version and the raw FE service commands of the boards.
#include "core/binding/OrvekServiceCodes.h"
#include "emulator/OrvekRawCommands.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterBoard.h"
#include "emulator/RegisterFirmware.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterBoard& Board(OrvekCall& c)
{
    return c.Reg().Area<RegisterBoard>();
}

std::int32_t ReadLoaderVersion(OrvekCall& c)
{
    c.Set(P::LoaderVersion, Board(c).LoaderVersion);
    c.Answer.append(Board(c).LoaderVersion.toLatin1());
    return OrvekResult::Ok;
}

// The raw commands have six bytes: FE, the sub-command, four parameters.
constexpr int RawSize = 6;

// FE ED: into DFU mode (the service table shows it).
std::int32_t EnterDFU(OrvekCall& c, const QByteArray& command, QByteArray&)
{
    if (command.size() != RawSize)
        return OrvekResult::BadParameter;
    Board(c).DFUMode = true;
    c.Reg().Tables().SetValue(OrvekService::ServiceTable, 1, 6, 1);
    return OrvekResult::Ok;
}

// FE 04: formats the SD card (its files are gone).
std::int32_t FormatSD(OrvekCall& c, const QByteArray& command, QByteArray&)
{
    if (command.size() != RawSize)
        return OrvekResult::BadParameter;
    ++Board(c).SDFormats;
    c.Reg().Area<RegisterFirmware>().FormatCard();
    return OrvekResult::Ok;
}

// FE E2 and the access code: the last fiscal document's date := the clock.
std::int32_t SetLastFDDate(OrvekCall& c, const QByteArray& command, QByteArray&)
{
    if (command.size() != RawSize)
        return OrvekResult::BadParameter;
    if (command.mid(2) != OrvekService::AccessCode())
        return OrvekResult::BadPassword;
    Board(c).LastFDDate = c.Reg().Now();
    return OrvekResult::Ok;
}

// FE 0E 01 xx: 100 Mbit on (01) or off (00).
std::int32_t SetEthernetSpeed(OrvekCall& c, const QByteArray& command, QByteArray&)
{
    if (command.size() != RawSize || quint8(command[2]) != 1 || quint8(command[3]) > 1)
        return OrvekResult::BadParameter;
    Board(c).Ethernet100Mbit = command[3] == 1;
    return OrvekResult::Ok;
}

// FE EB: the board's version text, with blanks around it as the board sends it.
std::int32_t BoardVersion(OrvekCall& c, const QByteArray& command, QByteArray& data)
{
    if (command.size() != RawSize)
        return OrvekResult::BadParameter;
    data = ' ' + Board(c).BoardVersion.toLatin1() + ' ';
    return OrvekResult::Ok;
}
} // namespace

void AddBoardRawCommands(RawCommandTable& t)
{
    t.Add(QByteArray::fromHex("FEED"), &EnterDFU);
    t.Add(QByteArray::fromHex("FE04"), &FormatSD);
    t.Add(QByteArray::fromHex("FEE2"), &SetLastFDDate);
    t.Add(QByteArray::fromHex("FE0E"), &SetEthernetSpeed);
    t.Add(QByteArray::fromHex("FEEB"), &BoardVersion);
}

void AddBoardHandlers(OrvekHandlerTable& t)
{
    t.Add(M::ReadLoaderVersion, OrvekAccess::Device, 0xFE30, &ReadLoaderVersion);
}
