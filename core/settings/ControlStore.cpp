#include "core/settings/ControlStore.h"

#include "platform/Exceptions.h"
#include "platform/Guard.h"
#include "platform/Registry.h"
#include "platform/ui/Controls.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QValidator>
#include <QVariant>
#include <cmath>

const QString LumaqParamKey = QStringLiteral("\\SOFTWARE\\Brannic\\Tests\\Lumaq\\A4\\Param");

namespace {
constexpr int SkipTag = 1000;
constexpr int MaxTextLength = 4096;

enum class Kind { None, UpDown, Edit, Memo, SpinEdit, ComboBox, CheckBox, RadioButton, RadioGroup, DateTime };

Kind KindOf(QWidget* w)
{
    if (qobject_cast<TUpDown*>(w)) return Kind::UpDown;
    if (qobject_cast<QLineEdit*>(w)) return Kind::Edit;
    if (qobject_cast<QPlainTextEdit*>(w)) return Kind::Memo;
    if (qobject_cast<QSpinBox*>(w)) return Kind::SpinEdit;
    if (qobject_cast<QComboBox*>(w)) return Kind::ComboBox;
    if (qobject_cast<QCheckBox*>(w)) return Kind::CheckBox;
    if (qobject_cast<QRadioButton*>(w)) return Kind::RadioButton;
    if (qobject_cast<TRadioGroup*>(w)) return Kind::RadioGroup;
    if (qobject_cast<QDateTimeEdit*>(w)) return Kind::DateTime;
    return Kind::None;
}

// Input controls whose inside is Qt's own business; a radio group's buttons are visited.
bool IsLeaf(Kind kind)
{
    return kind != Kind::None && kind != Kind::RadioGroup;
}

bool IsReadOnly(QWidget* w, Kind kind)
{
    if (kind == Kind::Edit) return static_cast<QLineEdit*>(w)->isReadOnly();
    if (kind == Kind::Memo) return static_cast<QPlainTextEdit*>(w)->isReadOnly();
    return false;
}

const QDate DelphiEpoch(1899, 12, 30);
constexpr double MSecsPerDay = 86400000.0;

double ToDelphiDateTime(const QDateTime& dt)
{
    const qint64 days = DelphiEpoch.daysTo(dt.date());
    const double time = dt.time().msecsSinceStartOfDay() / MSecsPerDay;
    return days >= 0 ? double(days) + time : double(days) - time;
}

QDateTime FromDelphiDateTime(double value)
{
    const double days = std::trunc(value);
    const qint64 msecs = std::llround(std::fabs(value - days) * MSecsPerDay);
    return QDateTime(DelphiEpoch.addDays(qint64(days)), QTime(0, 0).addMSecs(int(std::min<qint64>(msecs, MSecsPerDay - 1))));
}

// The control's value as stored: int, QString or double (date-time).
QVariant ValueOf(QWidget* w, Kind kind)
{
    switch (kind) {
    case Kind::UpDown: return static_cast<TUpDown*>(w)->Position();
    case Kind::Edit: return static_cast<QLineEdit*>(w)->text().left(MaxTextLength);
    case Kind::Memo: return static_cast<QPlainTextEdit*>(w)->toPlainText().left(MaxTextLength);
    case Kind::SpinEdit: return static_cast<QSpinBox*>(w)->value();
    case Kind::ComboBox: return static_cast<QComboBox*>(w)->currentIndex();
    case Kind::CheckBox: return static_cast<QCheckBox*>(w)->isChecked() ? 1 : 0;
    case Kind::RadioButton: return static_cast<QRadioButton*>(w)->isChecked() ? 1 : 0;
    case Kind::RadioGroup: return static_cast<TRadioGroup*>(w)->ItemIndex();
    case Kind::DateTime: return ToDelphiDateTime(static_cast<QDateTimeEdit*>(w)->dateTime());
    case Kind::None: break;
    }
    return {};
}

void Apply(QWidget* w, Kind kind, const QVariant& v)
{
    switch (kind) {
    case Kind::UpDown: static_cast<TUpDown*>(w)->SetPosition(v.toInt()); break;
    case Kind::Edit: static_cast<QLineEdit*>(w)->setText(v.toString()); break;
    case Kind::Memo: static_cast<QPlainTextEdit*>(w)->setPlainText(v.toString()); break;
    case Kind::SpinEdit: static_cast<QSpinBox*>(w)->setValue(v.toInt()); break;
    case Kind::ComboBox: {
        auto* combo = static_cast<QComboBox*>(w);
        const int index = v.toInt();
        combo->setCurrentIndex(index < 0 || index >= combo->count() ? 0 : index);
        break;
    }
    case Kind::CheckBox: static_cast<QCheckBox*>(w)->setChecked(v.toInt() != 0); break;
    case Kind::RadioButton: {
        // Checked := False leaves no button of the group checked.
        auto* radio = static_cast<QRadioButton*>(w);
        const bool exclusive = radio->autoExclusive();
        radio->setAutoExclusive(exclusive && v.toInt() != 0);
        radio->setChecked(v.toInt() != 0);
        radio->setAutoExclusive(exclusive);
        break;
    }
    case Kind::RadioGroup: static_cast<TRadioGroup*>(w)->SetItemIndex(v.toInt()); break;
    case Kind::DateTime: static_cast<QDateTimeEdit*>(w)->setDateTime(FromDelphiDateTime(v.toDouble())); break;
    case Kind::None: break;
    }
}

void Write(TRegistry& reg, const QString& name, Kind kind, const QVariant& v)
{
    if (kind == Kind::DateTime)
        reg.WriteDateTime(name, v.toDouble());
    else if (kind == Kind::Edit || kind == Kind::Memo)
        reg.WriteString(name, v.toString());
    else
        reg.WriteInteger(name, v.toInt());
}

QVariant Read(TRegistry& reg, const QString& name, Kind kind)
{
    if (kind == Kind::DateTime)
        return reg.ReadDateTime(name);
    if (kind == Kind::Edit || kind == Kind::Memo)
        return reg.ReadString(name);
    return reg.ReadInteger(name);
}

// An edit with a validator takes only a text that the validator accepts.
bool Accepts(QWidget* w, Kind kind, const QVariant& v)
{
    auto* edit = kind == Kind::Edit ? static_cast<QLineEdit*>(w) : nullptr;
    if (!edit || !edit->validator())
        return true;
    QString text = v.toString();
    int pos = 0;
    return edit->validator()->validate(text, pos) == QValidator::Acceptable;
}

void Restore(TRegistry& reg, const QString& name, QWidget* w, Kind kind)
{
    if (IsReadOnly(w, kind) || reg.GetDataType(name) == rdUnknown)
        return;
    QVariant value;
    try {
        value = Read(reg, name, kind);
    } catch (const ERegistryException&) {
        return;   // a value of another type: skipped
    }
    const QVariant previous = ValueOf(w, kind);
    if (value == previous || !Accepts(w, kind, value))
        return;   // an unchanged value runs no handler, as the setters do
    try {
        Apply(w, kind, value);
    } catch (const EConvertError&) {
        // The control's handler refused the value: it gets its value back.
        const QSignalBlocker blocker(w);
        Apply(w, kind, previous);
    } catch (const std::exception& e) {
        // Any other failure of the handler (the driver cannot be created, say)
        // is shown; the control keeps the stored value, so it is not lost.
        HandleException(e);
    }
}
} // namespace

