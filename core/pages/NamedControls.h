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
// maxLength 0: no limit.
QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text = {}, int maxLength = 0);
QPlainTextEdit* NewMemo(QWidget* parent, const char* name, bool readOnly = false);
QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked = false);
QRadioButton* NewRadioButton(QWidget* parent, const char* name, const QString& caption, bool checked = false);
// Items; the first one selected (-1 for none).
QComboBox* NewComboBox(QWidget* parent, const char* name, const QStringList& items, int itemIndex = 0);
// min == max == 0: no limits, as a spin edit has.
QSpinBox* NewSpinEdit(QWidget* parent, const char* name, int min, int max, int value);
TRadioGroup* NewRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int itemIndex = 0);

template <class T, class H>
void OnClick(QPushButton* button, T* object, H handler)
{
    QObject::connect(button, &QPushButton::clicked, object, Guarded(object, handler));
}

template <class T, class H>
void OnClick(QCheckBox* box, T* object, H handler)
{
    QObject::connect(box, &QCheckBox::toggled, object, Guarded(object, handler));
}

template <class T, class H>
void OnClick(QRadioButton* button, T* object, H handler)
{
    QObject::connect(button, &QRadioButton::toggled, object,
                     Guarded([object, handler](bool checked) { if (checked) (object->*handler)(); }));
}

template <class T, class H>
void OnClick(TRadioGroup* group, T* object, H handler)
{
    QObject::connect(group, &TRadioGroup::clicked, object, Guarded(object, handler));
}

template <class T, class H>
void OnChange(QLineEdit* edit, T* object, H handler)
{
    QObject::connect(edit, &QLineEdit::textChanged, object, Guarded(object, handler));
}

template <class T, class H>
void OnChange(QPlainTextEdit* memo, T* object, H handler)
{
    QObject::connect(memo, &QPlainTextEdit::textChanged, object, Guarded(object, handler));
}

template <class T, class H>
void OnChange(QSpinBox* spin, T* object, H handler)
{
    QObject::connect(spin, &QSpinBox::valueChanged, object, Guarded(object, handler));
}

template <class T, class H>
void OnChange(QComboBox* combo, T* object, H handler)
{
    QObject::connect(combo, &QComboBox::activated, object, Guarded(object, handler));
}

template <class T, class H>
void OnChange(QDateTimeEdit* edit, T* object, H handler)
{
    QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, object, Guarded(object, handler));
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
