#pragma once
// The file of ExportTables / ImportTables: comma-separated lines
// "table,row,field,value" for every field of every row; a string value in
// double quotes (a quote inside written twice), a number in decimal. UTF-8,
// CR LF line ends.
#include "emulator/RegisterTables.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct TableFileLine {
    int Table = 0;
    int Row = 0;
    int Field = 0;
    QVariant Value;  // QString when quoted, qlonglong otherwise
    int LineNumber = 0;
};

QByteArray WriteTableFile(const RegisterTables& tables);
// Reads the whole file; false with a message naming the first bad line
// (nothing is returned then). A file without a single value is bad too.
bool ReadTableFile(const QByteArray& data, std::vector<TableFileLine>& lines, QString& error);