namespace {
// The walk both directions share: every window control under `control` but
// those with Tag 1000 (and their insides), children before their container;
// `visit` gets each stored control with its value name.
template <class Visit>
void Walk(const QString& prefix, QWidget* control, Visit&& visit)
{
    for (QWidget* child : ChildControls(control)) {
        if (Tag(child) == SkipTag)
            continue;
        const QString name = prefix + QLatin1Char('.') + child->objectName();
        const Kind kind = KindOf(child);
        if (!IsLeaf(kind))
            Walk(name, child, visit);
        if (kind != Kind::None)
            visit(name, child, kind);
    }
}
} // namespace

void SaveControlParams(const QString& Prefix, QWidget* Control, TRegistry& Registry)
{
    Walk(Prefix, Control, [&](const QString& name, QWidget* w, Kind kind) {
        if (!IsReadOnly(w, kind))
            Write(Registry, name, kind, ValueOf(w, kind));
    });
}

void LoadControlParams(const QString& Prefix, QWidget* Control, TRegistry& Registry)
{
    Walk(Prefix, Control, [&](const QString& name, QWidget* w, Kind kind) { Restore(Registry, name, w, kind); });
}

void LoadFormParams(QWidget* Form)
{
    TRegistry reg;
    if (reg.OpenKey(LumaqParamKey, false))
        LoadControlParams(Form->objectName(), Form, reg);
}

void SaveFormParams(QWidget* Form)
{
    try {
        TRegistry reg;
        if (reg.OpenKey(LumaqParamKey, true)) {
            SaveControlParams(Form->objectName(), Form, reg);
            reg.CloseKey();
        }
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}
