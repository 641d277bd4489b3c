#pragma once
// Report lines the FN pages share: the registration data's tax systems, work
// modes, extended work modes and reason codes, each as a value line followed
// by one line per bit.
#include "core/pages/MemoReport.h"

#include <QString>
#include <cstdint>

// "Код сист. налогообложения": the value, then a yes/no line for bits 0 to 5
// ("  ОСН" ... "  Патент").
void AddTaxSystem(TMemoReport& Report, int TaxType);
// "Режим работы": the value, then yes/no lines for bits 0 to Bits-1
// ("  Шифрование" ... "  Применение в Интернет" for 6, the catering and
// wholesale bits 6 and 7 for 8).
void AddWorkMode(TMemoReport& Report, int WorkMode, int Bits = 6);
// "Расширенные признаки работы ККТ": the value, then yes/no lines for bits 0
// to Bits-1 (4: up to the printer in a vending machine; 8: the FFD 1.2 bits).
void AddWorkModeEx(TMemoReport& Report, int WorkModeEx, int Bits = 4);
// "Код причины изменения сведений о ККТ": the mask as an unsigned number,
// then a "[да]" line for each set bit of the reason-code table; clear bits
// and bits 22 to 30 add nothing.
void AddRegistrationReasonCodeEx(TMemoReport& Report, uint32_t Codes);

// The keys updated, from UpdateKeysStatus (its bits 2 and up).
uint32_t KeysCount(int32_t Status);
// The key-update state after opening a session, from UpdateKeysResultCode and
// UpdateKeysStatus: "ОБНОВЛЕНО КЛЮЧЕЙ: %d, ОШИБОК НЕТ", "Обновление не
// требуется", "НЕТ СВЯЗИ" or the FN error's text, then a second line when
// bit 1 or bit 0 of the status is set.
QString UpdateKeysResultText();
