#include "emulator/RegisterTables.h"

#include "emulator/OrvekResultCodes.h"

#include <limits>

namespace {
TableField I(const char* name, std::int32_t def = 0, std::int32_t max = 255, std::int32_t min = 0, int size = 1)
{
    return {QString::fromUtf8(name), false, size, min, max, QVariant(def)};
}
TableField I32(const char* name, std::int32_t def = 0)
{
    return I(name, def, std::numeric_limits<std::int32_t>::max(), 0, 4);
}
// A 32-bit mask: every bit pattern, kept as the signed value of its bits.
TableField Mask32(const char* name)
{
    return I(name, 0, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(), 4);
}
TableField I16(const char* name, std::int32_t def = 0)
{
    return I(name, def, 65535, 0, 2);
}
TableField S(const char* name, int size, const QString& def = {})
{
    return {QString::fromUtf8(name), true, size, 0, 0, QVariant(def)};
}
// Integer fields named "<prefix> N" for the numbers first..last.
void AddNumbered(std::vector<TableField>& fields, const char* prefix, int first, int last,
                 std::int32_t def = 0, std::int32_t max = 255)
{
    for (int i = first; i <= last; ++i)
        fields.push_back({QString::fromUtf8(prefix) + QLatin1Char(' ') + QString::number(i), false, 1, 0, max,
                          QVariant(def)});
}
// Fills up to Count fields with reserve fields.
void PadTo(std::vector<TableField>& fields, std::size_t count)
{
    while (fields.size() < count)
        fields.push_back(I("Резерв"));
}
} // namespace

