// The reader of a register's kept state: any bytes are read into a register
// or refused, and the register can be written out again.
#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterStore.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EmulatedRegister reg;
    RegisterStore::ReadBytes(reg, QByteArrayView(data, qsizetype(size)));
    RegisterStore::StateOf(reg);
    return 0;
}
