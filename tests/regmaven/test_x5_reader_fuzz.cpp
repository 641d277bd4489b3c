// The X5 reader's fuzz entry over a seeded corpus and seeded random mutations of it.
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QStringEncoder>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(x5_reader_fuzz, SeededCorpusAndMutations)
{
    const QString file = QStringLiteral(
        "наименование пользователя: ООО Ромашка\nАдрес: г. Москва\nИНН пользователя: 7707083893\n"
        "рег. номер ККТ: 0000000001012345\nсистемы налогообложения: 1\nПризнак банковского агента: 0\n"
        "Признак банковского субагента: 1\nпризнак платежного агента: 0\nПризнак платежного субагента: 0\n"
        "автономный режим: 0\nпризнак АС БСО: 0\nпризнак шифрования: 1\nавтоматический режим: 0\n"
        "признак услуги: 0\nпризнак расчетов в интернете: 0\nпризнак лотереи: 0\nпризнак развозной торговли: 0\n"
        "признак продажи подакцизных товаров: 1\nпризнак проведения игр: 0\nпризнак платежный терминал: 0\n"
        "признак установки принтера в автомате: 0\nместо расчетов: Магазин\nнаименование ОФД: ОФД\n"
        "ИНН ОФД: 7704211201\nСервер ОФД: ofd.example.ru\nПорт: 7777\n");
    QStringEncoder utf16(QStringConverter::Utf16LE);
    const QList<QByteArray> corpus = {
        "", ":", "\r\n", "Порт:", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF\x00", file.toUtf8(),
        "\xEF\xBB\xBF" + file.toUtf8(), "\xFF\xFE" + QByteArray(utf16.encode(file)),
        file.toUtf8().replace("налогообложения: 1", "налогообложения: 9"),
        file.toUtf8().replace("Порт: 7777", "Порт: 77x7"),
    };
    const char alphabet[] = "0123456789:\r\n -\xEF\xBB\xBF\xFF\xFE\xC0\xD0\x00";
    FuzzSeededCorpus(&LLVMFuzzerTestOneInput, corpus, QByteArray(alphabet, sizeof alphabet - 1), 5000);
}
