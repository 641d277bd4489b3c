#pragma once
// Reasons for changing a register's registration data.
#include <QList>
#include <QString>

// A bit of the 32-bit reason-code mask (bits 0 to 21 and 31) and its text.
struct TReasonCodeItem {
    int Bit;
    QString Text;
};

// The reason-code table in its order.
const QList<TReasonCodeItem>& ReasonCodeTable();

// The re-registration reason: 1 "Замена ФН", 2 "Замена ОФД",
// 3 "Изменение реквизитов", 4 "Изменение настроек ККТ"; empty otherwise.
QString RegistrationReasonName(int code);
