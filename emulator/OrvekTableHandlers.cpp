// Device tables: structure, reading, writing.
#include "core/support/BinUtils.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"

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
    c.Set(P::FieldName, f->Name);
    c.Set(P::FieldType, f->IsString);
    c.Set(P::FieldSize, f->Size);
    c.Set(P::MINValueOfField, f->IsString ? 0 : f->Min);
    c.Set(P::MAXValueOfField, f->IsString ? 0 : f->Max);
    c.Answer.append(f->Name.toUtf8()).append(char(f->IsString ? 1 : 0)).append(char(f->Size));
    return OrvekResult::Ok;
}

std::int32_t ReadTable(OrvekCall& c)
{
    RequestAddress(c, true);
    QVariant value;
    std::int32_t code =
        c.Reg().Tables().Read(c.Int(P::TableNumber), c.Int(P::RowNumber), c.Int(P::FieldNumber), value);
    if (code != OrvekResult::Ok)
        return code;
    const TableField* f = c.Reg().Tables().Field(c.Int(P::TableNumber), c.Int(P::FieldNumber));
    c.Set(P::ValueOfFieldString, value.toString());
    c.Set(P::ValueOfFieldInteger, f->IsString ? value.toString().trimmed().toInt() : value.toInt());
    c.Answer.append(value.toString().toUtf8());
    return OrvekResult::Ok;
}

std::int32_t WriteTable(OrvekCall& c)
{
    RequestAddress(c, true);
    const TableField* f = c.Reg().Tables().Field(c.Int(P::TableNumber), c.Int(P::FieldNumber));
    QVariant value = f && f->IsString ? QVariant(c.Str(P::ValueOfFieldString)) : QVariant(c.Int(P::ValueOfFieldInteger));
    c.Request.append(value.toString().toUtf8());
    return c.Reg().Tables().Write(c.Int(P::TableNumber), c.Int(P::RowNumber), c.Int(P::FieldNumber), value);
}

std::int32_t InitTable(OrvekCall& c)
{
    RequestAddress(c, false);
    return c.Reg().Tables().Init(c.Int(P::TableNumber));
}
} // namespace

void AddTableHandlers(OrvekHandlerTable& t)
{
    t.Add(M::GetTableStruct, OrvekAccess::Device, 0x2D, &GetTableStruct);
    t.Add(M::GetFieldStruct, OrvekAccess::Device, 0x2E, &GetFieldStruct);
    t.Add(M::ReadTable, OrvekAccess::Device, 0x1F, &ReadTable);
    t.Add(M::WriteTable, OrvekAccess::Device, 0x1E, &WriteTable);
    t.Add(M::InitTable, OrvekAccess::Device, 0x1E, &InitTable);
}
