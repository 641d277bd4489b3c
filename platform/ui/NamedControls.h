#pragma once
// Creating a page's controls in code: each control gets its name (the
// objectName the settings store builds value names from), and each handler is
// connected through the guard with the signal that stands for the original
// event:
//   OnClick  of a button          -> clicked          (user only)
//   OnClick  of a check box       -> toggled          (user and code, as Checked := runs it)
//   OnClick  of a radio button    -> toggled to on    (user and code)
//   OnClick  of a radio group     -> TRadioGroup::clicked (user and code)
//   OnChange of an edit or memo   -> textChanged      (user and code)
//   OnChange of a spin edit       -> valueChanged     (user and code)
//   OnChange of a combo box       -> activated        (user only; ItemIndex := runs nothing)
//   OnChange of a date-time edit  -> dateTimeChanged  (user and code)
//
//   auto* btnPrintLine = NewButton(this, "btnPrintLine", "Печать линии", this, &TfmPrintLine::btnPrintLineClick);
//   auto* edtLineNumber = NewEdit(grpLine, "edtLineNumber", "1", 5);
//   OnChange(edtLineNumber, this, &TfmPrintLine::edtLineNumberChange);
#include "platform/Guard.h"
#include "platform/ui/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <type_traits>

// Any control class: created under parent and named.
template <class W, class... Args>
W* NewControl(QWidget* parent, const char* name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name = "");
QGroupBox* NewGroupBox(QWidget* parent, const char* name, const QString& caption);
// maxLength: the limit of typing and pasting (TEditLimit); 0: none.
QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text = {}, int maxLength = 0);
// A text put in from code (set or restored) shows from its start, however
// long; the user's own editing keeps its cursor. NewEdit does this.
void ShowFromStart(QLineEdit* edit);
// A memo is at least MemoMinColumns characters wide in its font.
QPlainTextEdit* NewMemo(QWidget* parent, const char* name, bool readOnly = false);
inline constexpr int MemoMinColumns = 40;
// Keeps the memo at least `columns` characters of its font wide (and its
// vertical scroll bar), also when its font or style changes.
void SetMinimumColumns(QPlainTextEdit* memo, int columns);
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked = false);
QRadioButton* NewRadioButton(QWidget* parent, const char* name, const QString& caption, bool checked = false);
// Items; the first one selected (-1 for none).
QComboBox* NewComboBox(QWidget* parent, const char* name, const QStringList& items, int itemIndex = 0);
// min == max == 0: no limits, as a spin edit has.
QSpinBox* NewSpinEdit(QWidget* parent, const char* name, int min, int max, int value);
// Widens a combo box's drop-down list to its widest item and 10 pixels more.
void SetComboDropDownWidth(QComboBox* combo);

TRadioGroup* NewRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int itemIndex = 0);

namespace named_detail {
// The signal that stands for a control's OnClick / OnChange (see the table above).
template <class W>
constexpr auto ClickSignal()
{
    if constexpr (std::is_base_of_v<TRadioGroup, W>) return &TRadioGroup::clicked;
    else if constexpr (std::is_base_of_v<QPushButton, W>) return &QPushButton::clicked;
    else return &QAbstractButton::toggled;   // check boxes, radio buttons
}

template <class W>
constexpr auto ChangeSignal()
{
    if constexpr (std::is_base_of_v<QLineEdit, W>) return &QLineEdit::textChanged;
    else if constexpr (std::is_base_of_v<QPlainTextEdit, W>) return &QPlainTextEdit::textChanged;
    else if constexpr (std::is_base_of_v<QSpinBox, W>) return &QSpinBox::valueChanged;
    else if constexpr (std::is_base_of_v<QComboBox, W>) return &QComboBox::activated;
    else return &QDateTimeEdit::dateTimeChanged;
}
} // namespace named_detail

// Connects a control's OnClick handler through the guard.
template <class W, class T, class H>
void OnClick(W* control, T* object, H handler)
{
    if constexpr (std::is_base_of_v<QRadioButton, W>)
        QObject::connect(control, &QRadioButton::toggled, object,
                         Guarded([object, handler](bool checked) { if (checked) (object->*handler)(); }));
    else
        QObject::connect(control, named_detail::ClickSignal<W>(), object, Guarded(object, handler));
}

// Connects a control's OnChange handler through the guard.
template <class W, class T, class H>
void OnChange(W* control, T* object, H handler)
{
    QObject::connect(control, named_detail::ChangeSignal<W>(), object, Guarded(object, handler));
}

// A push button with its click handler; hint: the tool tip (the driver member it uses).
template <class T, class H>
QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption, T* object, H handler,
                       const QString& hint = {})
{
    auto* button = NewControl<QPushButton>(parent, name, caption);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    OnClick(button, object, handler);
    return button;
}
