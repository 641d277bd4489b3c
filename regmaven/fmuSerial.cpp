#include "regmaven/fmuSerial.h"

#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <algorithm>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmKKTParamsX5);
DECLARE_PAGE_CLASS(TfmSelectClientType);
DEFINE_PAGE_CLASS(TfmEnterSerial);

namespace {

constexpr QChar Delimiter = u';';
constexpr QChar Quote = u'"';
// A number is at most this long; a scanner's text (with ";") at most ScannedLength.
constexpr int SerialLength = 20;
constexpr int ScannedLength = 255;

// The characters a scanner's text is typed with: "-", ";", digits, Latin
// capitals and "a" to U+00FF.
bool IsScannerChar(QChar c)
{
    return c == u'-' || c == Delimiter || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
           (c >= u'a' && c.unicode() <= 0xFF);
}

bool IsBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= u' ';
}

// A list item in double quotes from Pos (at the opening quote): the text up
// to the closing quote, a doubled quote standing for one.
QString QuotedItem(const QString& Text, qsizetype& Pos)
{
    QString item;
    ++Pos;
    while (Pos < Text.size()) {
        if (Text[Pos] == Quote) {
            if (Pos + 1 < Text.size() && Text[Pos + 1] == Quote) {
                item += Quote;
                Pos += 2;
                continue;
            }
            ++Pos;
            break;
        }
        item += Text[Pos++];
    }
    return item;
}

// The items of a delimited list: ";" or blanks between items.
QStringList DelimitedItems(const QString& Text)
{
    QStringList items;
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < Text.size() && IsBlank(Text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < Text.size()) {
        if (Text[pos] == Quote) {
            items << QuotedItem(Text, pos);
        } else {
            const qsizetype start = pos;
            while (pos < Text.size() && !IsBlank(Text[pos]) && Text[pos] != Delimiter && Text[pos] != u'\0')
                ++pos;
            items << Text.mid(start, pos - start);
        }
        skipBlanks();
        if (pos < Text.size() && Text[pos] == Delimiter) {
            if (pos + 1 == Text.size())
                items << QString();
            ++pos;
            skipBlanks();
        } else if (pos < Text.size() && Text[pos] == u'\0') {
            break;
        }
    }
    return items;
}

// A number without blanks and leading zeros (a register may keep it padded).
QString SignificantDigits(QString Text)
{
    Text = Text.trimmed();
    qsizetype zeros = 0;
    while (zeros < Text.size() && Text[zeros] == u'0')
        ++zeros;
    return Text.mid(zeros);
}

} // namespace

QString ExtractSerial(const QString& Text)
{
    const QStringList items = DelimitedItems(Text);
    return items.size() >= 3 ? items[2] : Text;
}

bool IsEmptySerial(const QString& Text)
{
    for (QChar c : Text)
        if (c != u'0')
            return false;
    return true;
}

TfmEnterSerial::TfmEnterSerial() : TParamPage("fmEnterSerial", QStringLiteral("Введите заводской номер"))
{
    TFormBuilder<TfmEnterSerial> b(this);
    // A pasted scanner text stays whole for Enter to take the number out.
    SetEditLimit(b.Edit(NAMED(edtSerial), QStringLiteral("Заводской номер:"), {}, "SerialNumber"), SerialLength,
                 TEditLimit::TypedOnly);
    // A scanner types its whole text; the limit holds for a number.
    connect(edtSerial, &QLineEdit::textChanged, this, [this](const QString& Text) {
        TEditLimit::Of(edtSerial)->SetMaxLength(Text.contains(Delimiter) ? ScannedLength : SerialLength);
    });
    // Wide enough for the whole number.
    edtSerial->setMinimumWidth(edtSerial->fontMetrics().horizontalAdvance(QString(SerialLength + 4, u'0')));
    edtSerial->installEventFilter(this);
    b.Label(NAMED(lblSerialEntered), QStringLiteral("Заводской номер уже введен. Нажмите \"Далее\""));
    lblSerialEntered->hide();
    b.Space();
    b.Grid()->setColumnStretch(2, 1);
}

bool TfmEnterSerial::ReadSerial(QString& Serial)
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    Check(Driver().ReadSerialNumber());
    Serial = Driver().SerialNumber();
    return !IsEmptySerial(Serial);
}

void TfmEnterSerial::FormShow()
{
    QString serial;
    const bool set = ReadSerial(serial);
    lblSerialEntered->setVisible(set);
    EnableEdit(edtSerial, !set);
    if (set)
        edtSerial->setText(serial);
    else
        edtSerial->setFocus();  // a scan goes into the edit at once
}

// Enter takes the number out of a scanned text; typed characters a scanner's
// text cannot hold are dropped (pasting brings any text).
bool TfmEnterSerial::eventFilter(QObject* watched, QEvent* event)
{
    const bool enter = (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
                       (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    // Enter belongs to the edit, not to the window's "Далее >" shortcut.
    if (watched == edtSerial && enter && event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (watched == edtSerial && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (enter) {
            edtSerial->setText(ExtractSerial(edtSerial->text()));
            edtSerial->deselect();
            edtSerial->end(false);
            return true;
        }
        const QString text = key->text();
        if (!(key->modifiers() & Qt::ControlModifier) && !text.isEmpty() && text[0] >= u' ' && !IsScannerChar(text[0]))
            return true;
    }
    return TParamPage::eventFilter(watched, event);
}

void TfmEnterSerial::WriteSerial()
{
    if (edtSerial->text().isEmpty())
        return;
    const QString number = ExtractSerial(edtSerial->text());
    const bool digits = std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits || number.size() > SerialLength)
        throw Exception(QStringLiteral("Заводской номер - это не более %1 цифр: \"%2\"").arg(SerialLength).arg(number));
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    TOrvek& d = Driver();
    Check(d.ReadSerialNumber());
    if (IsEmptySerial(d.SerialNumber())) {
        d.setSerialNumber(number);
        Check(d.SetSerialNumber());
        // Success only when the register now has the number written.
        Check(d.ReadSerialNumber());
        const QString written = d.SerialNumber();
        if (IsEmptySerial(written))
            throw Exception(QStringLiteral("Заводской номер не введен: в ККТ по-прежнему нет заводского номера (\"%1\")")
                                .arg(written));
        if (SignificantDigits(written) != SignificantDigits(number))
            throw Exception(QStringLiteral("Заводской номер не введен: ККТ сообщает номер \"%1\" вместо \"%2\"")
                                .arg(written, number));
        Dialogs::ShowMessage(QStringLiteral("Заводской номер успешно введен!\r\nПерезагрузите устройство"));
    } else {
        Dialogs::MessageBox(QStringLiteral("Заводской номер уже введен!\r\n") + d.SerialNumber(),
                            QStringLiteral("Внимание"), Dialogs::Buttons::Ok, Dialogs::Icon::Error);
    }
}

void TfmEnterSerial::Next()
{
    QString serial;
    if (!ReadSerial(serial))
        WriteSerial();
    if (Controller().X5Mode)
        Controller().NextPageClass = ClassOf<TfmKKTParamsX5>();
    else
        Controller().NextPageClass = ClassOf<TfmSelectClientType>();
}

} // namespace Regmaven
