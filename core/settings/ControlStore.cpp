#include "core/settings/ControlStore.h"

#include "core/binding/OrvekTypes.h"
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

enum class Stored { Integer, Text, DateTime };

// One row per kind of stored control: how it is recognised, how its value
// is stored, read and set (setting runs the control's change handler).
struct TControlKind {
    bool (*Is)(QWidget* w);
    Stored Type;
    QVariant (*Value)(QWidget* w);
    void (*Apply)(QWidget* w, const QVariant& v);
    bool (*ReadOnly)(QWidget* w) = nullptr;   // not stored when read-only
    bool Leaf = true;                         // false: its children are visited too
};

template <class W>
bool Is(QWidget* w)
{
    return qobject_cast<W*>(w) != nullptr;
}

template <class W>
W* As(QWidget* w)
{
    return static_cast<W*>(w);
}

// A memo's text as it is stored: lines ended by CR LF, cut to MaxTextLength.
QVariant MemoText(const QPlainTextEdit* memo)
{
    QString text = memo->toPlainText();
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n")).left(MaxTextLength);
}

// A CR that the cut parted from its LF is dropped.
void SetMemoText(QPlainTextEdit* memo, QString text)
{
    memo->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")).remove(QLatin1Char('\r')));
}

// The order matters where classes derive from one another: the first row that fits.
const TControlKind Kinds[] = {
    {Is<TUpDown>, Stored::Integer, [](QWidget* w) -> QVariant { return As<TUpDown>(w)->Position(); },
     [](QWidget* w, const QVariant& v) { As<TUpDown>(w)->SetPosition(v.toInt()); }},
    {Is<QLineEdit>, Stored::Text, [](QWidget* w) -> QVariant { return As<QLineEdit>(w)->text().left(MaxTextLength); },
     [](QWidget* w, const QVariant& v) { As<QLineEdit>(w)->setText(v.toString()); },
     [](QWidget* w) { return As<QLineEdit>(w)->isReadOnly(); }},
    {Is<QPlainTextEdit>, Stored::Text, [](QWidget* w) -> QVariant { return MemoText(As<QPlainTextEdit>(w)); },
     [](QWidget* w, const QVariant& v) { SetMemoText(As<QPlainTextEdit>(w), v.toString()); },
     [](QWidget* w) { return As<QPlainTextEdit>(w)->isReadOnly(); }},
    {Is<QSpinBox>, Stored::Integer, [](QWidget* w) -> QVariant { return As<QSpinBox>(w)->value(); },
     [](QWidget* w, const QVariant& v) { As<QSpinBox>(w)->setValue(v.toInt()); }},
    {Is<QComboBox>, Stored::Integer, [](QWidget* w) -> QVariant { return As<QComboBox>(w)->currentIndex(); },
     [](QWidget* w, const QVariant& v) {
         auto* combo = As<QComboBox>(w);
         const int index = v.toInt();
         combo->setCurrentIndex(index < 0 || index >= combo->count() ? 0 : index);
     }},
    {Is<QCheckBox>, Stored::Integer, [](QWidget* w) -> QVariant { return As<QCheckBox>(w)->isChecked() ? 1 : 0; },
     [](QWidget* w, const QVariant& v) { As<QCheckBox>(w)->setChecked(v.toInt() != 0); }},
    {Is<QRadioButton>, Stored::Integer,
     [](QWidget* w) -> QVariant { return As<QRadioButton>(w)->isChecked() ? 1 : 0; },
     [](QWidget* w, const QVariant& v) {
         // Checked := False leaves no button of the group checked.
         auto* radio = As<QRadioButton>(w);
         const bool exclusive = radio->autoExclusive();
         radio->setAutoExclusive(exclusive && v.toInt() != 0);
         radio->setChecked(v.toInt() != 0);
         radio->setAutoExclusive(exclusive);
     }},
    {Is<TRadioGroup>, Stored::Integer, [](QWidget* w) -> QVariant { return As<TRadioGroup>(w)->ItemIndex(); },
     [](QWidget* w, const QVariant& v) { As<TRadioGroup>(w)->SetItemIndex(v.toInt()); }, nullptr, false},
    {Is<QDateTimeEdit>, Stored::DateTime,
     [](QWidget* w) -> QVariant { return QDateTimeToDateTime(As<QDateTimeEdit>(w)->dateTime()); },
     [](QWidget* w, const QVariant& v) { As<QDateTimeEdit>(w)->setDateTime(DateTimeToQDateTime(v.toDouble())); }},
};

// The kind of a stored control; null for any other widget.
const TControlKind* KindOf(QWidget* w)
{
    for (const TControlKind& kind : Kinds)
        if (kind.Is(w))
            return &kind;
    return nullptr;
}

bool IsReadOnly(QWidget* w, const TControlKind& kind)
{
    return kind.ReadOnly && kind.ReadOnly(w);
}

void Write(TRegistry& reg, const QString& name, const TControlKind& kind, const QVariant& v)
{
    switch (kind.Type) {
    case Stored::DateTime: reg.WriteDateTime(name, v.toDouble()); break;
    case Stored::Text: reg.WriteString(name, v.toString()); break;
    case Stored::Integer: reg.WriteInteger(name, v.toInt()); break;
    }
}

QVariant Read(TRegistry& reg, const QString& name, const TControlKind& kind)
{
    switch (kind.Type) {
    case Stored::DateTime: return reg.ReadDateTime(name);
    case Stored::Text: return reg.ReadString(name);
    case Stored::Integer: break;
    }
    return reg.ReadInteger(name);
}

// An edit with a validator takes only a text that the validator accepts.
bool Accepts(QWidget* w, const QVariant& v)
{
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (!edit || !edit->validator())
        return true;
    QString text = v.toString();
    int pos = 0;
    return edit->validator()->validate(text, pos) == QValidator::Acceptable;
}

void Restore(TRegistry& reg, const QString& name, QWidget* w, const TControlKind& kind)
{
    if (IsReadOnly(w, kind) || reg.GetDataType(name) == rdUnknown)
        return;
    QVariant value;
    try {
        value = Read(reg, name, kind);
    } catch (const ERegistryException&) {
        return;   // a value of another type: skipped
    }
    const QVariant previous = kind.Value(w);
    if (value == previous || !Accepts(w, value))
        return;   // an unchanged value runs no handler, as the setters do
    try {
        TGuardCollect handlers;   // a handler's exception comes back here, not through Qt
        kind.Apply(w, value);
        handlers.Raise();
    } catch (const EConvertError&) {
        // The control's handler refused the value: it gets its value back.
        const QSignalBlocker blocker(w);
        kind.Apply(w, previous);
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
        const TControlKind* kind = KindOf(child);
        if (!kind || !kind->Leaf)
            Walk(name, child, visit);
        if (kind)
            visit(name, child, *kind);
    }
}
} // namespace

void SaveControlParams(const QString& Prefix, QWidget* Control, TRegistry& Registry)
{
    Walk(Prefix, Control, [&](const QString& name, QWidget* w, const TControlKind& kind) {
        if (!IsReadOnly(w, kind))
            Write(Registry, name, kind, kind.Value(w));
    });
}

void LoadControlParams(const QString& Prefix, QWidget* Control, TRegistry& Registry)
{
    Walk(Prefix, Control, [&](const QString& name, QWidget* w, const TControlKind& kind) {
        Restore(Registry, name, w, kind);
    });
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
