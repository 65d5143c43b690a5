#pragma once
// The program's files as the import tests use them: the stdmib/ beside the built programs, and no
// word list, so that display names are what the rules alone make.

#include "import/programfiles.h"
#include "shared_data.h"

inline ProgramFiles FixturePrograms() {
    return {testdata::programData("stdmib").string() + "/",
            testdata::programData("stdmib/VELTRANE-STANDARD-MIB.mib").string(),
            "/nonexistent/replacelist.txt"};
}
