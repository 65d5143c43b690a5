#pragma once
// The program's files as the import tests use them: the stdmib/ beside the built programs, and no
// word list, so that display names are what the rules alone make.

#include "import/programfiles.h"
#include "shared_data.h"

inline ProgramFiles FixturePrograms() {
    return {.standardFolder = testdata::programData("stdmib").string() + "/",
            .standardModule = testdata::programData("stdmib/VELTRANE-STANDARD-MIB.mib").string(),
            .replaceList = "/nonexistent/replacelist.txt"};
}
