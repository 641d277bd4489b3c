#pragma once
// The marking-notification exchange: the lines of FNGetKMServerExchangeStatus,
// shared by the OFD page and the marking page "КТ 2".
#include <QString>
#include <QStringList>

QString MessageStateToStr(int Value);
// The five lines of the driver's notification-exchange state, read after
// FNGetKMServerExchangeStatus.
QStringList NotificationExchangeLines();
