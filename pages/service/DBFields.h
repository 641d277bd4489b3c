#pragma once
// The fields the two receipt database pages share: the FN serial number and
// the database folder (both may stay empty) with the note that says so.
#include "platform/ui/FormBuilder.h"

#include <QLineEdit>

template <class T>
void AddDBFields(TFormBuilder<T>& b, QLineEdit*& edtSerialNumber, QLineEdit*& edtDBFilePath)
{
    b.Edit({&edtSerialNumber, "edtSerialNumber"}, "ЗН ФН*:", {}, "SerialNumber");
    b.Edit({&edtDBFilePath, "edtDBFilePath"}, "Путь к файлам БД*:", {}, "DBFilePath");
    b.Label("lblNote", "* Поля можно не заполнять: тогда драйвер берет заводской номер ФН из подключенной ККТ, "
                       "а путь к файлам БД из своих настроек")
        ->setWordWrap(true);
}
