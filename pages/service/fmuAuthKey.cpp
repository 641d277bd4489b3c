#include "pages/service/fmuAuthKey.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

TfmAuthKey::TfmAuthKey(QWidget* owner) : TPage(owner, "fmAuthKey", PageCaption)
{
    using T = TfmAuthKey;
    TFormBuilder<T> page(this);
    auto row = page.Columns();
    auto left = row.Section();
    left.Edit(NAMED(edtAuthKey), QStringLiteral("Ключ авторизации (HEX, 16 байт):"), {}, "AuthKey");
    edtAuthKey->setMinimumWidth(edtAuthKey->fontMetrics().horizontalAdvance(QString(48, QLatin1Char('0'))));
    left.Buttons(3, {
        {NAMED(btnWriteAuthKey), QStringLiteral("Записать ключ авторизации"), &T::btnWriteAuthKeyClick,
         "WriteAuthKey"},
        {NAMED(btnRewriteAuthKey), QStringLiteral("Перезаписать ключ авторизации"), &T::btnRewriteAuthKeyClick,
         "RewriteAuthKey"},
        {NAMED(btnResetAuthKey), QStringLiteral("Сбросить ключ авторизации"), &T::btnResetAuthKeyClick,
         "ResetAuthKey"},
    });
    row.Space();
    page.Space();
}

void TfmAuthKey::WriteKey(std::int32_t (TOrvek::*Method)())
{
    TDriver& d = Driver();
    d.setAuthKey(edtAuthKey->text());
    if ((d.*Method)() == 0)
        edtAuthKey->clear();
}

void TfmAuthKey::btnWriteAuthKeyClick()
{
    WriteKey(&TOrvek::WriteAuthKey);
}

void TfmAuthKey::btnRewriteAuthKeyClick()
{
    WriteKey(&TOrvek::RewriteAuthKey);
}

void TfmAuthKey::btnResetAuthKeyClick()
{
    Driver().ResetAuthKey();
}
