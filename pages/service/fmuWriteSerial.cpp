#include "pages/service/fmuWriteSerial.h"

#include "core/driver/untDriver.h"
#include "core/support/SysUtils.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

namespace {
constexpr int SerialLength = 16;
} // namespace

TfmWriteSerial::TfmWriteSerial(QWidget* owner) : TPage(owner, "fmWriteSerial", PageCaption)
{
    using T = TfmWriteSerial;
    TFormBuilder<T> page(this);
    auto groups = page.Columns();
    auto serial = groups.Group("grpSerialNumber", QStringLiteral("Заводской номер"));
    serial.Edit(NAMED(edtSerialNumber), QStringLiteral("Зав. номер:"), QStringLiteral("0"), "SerialNumber");
    SetEditLimit(edtSerialNumber, SerialLength);
    serial.Buttons(1, {{NAMED(btnSetSerialNumber), QStringLiteral("Записать"), &T::btnSetSerialNumberClick,
                        "SetSerialNumber"}});
    auto point = groups.Group("grpPointPosition", QStringLiteral("Десятичная точка"));
    point.Combo(NAMED(cbPointPosition), QStringLiteral("Количество знаков:"), {QStringLiteral("0"), QStringLiteral("2")},
                0, "PointPosition");
    point.Buttons(1, {{NAMED(btnSetPointPosition), QStringLiteral("Установить положение точки"),
                       &T::btnSetPointPositionClick, "SetPointPosition"}});
    auto sc = groups.Group("grpSCPassword", QStringLiteral("Пароль ЦТО"));
    sc.Edit(NAMED(edtSCPassword), QStringLiteral("Пароль ЦТО:"), QStringLiteral("0"), "SCPassword");
    sc.Edit(NAMED(edtNewSCPassword), QStringLiteral("Новый пароль ЦТО:"), QStringLiteral("0"), "NewSCPassword");
    sc.Label("lblSCPasswordNote", QStringLiteral("Установка нового пароля ЦТО длиной до 8 символов"))->setWordWrap(true);
    sc.Buttons(1, {{NAMED(btnSetSCPassword), QStringLiteral("Установить пароль ЦТО"), &T::btnSetSCPasswordClick,
                    "SetSCPassword"}});
    page.Space();
}

void TfmWriteSerial::btnSetSerialNumberClick()
{
    Driver().setSerialNumber(edtSerialNumber->text());
    Driver().SetSerialNumber();
}

void TfmWriteSerial::btnSetPointPositionClick()
{
    Driver().setPointPosition(cbPointPosition->currentIndex() > 0);
    Driver().SetPointPosition();
}

void TfmWriteSerial::btnSetSCPasswordClick()
{
    const std::int32_t password = StrToInt(edtSCPassword->text());
    const std::int32_t next = StrToInt(edtNewSCPassword->text());
    Driver().setSCPassword(password);
    Driver().setNewSCPassword(next);
    Driver().SetSCPassword();
}
