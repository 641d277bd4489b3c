// Tag descriptions from the driver's tag dictionary, and the receipt
// attributes that the driver sends as tags of the document being built:
// the customer's e-mail or phone (1008), the sender's e-mail (1117) and the
// user's additional attribute (1084 with 1085 and 1086).
#include "core/support/CodePage.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterTags.h"

#include <QHash>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

struct TagInfo {
    int Type;    // the driver's tag type code
    int Length;  // the longest value in bytes
    const char* Description;
};

// FVLN tags of the first formats are reported with type 4, as the driver does.
const QHash<int, TagInfo>& Dictionary()
{
    static const QHash<int, TagInfo> tags = {
        {1005, {7, 256, "Адрес оператора перевода"}},
        {1008, {7, 64, "Телефон или электронный адрес покупателя"}},
        {1009, {7, 256, "Адрес расчетов"}},
        {1016, {7, 12, "ИНН оператора перевода"}},
        {1021, {7, 64, "Кассир"}},
        {1023, {4, 8, "Количество предмета расчета"}},
        {1026, {7, 64, "Наименование оператора перевода"}},
        {1030, {7, 128, "Наименование предмета расчета"}},
        {1031, {3, 6, "Сумма по чеку (БСО) наличными"}},
        {1044, {7, 24, "Операция платежного агента"}},
        {1048, {7, 256, "Наименование пользователя"}},
        {1055, {0, 1, "Применяемая система налогообложения"}},
        {1057, {0, 1, "Признак агента"}},
        {1073, {7, 19, "Телефон платежного агента"}},
        {1074, {7, 19, "Телефон оператора по приему платежей"}},
        {1075, {7, 19, "Телефон оператора перевода"}},
        {1079, {3, 6, "Цена за единицу предмета расчета"}},
        {1081, {3, 6, "Сумма по чеку (БСО) безналичными"}},
        {1082, {3, 6, "Сумма оплаты безналичными"}},
        {1084, {8, 320, "Дополнительный реквизит пользователя"}},
        {1085, {7, 64, "Наименование дополнительного реквизита пользователя"}},
        {1086, {7, 256, "Значение дополнительного реквизита пользователя"}},
        {1117, {7, 64, "Адрес электронной почты отправителя чека"}},
        {1162, {9, 32, "Код товара"}},
        {1171, {7, 19, "Телефон поставщика"}},
        {1173, {0, 1, "Тип коррекции"}},
        {1174, {8, 292, "Основание для коррекции"}},
        {1177, {7, 256, "Описание коррекции"}},
        {1178, {6, 4, "Дата совершения корректируемого расчета"}},
        {1179, {7, 32, "Номер предписания налогового органа"}},
        {1187, {7, 256, "Место расчетов"}},
        {1191, {7, 64, "Дополнительный реквизит предмета расчета"}},
        {1192, {7, 16, "Дополнительный реквизит чека (БСО)"}},
        {1212, {0, 1, "Признак предмета расчета"}},
        {1214, {0, 1, "Признак способа расчета"}},
        {1222, {0, 1, "Признак агента по предмету расчета"}},
        {1223, {8, 512, "Данные агента"}},
        {1224, {8, 512, "Данные поставщика"}},
        {1225, {7, 256, "Наименование поставщика"}},
        {1226, {7, 12, "ИНН поставщика"}},
        {1227, {7, 256, "Покупатель (клиент)"}},
        {1228, {7, 12, "ИНН покупателя (клиента)"}},
        {1235, {8, 512, "Сведения об оплате в безналичном порядке"}},
        {1236, {0, 1, "Признак способа оплаты в безналичном порядке"}},
        {1237, {7, 256, "Идентификаторы безналичной оплаты"}},
        {1238, {7, 256, "Дополнительные сведения о безналичной оплате"}},
        {1243, {7, 10, "Дата рождения покупателя (клиента)"}},
        {1244, {7, 3, "Гражданство"}},
        {1245, {7, 2, "Код вида документа, удостоверяющего личность"}},
        {1246, {7, 64, "Данные документа, удостоверяющего личность"}},
        {1254, {7, 256, "Адрес покупателя (клиента)"}},
        {1256, {8, 1024, "Сведения о покупателе (клиенте)"}},
        {1260, {8, 325, "Отраслевой реквизит предмета расчета"}},
        {1261, {8, 325, "Отраслевой реквизит чека"}},
        {1262, {7, 3, "Идентификатор ФОИВ"}},
        {1263, {7, 10, "Дата документа основания"}},
        {1264, {7, 32, "Номер документа основания"}},
        {1265, {7, 256, "Значение отраслевого реквизита"}},
        {1270, {8, 144, "Операционный реквизит чека"}},
        {1271, {0, 1, "Идентификатор операции"}},
        {1272, {7, 64, "Данные операции"}},
        {1273, {6, 4, "Дата, время операции"}},
        {1291, {8, 48, "Дробное количество маркированного товара"}},
        {1293, {3, 8, "Числитель"}},
        {1294, {3, 8, "Знаменатель"}},
    };
    return tags;
}

std::int32_t FNGetTagDescription(OrvekCall& c)
{
    auto it = Dictionary().constFind(c.Int(P::TagNumber));
    if (it == Dictionary().constEnd())
        return OrvekResult::BadParameter;
    c.Set(P::TagType, it->Type);
    c.Set(P::TagValueLength, it->Length);
    c.Set(P::TagDescription, QString::fromUtf8(it->Description));
    return OrvekResult::Ok;
}

// A string tag of at most maxLength characters; false when the text is
// empty or too long.
bool StringTag(int number, const QString& text, int maxLength, FNTag& tag)
{
    if (text.isEmpty() || text.size() > maxLength)
        return false;
    tag.Number = number;
    tag.Type = 7;
    tag.Value = WideToOem(text);
    return true;
}

std::int32_t SendStringTag(OrvekCall& c, int number, OrvekProp prop, int maxLength)
{
    FNTag tag;
    if (!StringTag(number, c.Str(prop), maxLength, tag))
        return OrvekResult::BadParameter;
    c.Request = tag.Tlv();
    return RegisterTags::Send(c.Reg(), std::move(tag));
}

std::int32_t FNSendCustomerEmail(OrvekCall& c)
{
    return SendStringTag(c, 1008, P::CustomerEmail, 64);
}

std::int32_t FNSendSenderEmail(OrvekCall& c)
{
    return SendStringTag(c, 1117, P::EmailAddress, 64);
}

std::int32_t FNSendUserAttribute(OrvekCall& c)
{
    FNTag name, value;
    if (!StringTag(1085, c.Str(P::UserAttributeName), 64, name) ||
        !StringTag(1086, c.Str(P::UserAttributeValue), 256, value))
        return OrvekResult::BadParameter;
    FNTag attribute;
    attribute.Number = 1084;
    attribute.Type = 8;
    attribute.Value = name.Tlv() + value.Tlv();
    attribute.Items = {std::move(name), std::move(value)};
    c.Request = attribute.Tlv();
    return RegisterTags::Send(c.Reg(), std::move(attribute));
}
} // namespace

void AddTagEntryHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNGetTagDescription, OrvekAccess::Local, 0, &FNGetTagDescription);
    t.Add(M::FNSendCustomerEmail, OrvekAccess::Device, 0xFF0C, &FNSendCustomerEmail);
    t.Add(M::FNSendSenderEmail, OrvekAccess::Device, 0xFF0C, &FNSendSenderEmail);
    t.Add(M::FNSendUserAttribute, OrvekAccess::Device, 0xFF0C, &FNSendUserAttribute);
}
