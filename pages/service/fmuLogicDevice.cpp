#include "pages/service/fmuLogicDevice.h"

#include "core/driver/untDriver.h"
#include "pages/service/ConnectionControls.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
constexpr int MaxTextLength = 4096;
}

TfmLogicDevice::TfmLogicDevice(QWidget* owner) : TPage(owner, "fmLogicDevice", PageCaption)
{
    using T = TfmLogicDevice;
    TFormBuilder<T> page(this, nullptr, true);
    auto fields = page.Section();
    SetEditLimit(fields.Edit(NAMED(edtLDName), QStringLiteral("Название:"), {}, "LDName"), MaxTextLength);
    fields.Spin(NAMED(seLDNumber), QStringLiteral("Номер:"), 0, 1000000, 1, "LDNumber");
    fields.Spin(NAMED(seLDIndex), QStringLiteral("Индекс:"), 0, 1000000, 0, "LDIndex");
    fields.Edit(NAMED(edtLDCount), QStringLiteral("Количество:"), {}, "LDCount")->setReadOnly(true);
    fields.Combo(NAMED(cbComNumber), QStringLiteral("СOM порт:"), {QStringLiteral("COM1")}, 0, "LDComNumber");
    fields.Combo(NAMED(cbBaudRate), QStringLiteral("Скорость:"), BaudRateItems(), 6, "LDBaudrate");
    fields.Spin(NAMED(seTimeout), QStringLiteral("Таймаут:"), 0, 1000000, 1, "LDTimeout");
    // The computer's name with its browse button beside it.
    SetEditLimit(fields.Edit(NAMED(edtComputerName), QStringLiteral("Компьютер:"), {}, "LDComputerName"),
                 MaxTextLength);
    btnComputerName = NewButton(this, "btnComputerName", QStringLiteral("..."), this, &T::btnComputerNameClick);
    PlaceBrowseButton(fields.Grid(), edtComputerName, btnComputerName);
    fields.Space();
    page.Buttons(8, {
        {NAMED(btnAddLD), QStringLiteral("Добавить ЛУ"), &T::btnAddLDClick, "AddLD"},
        {NAMED(btnDeleteLD), QStringLiteral("Удалить ЛУ"), &T::btnDeleteLDClick, "DeleteLD"},
        {NAMED(btnGetCountLD), QStringLiteral("Количество ЛУ"), &T::btnGetCountLDClick, "GetCountLD"},
        {NAMED(btnEnumLD), QStringLiteral("Перечислить ЛУ"), &T::btnEnumLDClick, "EnumLD"},
        {NAMED(btnSetParamLD), QStringLiteral("Установить параметры ЛУ"), &T::btnSetParamLDClick, "SetParamLD"},
        {NAMED(btnGetParamLD), QStringLiteral("Получить параметры ЛУ"), &T::btnGetParamLDClick, "GetParamLD"},
        {NAMED(btnSetActiveLD), QStringLiteral("Установить активное ЛУ"), &T::btnSetActiveLDClick, "SetActiveLD"},
        {NAMED(btnGetActiveLD), QStringLiteral("Получить активное ЛУ"), &T::btnGetActiveLDClick, "GetActiveLD"},
    });
    page.Space();
}

void TfmLogicDevice::Initialize()
{
    FillComNumbers(cbComNumber);
}

void TfmLogicDevice::SetLDParams()
{
    TDriver& d = Driver();
    d.setLDName(edtLDName->text());
    d.setLDBaudrate(cbBaudRate->currentIndex());
    d.setLDComNumber(cbComNumber->currentIndex() + 1);
    d.setLDComputerName(edtComputerName->text());
    d.setLDTimeout(seTimeout->value());
}

void TfmLogicDevice::GetLDParams()
{
    TDriver& d = Driver();
    edtLDName->setText(d.LDName());
    seLDNumber->setValue(d.LDNumber());
    cbComNumber->setCurrentIndex(d.LDComNumber() - 1);
    cbBaudRate->setCurrentIndex(d.LDBaudrate());
    edtLDCount->setText(QString::number(d.LDCount()));
    seLDIndex->setValue(d.LDIndex());
    edtComputerName->setText(d.LDComputerName());
    seTimeout->setValue(d.LDTimeout());
}

void TfmLogicDevice::btnAddLDClick()
{
    SetLDParams();
    Driver().AddLD();
    GetLDParams();
}

void TfmLogicDevice::btnDeleteLDClick()
{
    Driver().setLDNumber(seLDNumber->value());
    Driver().DeleteLD();
    GetLDParams();
}

void TfmLogicDevice::btnGetCountLDClick()
{
    Driver().GetCountLD();
    GetLDParams();
}

void TfmLogicDevice::btnEnumLDClick()
{
    Driver().setLDIndex(seLDIndex->value());
    Driver().EnumLD();
    GetLDParams();
}

void TfmLogicDevice::btnSetParamLDClick()
{
    Driver().setLDNumber(seLDNumber->value());
    SetLDParams();
    Driver().SetParamLD();
}

void TfmLogicDevice::btnGetParamLDClick()
{
    Driver().setLDNumber(seLDNumber->value());
    Driver().GetParamLD();
    GetLDParams();
}

void TfmLogicDevice::btnSetActiveLDClick()
{
    Driver().setLDNumber(seLDNumber->value());
    Driver().SetActiveLD();
    GetLDParams();
}

void TfmLogicDevice::btnGetActiveLDClick()
{
    Driver().GetActiveLD();
    GetLDParams();
}

void TfmLogicDevice::btnComputerNameClick()
{
    BrowseComputerName(edtComputerName);
}