void RegisterTables::Build(bool typeTwo, const QString& serial)
{
    ++FChanges;
    FTables.clear();
    auto table = [this](const char* name, int rows, std::vector<TableField> fields) {
        DeviceTable t;
        t.Name = QString::fromUtf8(name);
        t.Rows = rows;
        t.Fields = std::move(fields);
        Add(std::move(t));
    };

    // 1
    {
        std::vector<TableField> f = {
            I("Номер кассы в магазине", 1, 99, 1),
            I("Автоматическое обнуление денежной наличности", 0, 1),
            I("Работа с денежным ящиком", 1, 1),
            I("Отрезка чека", 1, 2),
            I("Печать рекламного текста", 1, 1),
            I("Печать заголовка чека", 1, 1),
            I("Промотка ленты перед отрезкой", 0, 1),
            I("Печать необнуляемой суммы", 0, 1),
            I("Начисление налогов", 0, 1),
            I("Печать налогов", 0, 1),
            I("Печать итога чека крупным шрифтом", 1, 1),
            I("Звуковой сигнал при ошибке", 1, 1),
            I("Сохранение строк в буфере", 0, 1),
            I("Количество строк рекламного текста", 3, 10),
            I("Печать данных ЭКЛЗ", 0, 1),
            I("Формат печати чека", 1, 5),
            I("Печать отчетов на контрольной ленте", 0, 1),
            I("Округление цены", 0, 1),
            I("Печать номера отдела", 0, 1),
            I("Печать единицы измерения", 0, 1),
            I("Очистка буфера при открытии смены", 0, 1),
            I("Печать логотипа", 0, 1),
            I("Режим сжатия шрифта", 0, 1),
            I("Продолжение печати после подачи бумаги", 1, 1),
            I("Печать QR-кода", 1, 1),
            I("Звуковой сигнал при открытии ящика", 0, 1),
            I("Режим печати документа", 0, 1),
            I("Печать реквизитов пользователя", 1, 1),
            I("Межстрочный интервал", 4, 10),
            I("Яркость печати", 2, 5),
        };
        table("Тип и режим кассы", 1, std::move(f));
    }
    // 2
    table("Пароли кассиров и администраторов", 30, {I32("Пароль"), S("Имя", 21)});
    // 3
    table("Таблица перевода времени", 1,
          {I("Автоматический перевод времени", 0, 1), I("Часовой пояс", 0, 23)});
    // 4
    table("Текст в чеке", 14, {S("Строка", 64)});
    // 5
    table("Наименование типов оплаты", 16, {S("Наименование", 32)});
    // 6
    table("Налоговые ставки", 6, {I16("Ставка"), S("Наименование", 32)});
    // 7
    table("Наименование отделов", 16, {S("Наименование", 32)});
    // 8
    {
        std::vector<TableField> f;
        AddNumbered(f, "Шрифт элемента", 1, 24, 1, 7);
        table("Настройка шрифтов", 1, std::move(f));
    }
    // 9
    table("Таблица формата чека", 1, {I("Ширина поля цены", 10, 20), I("Ширина поля количества", 8, 20)});
    // 10
    {
        std::vector<TableField> f = {
            I("Режим обновления", 0, 1),
            I("Номер модели", 0),
            I("Режим отладки", 0, 1),
            I("Версия ФФД", typeTwo ? 4 : 0, 4),
            I("Режим ЭКЛЗ", 0, 1),
            I("Режим DFU", 0, 1),
            I("Узкая лента", 0, 1),
            I("Режим печати логотипа", 0, 1),
            I("Автотест при включении", 0, 1),
            I("Таймаут ФН, с", 5, 60),
            I("Чувствительность датчика чековой ленты", 130),
            I("Ускоренная печать", 0, 1),
            I("Режим энергосбережения", 0, 1),
            I("Обход ошибки ФН", 0, 1),
            I("Логирование", 0, 3),
        };
        PadTo(f, 28);
        for (TableField& field : f)
            field.ServiceOnly = true;
        // The FFD version of the newer generation, written by the operators.
        f.push_back(I("Версия ФФД (запись)", typeTwo ? 4 : 0, 4));
        PadTo(f, 31);
        // Set by the registration of the newer generation.
        f.push_back(I("Регистрационные реквизиты записаны", 0, 1));
        table("Служебная", 1, std::move(f));
    }
    // 11
    table("Настройки презентера", 1, {I("Режим презентера", 0, 3), I("Удержание чека", 0, 1)});
    // 12
    table("Настройки подкладного документа", 1, {I("Смещение по вертикали", 0), I("Смещение по горизонтали", 0)});
    // 13
    {
        std::vector<TableField> f;
        PadTo(f, 20);
        f.push_back(I("Расширенный режим работы", 0));
        f.push_back(Mask32("Коды причин изменения сведений"));
        table("Параметры кассового ядра", 1, std::move(f));
    }
    // 14
    table("Параметры подключения", 1,
          {I("Подключение через модуль модернизации", 0, 1), I("Интерфейс обмена", 0, 3)});
    // 15
    table("Параметры SD карты", 1, {I("Карта установлена", 0, 1), I("Запись журнала на карту", 0, 1)});
    // 16: the newer generation keeps its vending machine's number here; the
    // older one its network link.
    if (typeTwo) {
        table("Параметры автомата", 1, {S("Номер автомата", 20)});
    } else {
        // Field 2 is the DHCP state (10: address obtained), kept by RegisterNetwork.
        std::vector<TableField> f = {I("Статический IP", 0, 1), I("Состояние DHCP", 10)};
        const int ip[] = {192, 168, 137, 111}, mask[] = {255, 255, 255, 0}, gw[] = {192, 168, 137, 1},
                  dns[] = {8, 8, 8, 8}, socks[] = {0, 0, 0, 0};
        auto octets = [&f](const char* name, const int* v) {
            for (int i = 0; i < 4; ++i)
                f.push_back(I((QByteArray(name) + ' ' + QByteArray::number(i + 1)).constData(), v[i]));
        };
        octets("IP адрес", ip);
        octets("Шлюз", gw);
        octets("Маска подсети", mask);
        octets("DNS", dns);
        f.push_back(I("Клиент Socks5", 0, 1));
        octets("IP Socks5", socks);
        f.push_back(I16("Порт Socks5", 1080));
        table("Сетевые параметры", 1, std::move(f));
    }
    // 17
    {
        std::vector<TableField> f;
        f.push_back(I("Печать реквизитов ОФД", 1, 1));
        f.push_back(I("Печать e-mail", 0, 1));
        f.push_back(I("Формат фискальных данных", 2, 4));
        PadTo(f, 11);
        f.push_back(I32("Печать реквизитов"));
        PadTo(f, 16);
        f.push_back(I("Версия ФФД", typeTwo ? 0 : 4, 4));
        f.push_back(I("Форма печати чека", 0, 6));
        PadTo(f, 27);
        f.push_back(I32("Минимизация ЭФ"));
        PadTo(f, 55);
        f.push_back(I("Форма печати отчетов", 0, 6));
        PadTo(f, 65);
        f.push_back(I("Часовая зона", 2, 12));
        PadTo(f, 70);
        table("Региональные настройки", 1, std::move(f));
    }
    // 18
    table("Параметры ФН", 1,
          {S("Заводской номер ККТ", 20, serial), S("ИНН", 12), S("РН ККТ", 20), S("Заводской номер ФН", 16),
           I("Версия ФФД ФН", 4, 4), I("Система налогообложения", 1, 63), S("Пользователь", 255),
           S("Кассир", 64), S("Адрес расчетов", 255), S("Наименование ОФД", 64), S("Сайт ОФД", 64),
           S("ИНН ОФД", 12), S("Сайт ФНС", 64, QStringLiteral("www.nalog.gov.ru")), S("Место расчетов", 255),
           S("E-mail отправителя", 64), I("Признак агента", 0), I("Режим работы", 0), I("Автоматический режим", 0, 1),
           I("Номер автомата", 0), I("Шифрование", 0, 1), I("Расширенный режим работы", 0),
           Mask32("Коды причин изменения сведений")});
    // 19
    table("Параметры ОФД", 1,
          {S("Сервер", 64, QStringLiteral("ofd.example.ru")), I16("Порт", 7777), I16("Таймаут чтения ответа, с", 60),
           I("Таймаут соединения, с", 30), S("Сервер ОКП", 64, QStringLiteral("okp.example.ru")), I16("Порт ОКП", 7790)});
    // 20
    {
        std::vector<TableField> f = {I("Статус транспортного соединения", 0), I("Статус обмена", 0),
                                     I("Количество сообщений для ОФД", 0, 65535), I("Номер первого документа", 0),
                                     I("Состояние чтения сообщения", 0), I("Код ответа ОФД", 0),
                                     I("Код ошибки сети", 0)};
        for (int i = 1; i <= 10; ++i)
            f.push_back(S((QByteArray("Сообщение ") + QByteArray::number(i)).constData(), 64));
        table("Статус обмена с ОФД", 1, std::move(f));
    }
    // 21
    table("Параметры сети ОФД", 1,
          {I("Резерв"), I("Резерв"), I("Обмен с ОФД через ККТ", 0, 1), I16("Порт TCP", 7778), I("Резерв"),
           I("Wi-Fi", 0, 1), S("Точка доступа Wi-Fi", 32), S("Пароль Wi-Fi", 64), I("RNDIS", 0, 1)});
    // 22
    table("Параметры Wi-Fi", 1,
          {I("Статический IP Wi-Fi", 0, 1), S("IP адрес Wi-Fi", 15), S("Маска Wi-Fi", 15), S("Шлюз Wi-Fi", 15),
           S("DNS Wi-Fi", 15)});
    // 23
    table("Параметры маркировки", 1, {I("Режим проверки КМ", 0, 3), I("Таймаут проверки КМ, с", 5, 60)});
    // 24
    table("Параметры автомата", 1, {S("Номер автомата", 20), S("Адрес автомата", 255)});

    // Passwords and names of table 2: operators 1..28, the administrator, the system administrator.
    if (DeviceTable* t = Find(2))
        for (int row = 1; row <= t->Rows; ++row) {
            t->Values[std::size_t(row - 1)][0] = row;
            QString name = row == 30 ? QStringLiteral("СИС. АДМИНИСТРАТОР")
                         : row == 29 ? QStringLiteral("АДМИНИСТРАТОР")
                                     : QStringLiteral("Кассир %1").arg(row);
            t->Values[std::size_t(row - 1)][1] = name;
        }
    if (DeviceTable* t = Find(5)) {
        const char* names[] = {"НАЛИЧНЫМИ", "БЕЗНАЛИЧНЫМИ", "ПРЕДОПЛАТА", "ПОСТОПЛАТА"};
        for (int i = 0; i < 4; ++i)
            t->Values[std::size_t(i)][0] = QString::fromUtf8(names[i]);
    }
    if (DeviceTable* t = Find(6)) {
        const int rates[] = {2000, 1000, 0, 0, 0, 0};
        const char* names[] = {"НДС 20%", "НДС 10%", "НДС 0%", "БЕЗ НДС", "НДС 20/120", "НДС 10/110"};
        for (int i = 0; i < 6; ++i) {
            t->Values[std::size_t(i)][0] = rates[i];
            t->Values[std::size_t(i)][1] = QString::fromUtf8(names[i]);
        }
    }
    if (DeviceTable* t = Find(4)) {
        // The trailer (rows 1..3 by table 1), then the cliche.
        const char* texts[] = {"СПАСИБО ЗА ПОКУПКУ!", "", "", "ООО \"ЭМУЛЯТОР\"", "г. Москва, ул. Тестовая, 1"};
        for (int i = 0; i < int(std::size(texts)); ++i)
            t->Values[std::size_t(i)][0] = QString::fromUtf8(texts[i]);
    }
    if (DeviceTable* t = Find(7))
        for (int row = 1; row <= t->Rows; ++row)
            t->Values[std::size_t(row - 1)][0] = QStringLiteral("Отдел %1").arg(row);
    for (DeviceTable& t : FTables)
        t.Defaults = t.Values;
}

