#pragma once
// Input checks and control states shared by the registration data pages.
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

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

// The caption label the form builder put beside the control; nullptr if none.
QLabel* CaptionOf(QWidget* Control);
// Enables or disables the control and its caption.
void EnableWithCaption(QWidget* Control, bool Enabled);
// An edit enabled on the window colour, or disabled on the button-face colour.
void EnableEdit(QLineEdit* Edit, bool Enabled);

} // namespace Regmaven
