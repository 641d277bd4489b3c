#pragma once
// Text documents of an emulated register: the non-fiscal document, the print
// buffer (the text lines printed since it was cleared) and the control tape
// (the lines printed on the journal ribbon since it was cleared).
#include "emulator/EmulatedRegister.h"

#include <cstdint>

struct RegisterTextPrint : RegisterArea {
    // The buffer keeps the latest lines.
    static constexpr int BufferCapacity = 4096;
    // The control tape prints its latest lines.
    static constexpr int JournalCapacity = 4096;

    bool NonfiscalOpen = false;
    std::uint64_t BufferMark = 0;   // RegisterPaper::Total() at the last clearing
    std::uint64_t JournalMark = 0;

    void Keep(StateArchive& a) { a(NonfiscalOpen, BufferMark, JournalMark); }
};
