#pragma once
// The control tree as the forms see it: a control's Tag, the stop buttons
// and the window controls directly under a control.
#include <QList>
#include <QString>

class QObject;
class QWidget;

// A control's Tag is its dynamic property "tag" (0 when unset).
int Tag(const QObject* control);
void SetTag(QObject* control, int value);

// A stop button ("Прервать") is usable only while its page's job runs: the
// mark disables it, the page enables it when the job starts, and ending a
// frame (EnableButtons(true)) leaves it disabled.
void MarkStopButton(QWidget* button);
bool IsStopButton(const QObject* control);

// The window controls directly under `control`, in creation order. Qt's own
// helper widgets (named "qt_...": a tab widget's stack and tab bar, a spin
// box's line edit, scroll area viewports) and a scroll area's content widget
// add no level: their children stand in their place. Windows (dialogs,
// pop-ups) are not children.
QList<QWidget*> ChildControls(const QWidget* control);

// The names on the way from `root` down to `control` (root excluded), joined
// by "." as the settings store joins them: the widgets that add no level to
// ChildControls add none here either.
QString ControlPath(const QWidget* root, const QWidget* control);

class QComboBox;
// A combo box at least as wide as it needs to show `text` whole (its
// longest item when `text` is empty); its list may hold longer items.
void FitComboText(QComboBox* combo, QString text = {});
