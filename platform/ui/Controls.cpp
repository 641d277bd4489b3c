#include "platform/ui/Controls.h"

#include <QComboBox>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVariant>
#include <QWidget>
#include <algorithm>

int Tag(const QObject* control)
{
    // Most controls carry no dynamic property: skip the property lookup.
    if (control->dynamicPropertyNames().isEmpty())
        return 0;
    return control->property("tag").toInt();
}

void SetTag(QObject* control, int value)
{
    control->setProperty("tag", value);
}

void MarkStopButton(QWidget* button)
{
    button->setProperty("stopButton", true);
    button->setEnabled(false);
}

bool IsStopButton(const QObject* control)
{
    return !control->dynamicPropertyNames().isEmpty() && control->property("stopButton").toBool();
}

namespace {
bool AddsNoLevel(const QWidget* w)
{
    if (w->objectName().startsWith(QLatin1String("qt_")))
        return true;
    // The content widget of a scroll area sits in its (flattened) viewport.
    const QWidget* viewport = w->parentWidget();
    auto* area = viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
    return area && area->widget() == w;
}

void Collect(const QWidget* parent, QList<QWidget*>& out)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        if (AddsNoLevel(w))
            Collect(w, out);
        else
            out.append(w);
    }
}
} // namespace

QList<QWidget*> ChildControls(const QWidget* control)
{
    QList<QWidget*> result;
    Collect(control, result);
    return result;
}

QString ControlPath(const QWidget* root, const QWidget* control)
{
    QStringList names;
    for (const QWidget* w = control; w && w != root; w = w->parentWidget())
        if (!AddsNoLevel(w))
            names.prepend(w->objectName());
    return names.join(QLatin1Char('.'));
}

void FitComboText(QComboBox* combo, QString text)
{
    const QFontMetrics metrics(combo->font());
    int width = metrics.horizontalAdvance(text);
    if (text.isEmpty())
        for (int i = 0; i < combo->count(); ++i)
            width = std::max(width, metrics.horizontalAdvance(combo->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(combo);
    const QSize size = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(width, metrics.height()), combo);
    combo->setMinimumWidth(std::max(combo->minimumWidth(), size.width()));
}
