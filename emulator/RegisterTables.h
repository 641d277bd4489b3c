#pragma once
// The device tables of an emulated register: numbered tables of rows and
// fields, each field an integer or a string with its size and limits.
// Tables are numbered 1..N without gaps; anything past the last table, row
// or field answers 93.
#include "emulator/StateArchive.h"
#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

struct TableField {
    QString Name;
    bool IsString = false;
    int Size = 1;             // bytes of an integer field, characters of a string field
    std::int32_t Min = 0;
    std::int32_t Max = 255;
    QVariant Default;         // int or QString
    bool ServiceOnly = false; // written under the service password only
};

struct DeviceTable {
    int Number = 0;
    QString Name;
    int Rows = 1;
    std::vector<TableField> Fields;
    std::vector<std::vector<QVariant>> Values;    // [row - 1][field - 1]
    std::vector<std::vector<QVariant>> Defaults;  // what InitTable restores
};

class RegisterTables {
public:
    // The model's tables at their defaults.
    void Build(bool typeTwo, const QString& serial);

    int Count() const { return int(FTables.size()); }
    DeviceTable* Find(int table);
    const DeviceTable* Find(int table) const;
    const TableField* Field(int table, int field) const;

    // 0, or 93 for a table, row or field that does not exist.
    std::int32_t Read(int table, int row, int field, QVariant& value) const;
    // 0; 93 as Read; 51 for a value outside the field's limits or too long.
    std::int32_t Write(int table, int row, int field, const QVariant& value);
    // Back to the defaults; 93 for an unknown table.
    std::int32_t Init(int table);

    // Shortcuts for the emulator and tests (no checks of limits).
    QVariant Value(int table, int row, int field) const;
    void SetValue(int table, int row, int field, const QVariant& value);
    // Adds a table after the last one (its number is set to Count() + 1).
    DeviceTable& Add(DeviceTable table);

    // The values of the fields; a stored value goes where its table, row
    // and field still exist.
    void Keep(StateArchive& a);
    // Grows whenever the tables may have changed (a table reached for writing).
    std::uint64_t Changes() const { return FChanges; }

private:
    std::vector<DeviceTable> FTables;
    std::uint64_t FChanges = 0;
};
