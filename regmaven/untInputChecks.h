#pragma once
// Input checks shared by the registration data pages.
#include <QString>

namespace Regmaven {

// Raises "Введите значение \"<Name>\"!" when Text is empty.
void RequireValue(const QString& Text, const QString& Name);
// The first "@" stands after the first character and before the last one.
bool ValidEmail(const QString& Text);
// Raises "Введен некорректный E-mail отправителя" unless ValidEmail.
void CheckSenderEmail(const QString& Text);
// An OK/Cancel question with the warning icon and Cancel as the default;
// true for OK.
bool AskWarning(const QString& Text, const QString& Caption);

} // namespace Regmaven
