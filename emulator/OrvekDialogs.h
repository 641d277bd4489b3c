#pragma once
// The component's own dialogs: the driver's settings (ShowProperties) and
// the register's tables (ShowTablesDlg).
//
// They are shown through one runner. The programs run them modally; while
// the dialogs service is scripted (tests) the default runner shows nothing
// and answers Cancel, and a test installs a runner of its own to fill the
// controls (found by objectName) and accept.
#include "emulator/EmulatedRegister.h"
#include "emulator/OrvekProperties.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

using OrvekDialogRunner = std::function<int(QDialog&)>;
// Installs a runner; returns the one before. Null restores the default.
OrvekDialogRunner SetOrvekDialogRunner(OrvekDialogRunner runner);
int RunOrvekDialog(QDialog& dialog);

// Connection settings and the password.
class TfmOrvekProperties : public QDialog {
public:
    TfmOrvekProperties(OrvekPropertyStore& props, QWidget* parent = nullptr);
    // Writes the controls into the properties (done when the dialog is accepted).
    void StoreParams();

private:
    void LoadParams();
    void btnCheckConnectionClick();
    void UpdateControls();
    void StoreInto(OrvekPropertyStore& props) const;

    OrvekPropertyStore& FProps;
    QComboBox* cbConnectionType;
    QSpinBox* seComNumber;
    QComboBox* cbBaudRate;
    QSpinBox* seTimeout;
    QLineEdit* edtIPAddress;
    QLineEdit* edtComputerName;
    QCheckBox* chbUseIPAddress;
    QSpinBox* seTCPPort;
    QSpinBox* seTCPConnectionTimeout;
    QLineEdit* edtPassword;
    QLabel* lblCheckResult;
};

// The register's tables: the list of tables, the fields of one row; a
// value edited in place is written to the register at once.
class TfmOrvekTables : public QDialog {
public:
    TfmOrvekTables(EmulatedRegister& reg, QWidget* parent = nullptr);

private:
    void ShowTable();
    void lvFieldsItemChanged(QTreeWidgetItem* item, int column);

    EmulatedRegister& FRegister;
    QTreeWidget* lvTables;
    QSpinBox* seRow;
    QTreeWidget* lvFields;
    bool FFilling = false;
};
