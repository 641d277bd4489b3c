#include "platform/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), FGroup(new QButtonGroup(this)), FLayout(new QGridLayout(this))
{
    FGroup->setExclusive(false);   // exclusivity is kept here, so -1 is possible
    connect(FGroup, &QButtonGroup::idToggled, this, &TRadioGroup::ButtonToggled);
}

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : TRadioGroup(parent)
{
    setTitle(caption);
    SetItems(items);
}

void TRadioGroup::SetItems(const QStringList& items)
{
    FItems = items;
    FItemIndex = -1;
    Rebuild();
}

void TRadioGroup::SetColumns(int columns)
{
    FColumns = qMax(1, columns);
    Rebuild();
}

QRadioButton* TRadioGroup::Button(int index) const
{
    return qobject_cast<QRadioButton*>(FGroup->button(index));
}

void TRadioGroup::Rebuild()
{
    FUpdating = true;
    for (QAbstractButton* b : FGroup->buttons()) {
        FGroup->removeButton(b);
        delete b;
    }
    const int rows = (FItems.size() + FColumns - 1) / FColumns;
    for (int i = 0; i < FItems.size(); ++i) {
        auto* b = new QRadioButton(FItems[i], this);
        b->setAutoExclusive(false);
        FGroup->addButton(b, i);
        FLayout->addWidget(b, rows ? i % rows : 0, rows ? i / rows : 0);
        b->setChecked(i == FItemIndex);
    }
    FUpdating = false;
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= FItems.size())
        index = -1;
    const bool changed = index != FItemIndex;
    FItemIndex = index;
    FUpdating = true;
    for (int i = 0; i < FItems.size(); ++i)
        Button(i)->setChecked(i == index);
    FUpdating = false;
    if (changed)
        emit clicked();
}

void TRadioGroup::ButtonToggled(int index, bool checked)
{
    if (FUpdating)
        return;
    if (checked)
        SetItemIndex(index);
    else if (index == FItemIndex) {
        // A radio button is not unchecked by clicking it again.
        FUpdating = true;
        Button(index)->setChecked(true);
        FUpdating = false;
    }
}
