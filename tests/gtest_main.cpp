// Runs the tests with a cache folder of this process alone, in a fresh folder removed at the
// end: tests running in parallel, or two runs at once, never see or change each other's module
// index, nor the real user's.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "tempfolder.h"

int main(int argc, char** argv) {
    const TempFolder userFolders;
#ifdef _WIN32
    ::_wputenv_s(L"LOCALAPPDATA", (userFolders.path / "cache").c_str());
#else
    ::setenv("XDG_CACHE_HOME", (userFolders / "cache").c_str(), 1);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
