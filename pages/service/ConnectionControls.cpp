#include "pages/service/ConnectionControls.h"

#include "core/driver/ComPort.h"
#include "core/settings/ResStrings.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QPushButton>
#include <QHostAddress>
#include <QLineEdit>
#include <QRegularExpression>

namespace {
bool IsHostName(const QString& Name)
{
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$"));
    if (Name.isEmpty() || Name.size() > 253)
        return false;
    const QStringList labels = Name.split(QLatin1Char('.'));
    return std::all_of(labels.begin(), labels.end(), [](const QString& l) { return label.match(l).hasMatch(); });
}
} // namespace

void FillComNumbers(QComboBox* Combo)
{
    Combo->clear();
    for (int n = 1; n <= 256; ++n)
        Combo->addItem(QStringLiteral("COM%1").arg(n), n);
}

QStringList BaudRateItems()
{
    QStringList items;
    for (int code = 0; code < 10; ++code)
        items << QString::number(IntToBaudRate(code));
    return items;
}

bool IsValidComputerName(const QString& Name)
{
    QString host = Name.trimmed();
    if (host != Name || host.isEmpty())
        return false;
    QHostAddress address;
    if (address.setAddress(host))
        return true;   // an IPv6 address has colons of its own
    if (host.startsWith(QLatin1Char('[')) && host.contains(QLatin1String("]:"))) {
        const qsizetype close = host.indexOf(QLatin1String("]:"));
        bool ok = false;
        const int port = host.mid(close + 2).toInt(&ok);
        return ok && port > 0 && port < 65536 && address.setAddress(host.mid(1, close - 1));
    }
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        const QString portText = host.mid(colon + 1);
        const int port = portText.toInt(&ok);
        if (!ok || port <= 0 || port > 65535 || portText.startsWith(QLatin1Char('+')))
            return false;
        host.truncate(colon);
    }
    return address.setAddress(host) || IsHostName(host);
}

void BrowseComputerName(QLineEdit* Edit)
{
    QString name = Edit->text();
    if (!Dialogs::InputQuery(GetRes("Укажите имя компьютера"), GetRes("Имя компьютера:"), name))
        return;
    if (!IsValidComputerName(name)) {
        Dialogs::ShowError(GetRes("Неверное имя компьютера") + QStringLiteral(": \"") + name +
                           QStringLiteral("\".\r\n") +
                           GetRes("Укажите имя или адрес компьютера, после двоеточия можно указать порт."));
        return;
    }
    Edit->setText(name);
}

void PlaceBrowseButton(QGridLayout* Grid, QLineEdit* Edit, QPushButton* Button)
{
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    Grid->getItemPosition(Grid->indexOf(Edit), &row, &column, &rowSpan, &columnSpan);
    Button->setMaximumWidth(Button->fontMetrics().horizontalAdvance(Button->text()) + 24);
    Grid->addWidget(Button, row, column + columnSpan);
}
