#pragma once
// The program's version (the project version, four numbers) and path.
#include <QString>
#include <cstdint>

struct TFileVersionInfo {
    uint16_t MajorVersion = 0;
    uint16_t MinorVersion = 0;
    uint16_t Release = 0;
    uint16_t Build = 0;
};

// The program version; all 0 when the program carries none.
TFileVersionInfo GetFileVersionInfo();
// A version text "a.b.c.d" read into the record; missing or bad numbers give 0.
TFileVersionInfo VersionFromText(const QString& text);
// "%d.%d.%d.%d" of the program version.
QString GetFileVersionInfoStr();
QString GetModuleVersion();
// The full path of the program file.
QString GetModFileName();
QString GetModuleFileName();
