#include "emulator/OrvekResultCodes.h"

#include <QHash>

namespace {
const QHash<std::int32_t, QString>& Texts()
{
    static const QHash<std::int32_t, QString> texts = {
        {0, QStringLiteral("Ошибок нет")},
        {-1, QStringLiteral("Нет связи")},
        {-2, QStringLiteral("Порт занят другим объектом драйвера")},
        {-3, QStringLiteral("Порт недоступен")},
        {-4, QStringLiteral("Не удалось сохранить настройки драйвера")},
        {-6, QStringLiteral("Ошибка записи файла")},
        {-41, QStringLiteral("Нет больше документов")},
        {-42, QStringLiteral("База документов не найдена")},
        {-43, QStringLiteral("Ошибка базы документов")},
        {-44, QStringLiteral("Документ не найден")},
        {-51, QStringLiteral("Операция прервана пользователем")},
        {-52, QStringLiteral("Логическое устройство не найдено")},
        {-100, QStringLiteral("Метод не поддерживается эмулируемой ККТ")},
        {1, QStringLiteral("ФН: Неизвестная команда, неверный формат посылки или неизвестные параметры")},
        {2, QStringLiteral("ФН: Другое состояние ФН")},
        {3, QStringLiteral("ФН: Отказ ФН")},
        {8, QStringLiteral("ФН: Нет запрошенных данных")},
        {9, QStringLiteral("ФН: Некорректное значение параметров команды")},
        {17, QStringLiteral("ФН: Нет транспортного соединения")},
        {18, QStringLiteral("ФН: Исчерпан ресурс ФН")},
        {50, QStringLiteral("ФН занят обработкой предыдущей команды")},
        {51, QStringLiteral("Некорректные параметры в команде")},
        {55, QStringLiteral("Команда не поддерживается в данной реализации ККТ")},
        {67, QStringLiteral("Сумма безналичных оплат больше итога чека")},
        {69, QStringLiteral("Сумма оплаты меньше итога чека")},
        {70, QStringLiteral("Не хватает наличности в кассе")},
        {71, QStringLiteral("Сторно или скидка больше итога")},
        {74, QStringLiteral("Открыт чек - операция невозможна")},
        {75, QStringLiteral("Буфер чека переполнен")},
        {78, QStringLiteral("Смена превысила 24 часа")},
        {79, QStringLiteral("Неверный пароль")},
        {80, QStringLiteral("Идет печать предыдущей команды")},
        {88, QStringLiteral("Ожидание команды продолжения печати")},
        {93, QStringLiteral("Таблица, ряд или поле не определены")},
        {103, QStringLiteral("Ошибка связи с ФН")},
        {107, QStringLiteral("Нет чековой ленты")},
        {109, QStringLiteral("Нет чека в презентере")},
        {110, QStringLiteral("Заслонка презентера закрыта")},
        {115, QStringLiteral("Команда не поддерживается в данном режиме")},
        {116, QStringLiteral("Ошибка ОЗУ")},
        {126, QStringLiteral("Неверное значение в поле длины")},
        {192, QStringLiteral("Контроль даты и времени (подтвердите дату и время)")},
        {195, QStringLiteral("Нет отчета в буфере")},
        {196, QStringLiteral("Товар не найден в базе товаров")},
    };
    return texts;
}
} // namespace

QString OrvekResultDescription(std::int32_t code)
{
    auto it = Texts().constFind(code);
    return it != Texts().constEnd() ? *it : QStringLiteral("Неизвестная ошибка");
}