DeviceTable& RegisterTables::Add(DeviceTable table)
{
    ++FChanges;
    table.Number = Count() + 1;
    table.Values.assign(std::size_t(std::max(table.Rows, 0)), {});
    for (auto& row : table.Values)
        for (const TableField& f : table.Fields)
            row.push_back(f.Default);
    table.Defaults = table.Values;
    FTables.push_back(std::move(table));
    return FTables.back();
}

DeviceTable* RegisterTables::Find(int table)
{
    ++FChanges;
    return table >= 1 && table <= Count() ? &FTables[std::size_t(table - 1)] : nullptr;
}

const DeviceTable* RegisterTables::Find(int table) const
{
    return table >= 1 && table <= Count() ? &FTables[std::size_t(table - 1)] : nullptr;
}

const TableField* RegisterTables::Field(int table, int field) const
{
    const DeviceTable* t = Find(table);
    if (!t || field < 1 || field > int(t->Fields.size()))
        return nullptr;
    return &t->Fields[std::size_t(field - 1)];
}

std::int32_t RegisterTables::Read(int table, int row, int field, QVariant& value) const
{
    const DeviceTable* t = Find(table);
    if (!t || row < 1 || row > t->Rows || !Field(table, field))
        return OrvekResult::BadTableField;
    value = t->Values[std::size_t(row - 1)][std::size_t(field - 1)];
    return OrvekResult::Ok;
}

