#pragma once
// The registry control store (SaveControlParams / LoadControlParams): every
// input control under a form is kept in one registry value named by its path,
// the prefix (the form's name) followed by "." and the name of each control
// on the way down, e.g.
//   fmMain.pnlMain.pnlSite.fmTabbedPage_5.PageControl..fmPrintText.grpPrintString.edtStringForPrinting
// (a tab sheet is unnamed; Qt's own helper widgets add no level, see ChildControls).
//
//   control          stored                                  registry type
//   TUpDown          Position                                integer
//   QLineEdit        text, not when read-only, 4096 chars    string
//   QPlainTextEdit   text with CR LF, not when read-only, 4096 chars   string
//   QSpinBox         value                                   integer
//   QComboBox        currentIndex (restored: 0 when out of range)  integer
//   QCheckBox        checked 1/0                             integer
//   QRadioButton     checked 1/0                             integer
//   TRadioGroup      ItemIndex                               integer
//   QDateTimeEdit    days from 30.12.1899 as a double        8 bytes binary, little-endian
//
// A control with Tag 1000 is left out with everything inside it. Children
// come before their container. Restoring goes through the controls' ordinary
// setters, so their change handlers run.
#include <QString>

class QWidget;
class TRegistry;

void SaveControlParams(const QString& Prefix, QWidget* Control, TRegistry& Registry);
// A value that does not fit is skipped and the rest restored: a value of the
// wrong type, an edit's text that its validator does not accept, a value
// whose change handler raises (the control gets its value back).
void LoadControlParams(const QString& Prefix, QWidget* Control, TRegistry& Registry);

// The registry key of LumaqTst's values.
extern const QString LumaqParamKey;   // "\SOFTWARE\Brannic\Tests\Lumaq\A4\Param"

// Loads a form's values from LumaqParamKey under the form's name, when the key exists.
void LoadFormParams(QWidget* Form);
// Stores a form's values into LumaqParamKey (created when missing); errors are dropped.
void SaveFormParams(QWidget* Form);
