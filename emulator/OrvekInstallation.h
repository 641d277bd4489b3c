#pragma once
// What the emulated driver reports about its installation: whether it is
// installed at all (creation fails when not) and its version.
//
// The environment sets it for a run of a program: ORVEK_DRIVER_VERSION
// ("4.13.0.594") and ORVEK_DRIVER_MISSING ("1": creating a driver object
// fails as with no driver installed).
#include <QString>

struct OrvekInstallation {
    bool Installed = true;
    int Major = 5;
    int Minor = 20;
    int Release = 0;
    int Build = 1100;
    QString VersionText() const;
};

OrvekInstallation CurrentOrvekInstallation();
// Driver objects created afterwards follow it; returns the one before.
OrvekInstallation SetOrvekInstallation(const OrvekInstallation& installation);
// The defaults with ORVEK_DRIVER_VERSION and ORVEK_DRIVER_MISSING applied (a
// malformed version is ignored with a warning).
OrvekInstallation OrvekInstallationFromEnvironment();
