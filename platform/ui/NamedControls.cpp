#include "platform/ui/NamedControls.h"

#include <climits>

QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name)
{
    return NewControl<QLabel>(parent, name, caption);
}

QGroupBox* NewGroupBox(QWidget* parent, const char* name, const QString& caption)
{
    return NewControl<QGroupBox>(parent, name, caption);
}

QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text, int maxLength)
{
    auto* edit = NewControl<QLineEdit>(parent, name, text);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QPlainTextEdit* NewMemo(QWidget* parent, const char* name, bool readOnly)
{
    auto* memo = NewControl<QPlainTextEdit>(parent, name);
    memo->setReadOnly(readOnly);
    return memo;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked)
{
    auto* box = NewControl<QCheckBox>(parent, name, caption);
    box->setChecked(checked);
    return box;
}

QRadioButton* NewRadioButton(QWidget* parent, const char* name, const QString& caption, bool checked)
{
    auto* button = NewControl<QRadioButton>(parent, name, caption);
    button->setChecked(checked);
    return button;
}

QComboBox* NewComboBox(QWidget* parent, const char* name, const QStringList& items, int itemIndex)
{
    auto* combo = NewControl<QComboBox>(parent, name);
    combo->addItems(items);
    combo->setCurrentIndex(itemIndex);
    return combo;
}

QSpinBox* NewSpinEdit(QWidget* parent, const char* name, int min, int max, int value)
{
    auto* spin = NewControl<QSpinBox>(parent, name);
    if (min == 0 && max == 0)
        spin->setRange(INT_MIN, INT_MAX);
    else
        spin->setRange(min, max);
    spin->setValue(value);
    return spin;
}

TRadioGroup* NewRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int itemIndex)
{
    auto* group = NewControl<TRadioGroup>(parent, name, caption, items);
    group->SetItemIndex(itemIndex);
    return group;
}
