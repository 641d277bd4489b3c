#pragma once
// Raw commands sent with ExchangeBytes: the register answers the command
// bytes it knows. The table keys each command by its first bytes; a command
// without a handler is refused with code 55.
//
// A new area adds its commands in one function called from BuildRawCommands
// (OrvekRawCommands.cpp):
//   t.Add(QByteArray::fromHex("FEEB"), &BoardVersion);
#include "emulator/OrvekHandlers.h"

#include <QByteArray>
#include <utility>
#include <vector>

// Gets the whole command; fills the answer's data (what follows the command
// and the code byte) and returns the register's code.
using RawCommandHandler = std::int32_t (*)(OrvekCall& call, const QByteArray& command, QByteArray& data);

class RawCommandTable {
public:
    void Add(const QByteArray& prefix, RawCommandHandler handler) { FEntries.emplace_back(prefix, handler); }
    // The handler of the longest matching prefix, null when none.
    RawCommandHandler Find(const QByteArray& command) const;

private:
    std::vector<std::pair<QByteArray, RawCommandHandler>> FEntries;
};

const RawCommandTable& RawCommands();

// Areas.
void AddCoreRawCommands(RawCommandTable& t);
void AddFNRawCommands(RawCommandTable& t);
void AddBoardRawCommands(RawCommandTable& t);
