#pragma once
// TfmTable: "Таблицы", one field of a device table: the table's and the
// field's structure, reading and writing the field, initialising the tables,
// the driver's table editor, export and import of all tables.
#include "core/pages/untPages.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class TfmTable : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Таблицы";
    explicit TfmTable(QWidget* owner = nullptr);

    QSpinBox* seTableNumber;
    QSpinBox* seRowNumber;
    QSpinBox* seFieldNumber;
    QLineEdit* edtValue;
    QPlainTextEdit* Memo;
    QPushButton* btnGetTableStruct;
    QPushButton* btnGetFieldStruct;
    QPushButton* btnReadTable;
    QPushButton* btnWriteTable;
    QPushButton* btnInitTable;
    QPushButton* btnShowTablesDlg;
    QLineEdit* edtFileName;
    QPushButton* btnOpenFile;
    QPushButton* btnExportTables;
    QPushButton* btnImportTables;

private:
    void btnGetTableStructClick();
    void btnGetFieldStructClick();
    void btnReadTableClick();
    void btnWriteTableClick();
    void btnInitTableClick();
    void btnShowTablesDlgClick();
    void btnOpenFileClick();
    void btnExportTablesClick();
    void btnImportTablesClick();

    // TableNumber, FieldNumber and RowNumber from the spin edits.
    void SetAddress();
    void AddLine(const QString& S);
    // Name, type, size and, for a number field, its limits.
    void AddFieldLines();
    void AddTypeLine();
    // The limits of a number field (unsigned); nothing for a string field.
    void AddLimitLines();
    // The field's value read back into edtValue (a number unsigned).
    void ShowValue();
};
