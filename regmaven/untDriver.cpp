#include "regmaven/untDriver.h"

#include "core/binding/OrvekCodes.h"
#include "platform/Exceptions.h"
#include "platform/Hook.h"
#include "regmaven/untController.h"

#include <QScopeGuard>

#include <memory>

namespace Regmaven {

namespace {

std::unique_ptr<TOrvek>& Instance()
{
    static std::unique_ptr<TOrvek> driver;
    return driver;
}

THook<TBusyRetry>& RetryHook()
{
    static THook<TBusyRetry> hook(TBusyRetry{200, 150});
    return hook;
}

void SelectField(int Table, int Row, int Field)
{
    const int table = CorrectTableNumber(Table);
    Driver().setTableNumber(table);
    Driver().setRowNumber(Row);
    Driver().setFieldNumber(Field);
}

// While the FN is busy the window shows the wait; closing it stops the wait
// at the next pause, as a failed call would.
void Reissued(int32_t (TOrvek::*Method)())
{
    const TBusyRetry retry = RetryHook().Get();
    TWizardWindow* window = WizardWindow();
    const auto done = qScopeGuard([window] {
        if (window)
            window->ShowWaiting({});
    });
    int tries = 0;
    Check(CallWhileBusy(retry, [&] {
        if (tries > 0 && window && window->WaitStopped())
            throw Exception(QStringLiteral("Операция отменена пользователем"));
        const int32_t code = (Driver().*Method)();
        ++tries;
        if (window && OrvekResult::IsBusy(code) && tries < retry.MaxTries)
            window->ShowWaiting(QStringLiteral("ФН занят, ожидание: попытка %1 из %2. "
                                               "Закройте окно, чтобы прервать")
                                    .arg(tries + 1)
                                    .arg(retry.MaxTries));
        return code;
    }));
}

} // namespace

TOrvek& Driver()
{
    CreateDriver();
    return *Instance();
}

bool DriverExists()
{
    return Instance() != nullptr;
}

void CreateDriver()
{
    if (Instance())
        return;
    auto driver = std::make_unique<TOrvek>();
    driver->setOFDExchangeSuspended(true);
    Instance() = std::move(driver);
}

void FreeDriver()
{
    Instance().reset();
}

void Check(int32_t ResultCode)
{
    if (ResultCode != 0)
        throw Exception("Ошибка " + QString::number(ResultCode) + ", " + Driver().ResultCodeDescription());
}

bool IsPortHeld(int32_t ResultCode)
{
    return ResultCode == OrvekResult::PortBusy || ResultCode == OrvekResult::PortUnavailable;
}

QString PortHeldText()
{
    return QStringLiteral("Порт недоступен: ККТ занята другой программой");
}

int CorrectTableNumber(int Table)
{
    int param = 0;
    switch (Table) {
    case 18: param = 72; break;
    case 19: param = 73; break;
    case 24: param = 75; break;
    default: return Table;
    }
    Driver().setModelParamNumber(param);
    Check(Driver().ReadModelParamValue());
    return Driver().ModelParamValue().toInt();
}

int ReadTableInt(int Table, int Row, int Field)
{
    SelectField(Table, Row, Field);
    Check(Driver().ReadTable());
    return Driver().ValueOfFieldInteger();
}

QString ReadTableStr(int Table, int Row, int Field)
{
    SelectField(Table, Row, Field);
    Check(Driver().ReadTable());
    return Driver().ValueOfFieldString();
}

int TryReadTableInt(int Table, int Row, int Field)
{
    SelectField(Table, Row, Field);
    const int32_t code = Driver().ReadTable();
    if (code == OrvekResult::BadTableField)
        return 0;
    Check(code);
    return Driver().ValueOfFieldInteger();
}

QString TryReadTableStr(int Table, int Row, int Field)
{
    SelectField(Table, Row, Field);
    const int32_t code = Driver().ReadTable();
    if (code == OrvekResult::BadTableField)
        return {};
    Check(code);
    return Driver().ValueOfFieldString();
}

void WriteTableStr(int Table, int Row, int Field, const QString& Text)
{
    SelectField(Table, Row, Field);
    Driver().setValueOfFieldString(Text);
    Check(Driver().WriteTable());
}

void WriteTableInt(int Table, int Row, int Field, int Value)
{
    SelectField(Table, Row, Field);
    Check(Driver().GetFieldStruct());
    if (Driver().FieldType())
        Driver().setValueOfFieldString(QString::number(Value));
    else
        Driver().setValueOfFieldInteger(Value);
    Check(Driver().WriteTable());
}

void WriteFieldInt(int Table, int Field, int Value)
{
    SelectField(Table, 1, Field);
    Driver().setValueOfFieldInteger(Value);
    Check(Driver().WriteTable());
}

void CheckTableValue(const TTableValue& Value)
{
    const int table = CorrectTableNumber(Value.Table);
    const auto refuse = [&Value](const QString& Why) {
        throw Exception(QStringLiteral("Значение \"%1\" не может быть записано в ККТ: ").arg(Value.Name) + Why);
    };
    const QString missing = QStringLiteral("нет поля %1 в таблице %2").arg(Value.Field).arg(Value.Table);
    if (table <= 0)
        refuse(missing);
    TOrvek& d = Driver();
    d.setTableNumber(table);
    d.setFieldNumber(Value.Field);
    const int32_t code = d.GetFieldStruct();
    if (code == OrvekResult::BadTableField)
        refuse(missing);
    Check(code);
    const bool text = Value.Value.typeId() == QMetaType::QString;
    if (d.FieldType()) {
        const QString s = text ? Value.Value.toString() : QString::number(Value.Value.toInt());
        if (s.size() > d.FieldSize())
            refuse(QStringLiteral("длиннее %1 символов").arg(d.FieldSize()));
    } else if (!text && d.MINValueOfField() < d.MAXValueOfField()) {
        const int n = Value.Value.toInt();
        if (n < d.MINValueOfField() || n > d.MAXValueOfField())
            refuse(QStringLiteral("допустимо от %1 до %2").arg(d.MINValueOfField()).arg(d.MAXValueOfField()));
    }
}

void WriteTableValue(const TTableValue& Value)
{
    if (Value.Value.typeId() == QMetaType::QString)
        WriteTableStr(Value.Table, 1, Value.Field, Value.Value.toString());
    else
        WriteTableInt(Value.Table, 1, Value.Field, Value.Value.toInt());
}

bool ReadModelParam28()
{
    Driver().setModelParamNumber(28);
    // A failed read leaves the value of an earlier read behind.
    if (Driver().ReadModelParamValue() != 0)
        return false;
    // Equal to the boolean True: a boolean true, or the number -1 that True reads as.
    const QVariant value = Driver().ModelParamValue();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    bool isNumber = false;
    return value.toInt(&isNumber) == -1 && isNumber;
}

bool IsNewModel()
{
    Check(Driver().GetDeviceMetrics());
    return ReadModelParam28();
}

bool IsUModel19()
{
    Check(Driver().GetDeviceMetrics());
    return Driver().UModel() == 19;
}

int ReadFFDVersion()
{
    if (IsNewModel())
        return ReadTableInt(10, 1, 4);
    return ReadTableInt(17, 1, 17);
}

std::vector<TTableValue> FFDVersionValues(int FFD, bool NewModel)
{
    const QString name = QStringLiteral("Версия ФФД");
    if (NewModel)
        return {{10, 29, FFD == 1 ? 0 : FFD, name}};
    std::vector<TTableValue> values = {{17, 17, FFD, name}};
    if (FFD > 0)
        values.push_back({17, 3, 2, name});
    return values;
}

void WriteFFDVersion(int FFD)
{
    for (const TTableValue& value : FFDVersionValues(FFD, IsNewModel()))
        WriteTableValue(value);
}

void BeginRegistrationReport() { Reissued(&TOrvek::FNBeginRegistrationReport); }
void BuildRegistrationReport() { Reissued(&TOrvek::FNBuildRegistrationReport); }
void BuildReregistrationReport() { Reissued(&TOrvek::FNBuildReregistrationReport); }
void SendTag() { Reissued(&TOrvek::FNSendTag); }

TBusyRetry SetRetryPolicy(TBusyRetry Policy)
{
    return RetryHook().Set(Policy);
}

void SendTagStr(int Tag, const QString& Text)
{
    Driver().setTagNumber(Tag);
    Driver().setTagValueStr(Text);
    Driver().setTagType(OrvekTagType::String);
    SendTag();
}

void SendTagByte(int Tag, int Value)
{
    Driver().setTagNumber(Tag);
    Driver().setTagValueInt(Value & 0xFF);
    Driver().setTagType(OrvekTagType::Byte);
    SendTag();
}

} // namespace Regmaven
