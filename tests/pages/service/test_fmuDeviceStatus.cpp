// The status queries page against the emulated register.
#include "pages/service/fmuDeviceStatus.h"

#include "core/driver/PrinterTypes.h"
#include "core/support/Format.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

using M = OrvekMethod;

namespace {
QString Line(const QString& name, const QString& value, int width = 26)
{
    return QLatin1Char(' ') + name.leftJustified(width) + QStringLiteral(": ") + value;
}

QString Bool(const QString& name, bool value)
{
    return Line(name, value ? QStringLiteral("[да]") : QStringLiteral("[нет]"), 33);
}

const QString Separator = QLatin1Char(' ') + QString(40, QLatin1Char('-'));
} // namespace

class DeviceStatusTest : public PageTest<TfmDeviceStatus> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        SetDecimalSeparator(QLatin1Char(','));
    }
    void TearDown() override
    {
        PageTest::TearDown();
        SetDecimalSeparator(QLatin1Char('.'));
    }

    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    bool Has(const QString& line) const { return Lines().contains(line); }
    void SetParam(int number, const QVariant& value) { TestRegister().ModelParams().Set(number, value); }
    QStringList Long()
    {
        Page->btnEcrStatus->click();
        return Lines();
    }
    QStringList Short()
    {
        Page->btnShortEcrStatus->click();
        return Lines();
    }
};

TEST_F(DeviceStatusTest, LongStatusLines)
{
    RegisterState& s = TestRegister().State();
    s.INN.clear();
    s.Flags = 0x2A0;
    s.FMFlagsEx = 8;  // blocked by the tax password
    SetParam(28, true);
    const QStringList lines = Long();
    EXPECT_EQ(lines.mid(0, 6), (QStringList{{}, Separator, QStringLiteral(" Запрос состояния:"), Separator,
                                            QStringLiteral(" Режим: "),
                                            QStringLiteral("  4, ") + EmulatedRegister::ModeDescription(4)}));
    EXPECT_TRUE(lines.contains(QStringLiteral(" ИНН                       : не задан")));
    EXPECT_TRUE(lines.contains(QStringLiteral(" Флаги кассовой техники    : 02A0h, 672")));
    EXPECT_TRUE(lines.contains(QStringLiteral(" Блокировка ККТ по неверному паролю НИ: [да]")));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Интерфейс подключения"), QStringLiteral("0, RS-232"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Версия ПО"), QStringLiteral("D.1"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Дата ПО"), QStringLiteral("20.11.2023"))));
    EXPECT_EQ(Page->Memo->textCursor().position(), 0);
}

// A device with an FN shows no FM lines and two flag lines fewer.
TEST_F(DeviceStatusTest, LongStatusWithAndWithoutFN)
{
    const QStringList fmLines = {Line(QStringLiteral("Версия ПО ФП"), QStringLiteral("D.1")),
                                 Line(QStringLiteral("Количество фискализаций"), QStringLiteral("0")),
                                 Line(QStringLiteral("Свободных записей в ФП"), QStringLiteral("0")),
                                 Line(QStringLiteral("Флаги ФП"), QStringLiteral("00h, 0")),
                                 Bool(QStringLiteral("Батарея ФП заряжена более 80 %"), true),
                                 Bool(QStringLiteral("ЭКЛЗ есть"), false)};
    auto flagLines = [](const QStringList& lines) {
        int from = lines.indexOf(Line(QStringLiteral("Флаги кассовой техники"), QStringLiteral("0292h, 658")));
        int count = 0;
        for (int i = from + 2; i < lines.size() && lines[i] != Separator; ++i)
            ++count;
        return count;
    };
    QStringList lines = Long();
    for (const QString& line : fmLines)
        EXPECT_FALSE(lines.contains(line)) << line.toStdString();
    EXPECT_EQ(flagLines(lines), 14);

    SetParam(71, false);
    TestRegister().State().FMFlags = 16;  // battery low
    lines = Long();
    for (const QString& line : fmLines.mid(0, 3))
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Флаги ФП"), QStringLiteral("10h, 16"))));
    EXPECT_TRUE(lines.contains(Bool(QStringLiteral("Батарея ФП заряжена более 80 %"), false)));
    EXPECT_EQ(flagLines(lines), 16);
}

