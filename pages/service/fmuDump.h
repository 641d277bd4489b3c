#pragma once
// TfmDump: "Дамп", the modal hex viewer of a memory dump: 16 bytes a row
// with their offsets, saved to a file, compared with a reference file, with
// a jump to an offset and a search for bytes.
#include "core/pages/BaseForm.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <cstdint>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;

struct TDeviceRec {
    std::int32_t Code = 0;
    QString Description;
};

constexpr int DumpColumns = 16;

// The dump's rows: 16 bytes each, the last one shorter; at least one.
qsizetype DumpRowCount(qsizetype Size);
// The offset text of a row ("000010").
QString DumpOffsetText(qsizetype Offset);
// A hex offset the user typed ("1F0", "0x1F0"); none when it is not hex
// or lies beyond the dump (0 stands in an empty one).
std::optional<qsizetype> ParseDumpOffset(const QString& Text, qsizetype Size);
// The next place of Pattern after From, wrapping to the start; -1 when none.
qsizetype FindDumpBytes(const QByteArray& Data, const QByteArray& Pattern, qsizetype From);
// Writes exactly the bytes into the file (created or truncated); raises
// EFCreateError.
void SaveDumpFile(const QString& FileName, const QByteArray& Data);

// The dump as a table: 16 byte columns, rows by offset.
class TDumpModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void SetDump(QByteArray Dump);
    const QByteArray& Dump() const { return FDump; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QByteArray FDump;
};

class TfmDump : public TBaseForm {
    Q_OBJECT
public:
    explicit TfmDump(QWidget* owner = nullptr);

    QPushButton* btnSave;
    QPushButton* btnCompare;
    QLineEdit* edtOffset;
    QPushButton* btnGoTo;
    QLineEdit* edtFind;
    QPushButton* btnFind;
    QTableView* Grid;
    TDumpModel* Model;

    void SetDump(const QByteArray& Dump, const TDeviceRec& Device);
    const TDeviceRec& Device() const { return FDevice; }
    void UpdatePage();
    // The byte of the current cell (0 when none).
    qsizetype CurrentOffset() const;

private:
    void btnSaveClick();
    void btnCompareClick();
    void btnGoToClick();
    void btnFindClick();
    // Selects Count bytes from Offset and brings them into view.
    void SelectBytes(qsizetype Offset, qsizetype Count);

    QByteArray FDump;
    TDeviceRec FDevice;
};

// Shows the dump in the viewer, modal, centred on the owner's window.
void ShowDumpDlg(QWidget* Owner, const QByteArray& Dump, const TDeviceRec& Device);
