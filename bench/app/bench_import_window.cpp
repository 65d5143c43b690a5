// Times "MIB File..." importing every module of the shared collection in one command against
// the import runner of oidwright-import over the same files in the same process.
// Goal: the window takes at most 1.3 times the runner's time. Run: bench_import_window [MIBS_FOLDER]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "app/commands/commandhost.h"
#include "app/editor/document.h"
#include "app/foldersettings.h"
#include "app/form1.h"
#include "app/qtstrings.h"
#include "app/settingsstore.h"
#include "import/importrunner.h"
#include "library/oidfile.h"
#include "tests/app/choosingdialogs.h"

namespace {

// Wall-clock and main-thread CPU seconds of one run; the CPU time is what other processes on a
// busy machine disturb least.
struct Seconds {
    double wall = 0, cpu = 0;
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

Seconds timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    const double cpu = threadCpuSeconds();
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e9, threadCpuSeconds() - cpu};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the module index goes to a scratch cache folder
    const QString mibs = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(OIDWRIGHT_SHARED_DIR) + "/mibs";
    QStringList files;
    for (const QString& name : QDir(mibs).entryList(QDir::Files, QDir::Name)) files << mibs + "/" + name;
    if (files.isEmpty()) {
        std::printf("skipped: %s holds no MIB files (real MIB collection absent in this clone)\n",
                    qPrintable(mibs));
        return 0;
    }
    constexpr int Runs = 15;

    std::vector<std::string> fileBytes;
    for (const QString& file : files) fileBytes.push_back(PathBytes(file));
    const QString programFolder = FolderSettings::programFolder();
    const std::string cache = PathBytes(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    int runnerEntries = 0;
    auto runnerImport = [&] {
        toidfile library;
        ImportRunner runner;
        runner.ModuleIndexFolder = cache;  // as the window keeps it
        runner.Run(library, fileBytes, ProgramFilesIn(PathBytes(programFolder)));
        runnerEntries = library.Count();
    };

    QTemporaryDir settingsDir;
    SettingsStore settings(settingsDir.filePath("machine.ini"));
    ChoosingDialogs dialogs(files);
    int windowEntries = 0;
    auto windowImport = [&] {
        TForm1 form(dialogs, settings);
        form.show();
        QApplication::processEvents();
        const Seconds seconds = timed([&] { form.findChild<QAction*>("MIB1")->trigger(); });
        windowEntries = form.document().library().Count();
        return seconds;
    };

    runnerImport();  // both start with the module index written
    windowImport();
    // Interleaved, so that a change in the machine's load hits both alike.
    std::vector<double> runnerWall, runnerCpu, windowWall, windowCpu;
    for (int i = 0; i < Runs; ++i) {
        const Seconds runner = timed(runnerImport);
        const Seconds window = windowImport();
        runnerWall.push_back(runner.wall);
        runnerCpu.push_back(runner.cpu);
        windowWall.push_back(window.wall);
        windowCpu.push_back(window.cpu);
    }
    QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).removeRecursively();

    std::printf("files: %lld\nentries: runner %d, window %d\n", static_cast<long long>(files.size()),
                runnerEntries, windowEntries);
    std::printf("median of %d runs     wall s   cpu s\n", Runs);
    std::printf("import runner       %7.3f %7.3f\n", median(runnerWall), median(runnerCpu));
    std::printf("\"MIB File...\"       %7.3f %7.3f\n", median(windowWall), median(windowCpu));
    std::printf("ratio               %7.2f %7.2f (goal <= 1.30)\n", median(windowWall) / median(runnerWall),
                median(windowCpu) / median(runnerCpu));
    return 0;
}