std::int32_t RegisterTables::Write(int table, int row, int field, const QVariant& value)
{
    DeviceTable* t = Find(table);
    if (!t || row < 1 || row > t->Rows || !Field(table, field))
        return OrvekResult::BadTableField;
    const TableField& f = t->Fields[std::size_t(field - 1)];
    QVariant v;
    if (f.IsString) {
        QString s = value.toString();
        if (s.size() > f.Size)
            return OrvekResult::BadParameter;
        v = s;
    } else {
        bool ok = false;
        qlonglong n = value.toLongLong(&ok);
        if (!ok || n < f.Min || n > f.Max)
            return OrvekResult::BadParameter;
        v = int(n);
    }
    t->Values[std::size_t(row - 1)][std::size_t(field - 1)] = v;
    return OrvekResult::Ok;
}

std::int32_t RegisterTables::Init(int table)
{
    DeviceTable* t = Find(table);
    if (!t)
        return OrvekResult::BadTableField;
    t->Values = t->Defaults;
    return OrvekResult::Ok;
}

QVariant RegisterTables::Value(int table, int row, int field) const
{
    QVariant v;
    Read(table, row, field, v);
    return v;
}

void RegisterTables::SetValue(int table, int row, int field, const QVariant& value)
{
    DeviceTable* t = Find(table);
    if (t && row >= 1 && row <= t->Rows && field >= 1 && field <= int(t->Fields.size()))
        t->Values[std::size_t(row - 1)][std::size_t(field - 1)] = value;
}

void RegisterTables::Keep(StateArchive& a)
{
    const std::size_t tables = a.Count(FTables.size());
    if (!a.Loading()) {
        for (DeviceTable& table : FTables)
            a(table.Number, table.Values);
        return;
    }
    for (std::size_t t = 0; t < tables && a.Ok(); ++t) {
        int number = 0;
        std::vector<std::vector<QVariant>> values;
        a(number, values);
        DeviceTable* table = Find(number);
        for (std::size_t row = 0; table && row < values.size() && row < table->Values.size(); ++row)
            for (std::size_t field = 0; field < values[row].size() && field < table->Values[row].size(); ++field)
                table->Values[row][field] = values[row][field];
    }
}
