#pragma once
// The driver's own settings, kept between runs as a real driver keeps them:
// the connection (type, port, baud rate, address), the timeouts and the
// Vintrel cash-register link. They
// live in one file of the current user, $XDG_CONFIG_HOME/orvek/driver.conf,
// "Name=Value" lines named after the properties. A driver object loads them
// when it is created and saves them when they are saved (SaveParams, OK in
// the properties dialog) and when it is freed. Which registers answer at
// an address is still the bench's business (OrvekBench.h).
#include "emulator/OrvekProperties.h"

#include <QString>

QString OrvekSettingsFileName();
// Sets the properties the file holds; a missing file, an unknown name or a
// value that does not read leaves the property as it is. The file is kept
// as the registry is (TKeptFile): one too large is moved aside, one with
// lines that do not read is copied aside, one that cannot be read is never
// written over; each is told to the user once.
void LoadOrvekSettings(OrvekPropertyStore& props);
// Writes the file whole (a temporary file, then renamed, so a failed write
// leaves the file as it was). Returns the error text, empty on success.
QString SaveOrvekSettings(const OrvekPropertyStore& props);
// Tells the user once that a save (at the end of a driver object) failed.
void NotifyOrvekSettingsNotSaved(const QString& error);