TEST_F(DeviceStatusTest, SKNOBlock)
{
    SetParam(57, true);
    TestRegister().State().SKNOStatus = 0x41;
    const QStringList lines = Long();
    const int at = lines.indexOf(QStringLiteral("Статус СКНО: 0041h"));
    ASSERT_GT(at, 0);
    EXPECT_EQ(lines.mid(at + 1, 2), (QStringList{QStringLiteral("Занят: [да]"), QStringLiteral("СКЗИ: [нет]")}));
    EXPECT_EQ(lines[at + 7], QStringLiteral("Идентификация прошла успешно: [да]"));
    EXPECT_EQ(lines.size(), at + 13);
}

TEST_F(DeviceStatusTest, ShortStatusLines)
{
    TestRegister().State().LastPrintResult = 3;
    QStringList lines = Short();
    EXPECT_EQ(lines[5], QStringLiteral(" 4, ") + EmulatedRegister::ModeDescription(4));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Напряжение батареи, В"), QStringLiteral("3,10"))));
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Результат последней печати"), QStringLiteral("3"))));
    EXPECT_FALSE(lines.join('\n').contains(QStringLiteral("ключей")));

    SetParam(50, false);
    EXPECT_FALSE(Short().join('\n').contains(QStringLiteral("Результат последней печати")));
}

TEST_F(DeviceStatusTest, Model254KeyUpdate)
{
    SetParam(32, 254);
    struct Case {
        int Code, Status;
        QString CodeText, StatusText, Keys;
    } cases[] = {
        {0, 13, QStringLiteral("0, ОБНОВЛЕНО КЛЮЧЕЙ: 3, ОШИБОК НЕТ"), QStringLiteral("13, Требуется обновление"),
         QStringLiteral("3")},
        {0, 0, QStringLiteral("0, ОБНОВЛЕНО КЛЮЧЕЙ: 0, ОШИБОК НЕТ"), QStringLiteral("0, "), QStringLiteral("0")},
        {255, 2, QStringLiteral("255, Нет связи с сервером АС ОКП"), QStringLiteral("2, Требуется срочное обновление"),
         QStringLiteral("0")},
    };
    for (const Case& c : cases) {
        TestRegister().Area<RegisterFN>().LastKeyUpdate = {c.Code, c.Status};
        const QStringList lines = Short();
        EXPECT_TRUE(lines.contains(Line(QStringLiteral("Код ошибки при обновлении ключей"), c.CodeText))) << c.Code;
        EXPECT_TRUE(lines.contains(Line(QStringLiteral("Статус обновления ключей"), c.StatusText))) << c.Status;
        EXPECT_TRUE(lines.contains(Line(QStringLiteral("Кол-во обновленных ключей"), c.Keys))) << c.Status;
    }
}

TEST_F(DeviceStatusTest, Decoders)
{
    using T = TfmDeviceStatus;
    EXPECT_EQ(T::UpdateKeysErrorCodeToStr(254, 0), QStringLiteral("Обновление не производилось, потому что не требуется"));
    EXPECT_EQ(T::UpdateKeysErrorCodeToStr(255, 0), QStringLiteral("Нет связи с сервером АС ОКП"));
    EXPECT_EQ(T::UpdateKeysErrorCodeToStr(3, 0), GetFNErrorDescription(3));
    EXPECT_EQ(T::UpdateKeysStatusToStr(3), QStringLiteral("Требуется срочное обновление"));  // bit 1 first
    EXPECT_EQ(T::UpdateKeysStatusToStr(1), QStringLiteral("Требуется обновление"));
    EXPECT_EQ(T::UpdateKeysStatusToStr(4), QString());
    EXPECT_EQ(T::GetKeysCount(-1), 0x3FFFFFFFu);
    EXPECT_EQ(T::PortNumToStr(3), QStringLiteral("I2C (Основная плата)"));
    EXPECT_EQ(T::PortNumToStr(5), QStringLiteral("неизвестный тип"));
    EXPECT_EQ(T::FMRecordTypeToStr(0), QStringLiteral("Фиск./активиз. ЭКЛЗ"));
    EXPECT_EQ(T::FMRecordTypeToStr(7), QStringLiteral("Сменный итог"));
}

