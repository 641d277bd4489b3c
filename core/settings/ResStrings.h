#pragma once
// Resource texts. No translation catalogue is shipped, so each text is shown
// as written (UTF-8 in the source).
#include <QString>

// A resource string:  GetRes("Результат")
QString GetRes(const char* ResString);
QString GetRes(const QString& ResString);
// The translation function that some pages pass their literals through.
QString Translate(const char* Text);
