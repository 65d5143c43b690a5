// Runs the tests inside a QApplication on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's cache and data folders of this process alone: tests running in parallel
    // never see or remove each other's module index or logs, nor the real user's.
    QTemporaryDir userFolders;
    qputenv("XDG_CACHE_HOME", userFolders.filePath("cache").toLocal8Bit());
    qputenv("XDG_DATA_HOME", userFolders.filePath("data").toLocal8Bit());
    // Qt would otherwise make a runtime folder of its own in /tmp and leave it there.
    qputenv("XDG_RUNTIME_DIR", userFolders.path().toLocal8Bit());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
