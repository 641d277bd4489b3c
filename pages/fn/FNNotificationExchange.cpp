#include "pages/fn/FNNotificationExchange.h"

#include "core/driver/untDriver.h"
#include "core/support/SysUtils.h"

QString MessageStateToStr(int Value)
{
    switch (Value) {
    case 0: return QStringLiteral("нет активного обмена");
    case 1: return QStringLiteral("начато чтение уведомления");
    case 2: return QStringLiteral("ожидание квитанции на уведомление");
    default: return QStringLiteral("неизвестное значение");
    }
}

QStringList NotificationExchangeLines()
{
    TDriver& d = Driver();
    const int state = d.MessageState();
    QStringList lines;
    lines << QStringLiteral("Состояние передачи уведомлений   : %1, %2").arg(state).arg(MessageStateToStr(state));
    lines << QStringLiteral("Количество уведомлений в очереди : %1").arg(d.MessageCount());
    lines << QStringLiteral("Номер текущего уведомления       : %1").arg(d.MessageNumber());
    const TDateTime when = d.Date() + d.Time();
    const QString prefix = QStringLiteral("Дата и время текущего уведомления: ");
    if (when != 0)
        lines << prefix + DateTimeToStr(DateTimeToQDateTime(when));
    else
        lines << prefix + QStringLiteral("на все уведомления получена квитанция");
    lines << QStringLiteral("Заполн. обл. хранения уведомлений  : %1%").arg(d.FreeMemorySize());
    return lines;
}
