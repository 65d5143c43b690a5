#pragma once
// The program's title with the version the build gives (project(VERSION) in CMakeLists.txt).

#include <QString>

QString ProgramTitle();
