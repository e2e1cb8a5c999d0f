#pragma once

#include <QString>

// The program's version, taken from the build so that one number serves the windows,
// the package and the version record.
struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

ProgramVersion programVersion();

// major.minor.revision, each part written plainly: 1.0.12.
QString VersionText();
