// On Windows, in place of the test files that need what only POSIX systems have: one skipped test
// that names them, so that a run says what it left out.
#include <gtest/gtest.h>

TEST(PosixOnly, TestFilesLeftOut) {
    GTEST_SKIP() << "skipped: " POSIX_ONLY_TESTS
                    " need POSIX (named pipes, sockets, owners and modes, "
                    "other users' links, fork, signals, resource limits)";
}
