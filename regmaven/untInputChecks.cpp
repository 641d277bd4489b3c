#include "regmaven/untInputChecks.h"

#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace Regmaven {

void RequireValue(const QString& Text, const QString& Name)
{
    if (Text.isEmpty())
        throw Exception(QStringLiteral("Введите значение \"") + Name + QStringLiteral("\"!"));
}

int CheckPort(const QString& Text, const QString& Name)
{
    bool number = false;
    const int port = Text.trimmed().toInt(&number);
    if (!number || port <= 0 || port > 65535)
        throw Exception(Name + QStringLiteral(" должен быть числом от 1 до 65535!"));
    return port;
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

void SetIPv4Input(QLineEdit* Edit)
{
    static const QRegularExpression partial(
        QStringLiteral("((25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)\\.){0,3}(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)?"));
    Edit->setValidator(new QRegularExpressionValidator(partial, Edit));
    SetEditLimit(Edit, 15);
}

QList<int> IPv4Octets(const QString& Text, const QString& Name)
{
    const QStringList parts = Text.trimmed().split(u'.');
    QList<int> octets;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || part.size() > 3 || value < 0 || value > 255 || !part.at(0).isDigit())
            break;
        octets << value;
    }
    if (parts.size() != 4 || octets.size() != 4)
        throw Exception(QStringLiteral("Введите корректный IP адрес \"") + Name + QStringLiteral("\"!"));
    return octets;
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
    EnableWithCaption(Edit, Enabled);
    Edit->setBackgroundRole(Enabled ? QPalette::Base : QPalette::Button);
}

} // namespace Regmaven
