#pragma once
// Reading one marking notification from the FN block by block
// (FNReadNotificationBlock), and the CRC its record carries. Shared by the
// marking page and the FN archive page.
#include <QByteArray>
#include <cstdint>

// CRCCITT16 over bytes 1 and 2 of the notification and bytes 5 to the end
// (bytes 3 and 4 hold the stored CRC, little-endian).
std::uint16_t NotificationCRC(const QByteArray& Data);

// Reads the next notification into Data and its number into Number; false
// when the FN has no more (result 8) or the first block does not start at
// offset 0. Any other failing call ends the handler silently (Check). An
// empty block, a notification over 65535 bytes or data beyond
// NotificationSize raise an Exception saying so.
bool ReadNotification(std::int32_t& Number, QByteArray& Data);
