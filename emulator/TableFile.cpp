#include "emulator/TableFile.h"

namespace {
QByteArray Quoted(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}

struct CsvField {
    QByteArray Text;
    bool Quoted = false;
};

// Splits into records of fields; quotes may hold commas and line breaks.
bool SplitCsv(const QByteArray& data, std::vector<std::pair<int, std::vector<CsvField>>>& records, QString& error)
{
    std::vector<CsvField> record(1);
    int line = 1, recordLine = 1;
    bool inQuotes = false, afterQuote = false;
    auto endRecord = [&] {
        if (record.size() > 1 || !record[0].Text.isEmpty() || record[0].Quoted)
            records.emplace_back(recordLine, std::move(record));
        record.assign(1, {});
        recordLine = line;
    };
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char ch = data[i];
        if (inQuotes) {
            if (ch == '"') {
                if (i + 1 < data.size() && data[i + 1] == '"') {
                    record.back().Text.append('"');
                    ++i;
                } else {
                    inQuotes = false;
                    afterQuote = true;
                }
            } else {
                if (ch == '\n')
                    ++line;
                record.back().Text.append(ch);
            }
            continue;
        }
        if (ch == ',') {
            record.emplace_back();
            afterQuote = false;
        } else if (ch == '\n') {
            ++line;
            endRecord();
            afterQuote = false;
        } else if (ch == '\r') {
            continue;
        } else if (ch == '"' && record.back().Text.isEmpty() && !record.back().Quoted) {
            record.back().Quoted = inQuotes = true;
        } else if (ch == '"' || afterQuote) {
            error = QStringLiteral("Строка %1: лишняя кавычка").arg(line);
            return false;
        } else {
            record.back().Text.append(ch);
        }
    }
    if (inQuotes) {
        error = QStringLiteral("Строка %1: нет закрывающей кавычки").arg(recordLine);
        return false;
    }
    endRecord();
    return true;
}

bool Number(const CsvField& field, int& value)
{
    bool ok = false;
    value = field.Quoted ? 0 : field.Text.trimmed().toInt(&ok);
    return ok;
}
} // namespace

QByteArray WriteTableFile(const RegisterTables& tables)
{
    QByteArray out;
    for (int t = 1; t <= tables.Count(); ++t) {
        const DeviceTable& table = *tables.Find(t);
        for (int row = 1; row <= table.Rows; ++row)
            for (int field = 1; field <= int(table.Fields.size()); ++field) {
                const QVariant& v = table.Values[std::size_t(row - 1)][std::size_t(field - 1)];
                out += QByteArray::number(t) + ',' + QByteArray::number(row) + ',' + QByteArray::number(field) + ',';
                out += table.Fields[std::size_t(field - 1)].IsString ? Quoted(v.toString())
                                                                     : QByteArray::number(v.toLongLong());
                out += "\r\n";
            }
    }
    return out;
}

bool ReadTableFile(const QByteArray& data, std::vector<TableFileLine>& lines, QString& error)
{
    lines.clear();
    std::vector<std::pair<int, std::vector<CsvField>>> records;
    if (!SplitCsv(data, records, error))
        return false;
    for (const auto& [lineNumber, fields] : records) {
        TableFileLine line;
        line.LineNumber = lineNumber;
        bool ok = fields.size() == 4 && Number(fields[0], line.Table) && Number(fields[1], line.Row) &&
                  Number(fields[2], line.Field);
        if (ok && fields[3].Quoted) {
            line.Value = QString::fromUtf8(fields[3].Text);
        } else if (ok) {
            const qlonglong n = fields[3].Text.trimmed().toLongLong(&ok);
            line.Value = n;
        }
        if (!ok) {
            error = QStringLiteral("Строка %1: ожидается таблица, ряд, поле и значение").arg(lineNumber);
            lines.clear();
            return false;
        }
        lines.push_back(std::move(line));
    }
    if (lines.empty()) {
        error = QStringLiteral("Файл не содержит значений");
        return false;
    }
    return true;
}
