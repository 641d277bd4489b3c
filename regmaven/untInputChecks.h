#pragma once
// Input checks and control states shared by the registration data pages.
#include "platform/Exceptions.h"

#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace Regmaven {

// Runs Convert; a conversion error it raises names the field: "<Name>: <message>".
//
//   d.setTCPPort(NamedConversion(QStringLiteral("Порт"), [&] { return StrToInt(edtTCPPort->text()); }));
template <class F>
auto NamedConversion(const QString& Name, F Convert) -> decltype(Convert())
{
    try {
        return Convert();
    } catch (const EConvertError& e) {
        throw EConvertError(Name + QStringLiteral(": ") + e.Message());
    }
}

// Raises "Введите значение \"<Name>\"!" when Text is empty.
void RequireValue(const QString& Text, const QString& Name);
// The number of a port text, 1 to 65535; raises "<Name> должен быть числом
// от 1 до 65535!" for any other text.
int CheckPort(const QString& Text, const QString& Name);
// The first "@" stands after the first character and before the last one.
bool ValidEmail(const QString& Text);
// Raises "Введен некорректный E-mail отправителя" unless ValidEmail.
void CheckSenderEmail(const QString& Text);
// Lets the edit take the characters of an IPv4 address only ("a.b.c.d", each 0 to 255).
void SetIPv4Input(QLineEdit* Edit);
// The four numbers of an IPv4 address; raises "Введите корректный IP адрес
// \"<Name>\"!" for a text that is no whole address.
QList<int> IPv4Octets(const QString& Text, const QString& Name);
// An OK/Cancel question with the warning icon and Cancel as the default;
// true for OK.
bool AskWarning(const QString& Text, const QString& Caption);

// The caption label the form builder put beside the control; nullptr if none.
QLabel* CaptionOf(QWidget* Control);
// Enables or disables the control and its caption.
void EnableWithCaption(QWidget* Control, bool Enabled);
// An edit enabled on the window colour, or disabled on the button-face
// colour; its caption with it.
void EnableEdit(QLineEdit* Edit, bool Enabled);

} // namespace Regmaven