TEST_F(DeviceStatusTest, ModelParameters)
{
    SetParam(32, 254);
    Page->btnGetModelParams->click();
    const QStringList lines = Lines();
    const auto& all = TestRegister().ModelParams().All();
    EXPECT_EQ(lines.size(), 4 + int(all.size()));
    EXPECT_EQ(lines[2], QStringLiteral(" Параметры Модели:"));
    EXPECT_TRUE(lines.contains(QStringLiteral("   32. Код модели").leftJustified(45) + QStringLiteral(": 254")));
    EXPECT_TRUE(lines.contains(QStringLiteral("    4. Датчик чековой ленты").leftJustified(45) + QStringLiteral(": [да]")));

    // A failing read at index 5 keeps the five lines before it.
    TestRegister().Faults().FailWhen(M::ReadModelParam, OrvekProp::ModelParamIndex, 5, 51);
    Page->btnGetModelParams->click();
    EXPECT_EQ(Lines().size(), 4 + 5);

    TestRegister().ModelParams() = RegisterModelParams{};
    Page->btnGetModelParams->click();
    EXPECT_EQ(Lines().size(), 4);
}

TEST_F(DeviceStatusTest, FailingFirstCallLeavesMemoEmpty)
{
    const std::pair<QPushButton*, M> cases[] = {
        {Page->btnEcrStatus, M::GetECRStatus},       {Page->btnShortEcrStatus, M::GetShortECRStatus},
        {Page->btnDeviceMetrics, M::GetDeviceMetrics}, {Page->btnGetModelParams, M::GetDeviceMetrics},
        {Page->btnErrorList, M::GetDeviceMetrics},   {Page->btnSerial, M::ReadSerialNumber},
    };
    for (const auto& [button, method] : cases) {
        Page->btnDriverVersion->click();
        TestRegister().Faults().FailNext(method, 80);
        button->click();
        EXPECT_EQ(Page->Memo->toPlainText(), QString()) << button->objectName().toStdString();
        EXPECT_EQ(Driver().ResultCode(), 80);
        EXPECT_TRUE(button->isEnabled());
    }
}

TEST_F(DeviceStatusTest, SerialNumber)
{
    Page->btnSerial->click();
    EXPECT_EQ(Lines(), QStringList{Line(QStringLiteral("Заводской номер"), QStringLiteral("0000000000012345"))});
    TestRegister().State().Serial.clear();
    Page->btnSerial->click();
    EXPECT_EQ(Lines(), QStringList{Line(QStringLiteral("Заводской номер"), QStringLiteral("не введен"))});
}

TEST_F(DeviceStatusTest, ErrorDescriptions)
{
    Page->btnErrorList->click();
    QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 4 + 256);
    EXPECT_EQ(lines[2], QStringLiteral(" Описания ошибок"));
    EXPECT_TRUE(lines[4 + 10].startsWith(QStringLiteral(" 0A: ")));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral(" FF: ")));

    TestRegister().State().LastErrorCode = 9;
    Page->btnErrorList->click();
    EXPECT_EQ(Lines().size(), 4 + 10);
}

TEST_F(DeviceStatusTest, MetricsAndDriverVersion)
{
    Page->btnDeviceMetrics->click();
    QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[4], QStringLiteral(" Кодовая страница    : 0, Русский"));
    EXPECT_EQ(lines[10], QStringLiteral(" Модель устройства   : 17"));

    Page->btnDriverVersion->click();
    lines = Lines();
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[2], QStringLiteral(" Версия драйвера:"));
    EXPECT_EQ(lines[8], QStringLiteral(" Полная версия : ") + Driver().DriverVersion());
}

TEST_F(DeviceStatusTest, ResetEndsOpenReceipt)
{
    TDriver& d = Driver();
    d.setPrice(1000000);
    d.setQuantity(1);
    d.setDepartment(1);
    ASSERT_EQ(d.Sale(), 0);
    ASSERT_TRUE(TestRegister().Area<RegisterReceipt>().IsOpen());
    Page->btnResetPrinter->click();
    EXPECT_EQ(d.ResultCode(), 0);
    EXPECT_FALSE(TestRegister().Area<RegisterReceipt>().IsOpen());
    EXPECT_EQ(TestRegister().Mode(), 2);
}

TEST_F(DeviceStatusTest, TablesDialogOnThePagesWindow)
{
    int shown = 0;
    ScriptOrvekDialog([&](QDialog& dialog) {
        ++shown;
        EXPECT_EQ(dialog.parentWidget(), Page.get());
        return QDialog::Rejected;
    });
    Page->btnTables->click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Driver().ParentWnd(), int32_t(Page->winId()));
}
