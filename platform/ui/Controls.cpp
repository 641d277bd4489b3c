#include "platform/ui/Controls.h"

#include <QScrollArea>
#include <QVariant>
#include <QWidget>

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
