#include "pages/service/fmuTable.h"

#include "core/driver/untDriver.h"
#include "core/support/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QPlainTextEdit>
#include <limits>

namespace {
constexpr int MinNumber = std::numeric_limits<int>::min();
constexpr int MaxNumber = std::numeric_limits<int>::max();

QString Unsigned(int32_t Value)
{
    return QString::number(uint32_t(Value));
}
} // namespace

TfmTable::TfmTable(QWidget* owner) : TPage(owner, "fmTable", PageCaption)
{
    // The inputs and buttons on the left, the structure lines on the right.
    using T = TfmTable;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Spin(NAMED(seTableNumber), QStringLiteral("Номер таблицы:"), MinNumber, MaxNumber, 1, "TableNumber");
    left.Spin(NAMED(seRowNumber), QStringLiteral("Номер ряда:"), MinNumber, MaxNumber, 1, "RowNumber");
    left.Spin(NAMED(seFieldNumber), QStringLiteral("Номер поля:"), MinNumber, MaxNumber, 1, "FieldNumber");
    left.Edit(NAMED(edtValue), QStringLiteral("Значение:"),
              QStringLiteral("0123456789012345678901234567890123456789"), "ValueOfFieldString");
    auto file = left.Columns();
    file.Edit(NAMED(edtFileName), QStringLiteral("Имя файла:"), {}, "FileName");
    file.Stretch(edtFileName);
    file.Button({NAMED(btnOpenFile), QStringLiteral("..."), &T::btnOpenFileClick, {}, TRun::Plain});
    btnOpenFile->setMaximumWidth(btnOpenFile->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    left.Buttons(4, {
        {NAMED(btnGetTableStruct), QStringLiteral("Получить структуру таблицы"), &T::btnGetTableStructClick,
         "GetTableStruct"},
        {NAMED(btnGetFieldStruct), QStringLiteral("Получить структуру поля"), &T::btnGetFieldStructClick,
         "GetFieldStruct"},
        {NAMED(btnReadTable), QStringLiteral("Прочитать таблицу"), &T::btnReadTableClick, "ReadTable"},
        {NAMED(btnWriteTable), QStringLiteral("Записать таблицу"), &T::btnWriteTableClick, "WriteTable"},
        // Frames itself once the user has confirmed.
        {NAMED(btnInitTable), QStringLiteral("Инициализировать таблицы"), &T::btnInitTableClick, "InitTable",
         TRun::Plain},
        {NAMED(btnShowTablesDlg), QStringLiteral("Редактирование таблиц..."), &T::btnShowTablesDlgClick,
         "ShowTablesDlg"},
        {NAMED(btnExportTables), QStringLiteral("Сохранить таблицы в файл"), &T::btnExportTablesClick,
         "ExportTables"},
        {NAMED(btnImportTables), QStringLiteral("Загрузить таблицы из файла"), &T::btnImportTablesClick,
         "ImportTables"},
    });
    Memo = page.Memo(NAMED(Memo), true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setMinimumWidth(Memo->fontMetrics().horizontalAdvance(QString(44, QLatin1Char('0'))));
}

void TfmTable::AddLine(const QString& S)
{
    Memo->appendPlainText(S);
}

void TfmTable::AddTypeLine()
{
    AddLine(Driver().FieldType() ? QStringLiteral("Тип поля: строка") : QStringLiteral("Тип поля: число"));
}

void TfmTable::AddLimitLines()
{
    TDriver& d = Driver();
    if (d.FieldType())
        return;
    AddLine(QStringLiteral("Мин. значение: ") + Unsigned(d.MINValueOfField()));
    AddLine(QStringLiteral("Макс. значение: ") + Unsigned(d.MAXValueOfField()));
}

void TfmTable::AddFieldLines()
{
    TDriver& d = Driver();
    AddLine(Format(QStringLiteral("%s: %s"), {QStringLiteral("Название поля"), d.FieldName()}));
    AddTypeLine();
    AddLine(Format(QStringLiteral("%s: %d"), {QStringLiteral("Размер поля"), d.FieldSize()}));
    AddLimitLines();
}

void TfmTable::ShowValue()
{
    TDriver& d = Driver();
    edtValue->setText(d.FieldType() ? d.ValueOfFieldString() : Unsigned(d.ValueOfFieldInteger()));
}

void TfmTable::btnGetTableStructClick()
{
    Memo->clear();
    TDriver& d = Driver();
    d.setTableNumber(seTableNumber->value());
    if (d.GetTableStruct() != 0)
        return;
    AddLine(Format(QStringLiteral("%s: %s"), {QStringLiteral("Название таблицы"), d.TableName()}));
    AddLine(QStringLiteral("Количество рядов: ") + QString::number(d.RowNumber()));
    AddLine(Format(QStringLiteral("%s: %d"), {QStringLiteral("Количество полей"), d.FieldNumber()}));
}

void TfmTable::btnGetFieldStructClick()
{
    Memo->clear();
    TDriver& d = Driver();
    d.setTableNumber(seTableNumber->value());
    d.setFieldNumber(seFieldNumber->value());
    if (d.GetFieldStruct() == 0)
        AddFieldLines();
}

void TfmTable::SetAddress()
{
    TDriver& d = Driver();
    d.setTableNumber(seTableNumber->value());
    d.setFieldNumber(seFieldNumber->value());
    d.setRowNumber(seRowNumber->value());
}

void TfmTable::btnReadTableClick()
{
    Memo->clear();
    SetAddress();
    if (Driver().ReadTable() != 0)
        return;
    AddFieldLines();
    ShowValue();
}

void TfmTable::btnWriteTableClick()
{
    Memo->clear();
    SetAddress();
    TDriver& d = Driver();
    d.setValueOfFieldString(edtValue->text());
    if (d.WriteTable() != 0)
        return;
    AddLine(QStringLiteral("Структура поля:"));
    AddLine(Format(QStringLiteral("    %s: %s"), {QStringLiteral("Название поля"), d.FieldName()}));
    AddTypeLine();
    AddLine(Format(QStringLiteral("    %s: %d"), {QStringLiteral("Размер поля"), d.FieldSize()}));
    AddLimitLines();
    ShowValue();
}

void TfmTable::btnInitTableClick()
{
    if (Dialogs::MessageBox(QStringLiteral("Вы уверены?"), QStringLiteral("Инициализировать таблицы"),
                            Dialogs::Buttons::YesNo, Dialogs::Icon::Warning) != Dialogs::mrYes)
        return;
    TEnableButtonsFrame frame(this);
    Driver().InitTable();
}

void TfmTable::btnShowTablesDlgClick()
{
    Driver().setParentWnd(int32_t(window()->winId()));
    Driver().ShowTablesDlg();
}

void TfmTable::btnOpenFileClick()
{
    const QString name = Dialogs::SaveFileName(QString(), QStringLiteral("CSV (*.csv);;") + Dialogs::AllFilesFilter(),
                                               edtFileName->text(), QStringLiteral("csv"));
    if (!name.isEmpty())
        edtFileName->setText(name);
}

void TfmTable::btnExportTablesClick()
{
    Driver().setFileName(edtFileName->text());
    Driver().ExportTables();
}

void TfmTable::btnImportTablesClick()
{
    Driver().setFileName(edtFileName->text());
    Driver().ImportTables();
}
