#include "pages/fn/NotificationReader.h"

#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "platform/Exceptions.h"

namespace {
// The FN has no more notifications.
constexpr std::int32_t NoMoreData = 8;
// A notification's record keeps its length in two bytes.
constexpr int LargestNotification = 0xFFFF;
} // namespace

std::uint16_t NotificationCRC(const QByteArray& Data)
{
    return CRCCITT16(Data.left(2) + Data.mid(4));
}

bool ReadNotification(std::int32_t& Number, QByteArray& Data)
{
    TDriver& d = Driver();
    Data.clear();
    int expected = 0;
    std::int32_t code = 0;
    do {
        code = d.FNReadNotificationBlock();
        if (code == NoMoreData)
            break;
        TDriver::Check(code);
        if (Data.isEmpty() && d.DataOffset() != 0)
            return false;
        expected = d.NotificationSize();
        Number = d.NotificationNumber();
        const QByteArray block = WideToAnsi(d.DataBlock());
        if (block.isEmpty() && Data.size() != expected)
            throw Exception(QStringLiteral("Уведомление %1: пустой блок данных").arg(Number));
        Data += block;
        if (expected < 0 || expected > LargestNotification || Data.size() > expected)
            throw Exception(QStringLiteral("Уведомление %1: данных (%2 байт) больше размера уведомления (%3 байт)")
                                .arg(Number)
                                .arg(Data.size())
                                .arg(expected));
    } while (Data.size() != expected);
    return code != NoMoreData;
}
