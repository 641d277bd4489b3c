#include "regmaven/untInputChecks.h"

#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"

#include <QLabel>
#include <QLineEdit>

namespace Regmaven {

void RequireValue(const QString& Text, const QString& Name)
{
    if (Text.isEmpty())
        throw Exception(QStringLiteral("Введите значение \"") + Name + QStringLiteral("\"!"));
}

bool ValidEmail(const QString& Text)
{
    const qsizetype at = Text.indexOf(u'@');
    return at > 0 && at < Text.size() - 1;
}

void CheckSenderEmail(const QString& Text)
{
    if (!ValidEmail(Text))
        throw Exception(QStringLiteral("Введен некорректный E-mail отправителя"));
}

bool AskWarning(const QString& Text, const QString& Caption)
{
    return Dialogs::MessageBox(Text, Caption, Dialogs::Buttons::OkCancel, Dialogs::Icon::Warning,
                               Dialogs::mrCancel) == Dialogs::mrOk;
}

QLabel* CaptionOf(QWidget* Control)
{
    for (QLabel* label : Control->parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == Control)
            return label;
    return nullptr;
}

void EnableWithCaption(QWidget* Control, bool Enabled)
{
    Control->setEnabled(Enabled);
    if (QLabel* label = CaptionOf(Control))
        label->setEnabled(Enabled);
}

void EnableEdit(QLineEdit* Edit, bool Enabled)
{
    Edit->setEnabled(Enabled);
    Edit->setBackgroundRole(Enabled ? QPalette::Base : QPalette::Button);
}

} // namespace Regmaven
