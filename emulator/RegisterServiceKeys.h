#pragma once
// The service centre's password and the authorisation key of an emulated
// register.
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <cstdint>

struct RegisterServiceKeys : RegisterArea {
    static constexpr std::int32_t MaxSCPassword = 99999999;  // up to 8 digits
    static constexpr int AuthKeySize = 16;

    std::int32_t SCPassword = 0;
    QByteArray AuthKey;  // empty: none written

    void Keep(StateArchive& a) { a(SCPassword, AuthKey); }
};
