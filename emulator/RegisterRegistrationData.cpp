#include "emulator/RegisterRegistrationData.h"

#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterFN.h"

namespace {

int TableOfParam(EmulatedRegister& reg, int param)
{
    const ModelParam* p = reg.ModelParams().Find(param);
    return p ? p->Value.toInt() : 0;
}

} // namespace

void FillRegistrationTables(EmulatedRegister& reg)
{
    const FNRegistration& data = reg.Area<RegisterFN>().Registration;
    RegisterTables& tables = reg.Tables();
    if (const int fs = TableOfParam(reg, 72); tables.Find(fs)) {
        const std::pair<int, QVariant> fields[] = {
            {2, data.INN},
            {3, data.KKTRegistrationNumber},
            {6, data.TaxType},
            {7, QStringLiteral("ООО \"Эмулятор\"")},
            {8, QStringLiteral("Кассир Иванова")},
            {9, QStringLiteral("г. Москва, ул. Тестовая, 1")},
            {10, QStringLiteral("ООО \"Тестовый ОФД\"")},
            {11, QStringLiteral("www.ofd.example.ru")},
            {12, data.INNOFD},
            {14, QStringLiteral("Торговый зал")},
            {15, QStringLiteral("kassa@example.ru")},
            {17, data.WorkMode},
            {21, data.WorkModeEx},
        };
        for (const auto& [field, value] : fields)
            if (tables.Field(fs, field))
                tables.SetValue(fs, 1, field, value);
    }
    if (const int automat = TableOfParam(reg, 75); tables.Field(automat, 1))
        tables.SetValue(automat, 1, 1, QStringLiteral("A-000123"));
    for (int table : {TableOfParam(reg, 72), TableOfParam(reg, 75)})
        if (DeviceTable* t = tables.Find(table))
            t->Defaults = t->Values;
}
