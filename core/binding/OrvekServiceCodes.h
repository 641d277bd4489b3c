#pragma once
// Fixed codes of the register's service commands: the program sends them and
// the register (the emulated one too) accepts only these.
#include <QByteArray>
#include <cstdint>

namespace OrvekService {
// The service table, written only under the service password.
inline constexpr std::int32_t ServiceTable = 10;
// The password of the service table's writes.
inline constexpr std::int32_t ServicePassword = 917364528;
// The four bytes that follow FE E2 (the last fiscal document's date).
inline QByteArray AccessCode()
{
    return QByteArray::fromHex("4C517A09");
}
} // namespace OrvekService
