// Device tables: structure, reading, writing, export and import.
#include "core/binding/OrvekServiceCodes.h"
#include "core/support/BinUtils.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterNetwork.h"
#include "emulator/TableFile.h"
#include "platform/AtomicFile.h"
#include "platform/FileRead.h"


namespace {
using P = OrvekProp;
using M = OrvekMethod;

void RequestAddress(OrvekCall& c, bool withField)
{
    c.Request.append(char(c.Int(P::TableNumber)));
    if (withField) {
        c.Request += IntToBin(c.Int(P::RowNumber), 2);
        c.Request.append(char(c.Int(P::FieldNumber)));
    }
}

// The field's structure properties; the value properties stay as they are.
void SetFieldProps(OrvekCall& c, const TableField& f)
{
    c.Set(P::FieldName, f.Name);
    c.Set(P::FieldType, f.IsString);
    c.Set(P::FieldSize, f.Size);
    c.Set(P::MINValueOfField, f.IsString ? 0 : f.Min);
    c.Set(P::MAXValueOfField, f.IsString ? 0 : f.Max);
}

// Both value properties from a field's value.
void SetValueProps(OrvekCall& c, const TableField& f, const QVariant& value)
{
    c.Set(P::ValueOfFieldString, value.toString());
    c.Set(P::ValueOfFieldInteger, f.IsString ? value.toString().trimmed().toInt() : value.toInt());
}

std::int32_t GetTableStruct(OrvekCall& c)
{
    RequestAddress(c, false);
    const DeviceTable* t = c.Reg().Tables().Find(c.Int(P::TableNumber));
    if (!t)
        return OrvekResult::BadTableField;
    c.Set(P::TableName, t->Name);
    c.Set(P::RowNumber, t->Rows);
    c.Set(P::FieldNumber, int(t->Fields.size()));
    c.Answer.append(t->Name.toUtf8()).append(char(t->Rows)).append(char(t->Fields.size()));
    return OrvekResult::Ok;
}

std::int32_t GetFieldStruct(OrvekCall& c)
{
    c.Request.append(char(c.Int(P::TableNumber))).append(char(c.Int(P::FieldNumber)));
    const TableField* f = c.Reg().Tables().Field(c.Int(P::TableNumber), c.Int(P::FieldNumber));
    if (!f)
        return OrvekResult::BadTableField;
    SetFieldProps(c, *f);
    c.Answer.append(f->Name.toUtf8()).append(char(f->IsString ? 1 : 0)).append(char(f->Size));
    return OrvekResult::Ok;
}

std::int32_t ReadTable(OrvekCall& c)
{
    RequestAddress(c, true);
    if (c.Int(P::TableNumber) == 16 && c.Int(P::FieldNumber) == 2)
        c.Reg().Area<RegisterNetwork>().DHCPState();
    QVariant value;
    std::int32_t code =
        c.Reg().Tables().Read(c.Int(P::TableNumber), c.Int(P::RowNumber), c.Int(P::FieldNumber), value);
    if (code != OrvekResult::Ok)
        return code;
    const TableField* f = c.Reg().Tables().Field(c.Int(P::TableNumber), c.Int(P::FieldNumber));
    SetFieldProps(c, *f);
    SetValueProps(c, *f, value);
    c.Answer.append(value.toString().toUtf8());
    return OrvekResult::Ok;
}

// The service fields take the service password only, every other field an
// operator's password.
std::int32_t CheckWritePassword(OrvekCall& c, const TableField* field)
{
    const std::int32_t password = c.Int(P::Password);
    c.Request += IntToBin(quint32(password), 4);
    if (field && field->ServiceOnly) {
        if (password != OrvekService::ServicePassword) {
            c.Description = QStringLiteral("Поле записывается только под сервисным паролем");
            return OrvekResult::BadPassword;
        }
        return OrvekResult::Ok;
    }
    const int op = c.Reg().OperatorOf(password);
    if (op == 0)
        return OrvekResult::BadPassword;
    c.Reg().State().Operator = op;
    return OrvekResult::Ok;
}

// The value to write: a string field takes ValueOfFieldString; a number
// field the one of ValueOfFieldInteger and ValueOfFieldString written last,
// a text converted to a number.
std::int32_t ValueToWrite(OrvekCall& c, const TableField& f, QVariant& value)
{
    const bool asText = c.Props.WriteOrder(P::ValueOfFieldString) > c.Props.WriteOrder(P::ValueOfFieldInteger);
    if (f.IsString) {
        value = c.Str(P::ValueOfFieldString);
    } else if (!asText) {
        value = c.Int(P::ValueOfFieldInteger);
    } else {
        bool ok = false;
        const qlonglong n = c.Str(P::ValueOfFieldString).trimmed().toLongLong(&ok);
        if (!ok) {
            c.Description = QStringLiteral("Значение поля не является числом");
            return OrvekResult::BadParameter;
        }
        value = n;
    }
    return OrvekResult::Ok;
}

std::int32_t WriteTable(OrvekCall& c)
{
    const int table = c.Int(P::TableNumber), row = c.Int(P::RowNumber), field = c.Int(P::FieldNumber);
    const TableField* f = c.Reg().Tables().Field(table, field);
    if (std::int32_t code = CheckWritePassword(c, f))
        return code;
    RequestAddress(c, true);
    if (!f)
        return OrvekResult::BadTableField;
    QVariant value;
    if (std::int32_t code = ValueToWrite(c, *f, value))
        return code;
    c.Request.append(value.toString().toUtf8());
    if (std::int32_t code = c.Reg().Tables().Write(table, row, field, value))
        return code;
    SetFieldProps(c, *f);
    SetValueProps(c, *f, c.Reg().Tables().Value(table, row, field));
    return OrvekResult::Ok;
}

// Every table back to its defaults.
std::int32_t InitTable(OrvekCall& c)
{
    RegisterTables& tables = c.Reg().Tables();
    for (int table = 1; table <= tables.Count(); ++table)
        tables.Init(table);
    return OrvekResult::Ok;
}

std::int32_t FileError(OrvekCall& c, const QString& text)
{
    c.Description = text;
    return OrvekResult::FileError;
}

std::int32_t ExportTables(OrvekCall& c)
{
    const QString name = c.Str(P::FileName);
    const QString error = name.isEmpty() ? QStringLiteral("нет имени файла")
                                         : WriteFileAtomically(name, WriteTableFile(c.Reg().Tables()));
    if (!error.isEmpty())
        return FileError(c, QStringLiteral("Не удалось записать файл \"%1\": %2").arg(name, error));
    return OrvekResult::Ok;
}

// All or nothing: the values go into a copy of the tables, which replaces
// them only when every value was written.
std::int32_t ImportTables(OrvekCall& c)
{
    const QString name = c.Str(P::FileName);
    if (name.isEmpty())
        return FileError(c, QStringLiteral("Не удалось открыть файл \"%1\"").arg(name));
    const TFileRead read = ReadFileBounded(name, MaxTextFileSize);
    if (read.status != TFileRead::Ok)
        return FileError(c, FileReadError(name, read, MaxTextFileSize));
    std::vector<TableFileLine> lines;
    QString error;
    if (!ReadTableFile(read.bytes, lines, error)) {
        c.Description = error;
        return OrvekResult::BadParameter;
    }
    RegisterTables tables = c.Reg().Tables();
    for (const TableFileLine& line : lines) {
        std::int32_t code = OrvekResult::Ok;
        const TableField* f = tables.Field(line.Table, line.Field);
        if (f && f->ServiceOnly && tables.Value(line.Table, line.Row, line.Field).toLongLong() != line.Value.toLongLong())
            code = OrvekResult::BadPassword;
        else
            code = tables.Write(line.Table, line.Row, line.Field, line.Value);
        if (code != OrvekResult::Ok) {
            c.Description = QStringLiteral("Строка %1: %2").arg(line.LineNumber).arg(OrvekResultDescription(code));
            return code;
        }
    }
    c.Reg().Tables() = std::move(tables);
    return OrvekResult::Ok;
}
} // namespace

void AddTableHandlers(OrvekHandlerTable& t)
{
    t.Add(M::GetTableStruct, OrvekAccess::Device, 0x2D, &GetTableStruct);
    t.Add(M::GetFieldStruct, OrvekAccess::Device, 0x2E, &GetFieldStruct);
    t.Add(M::ReadTable, OrvekAccess::Device, 0x1F, &ReadTable);
    // Checks its password itself: the service table has one of its own.
    t.Add(M::WriteTable, OrvekAccess::DeviceNoPassword, 0x1E, &WriteTable);
    t.Add(M::InitTable, OrvekAccess::Device, 0x1E, &InitTable);
    t.Add(M::ExportTables, OrvekAccess::Device, 0x1F, &ExportTables);
    t.Add(M::ImportTables, OrvekAccess::Device, 0x1E, &ImportTables);
}
