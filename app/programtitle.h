#pragma once
// The program's title with the version the build gives (project(VERSION) in CMakeLists.txt).

#include <QString>

inline const QString ProgramTitle = QString("Veltrane Oidwright V" OIDWRIGHT_VERSION " for Zelto 7 ");
