// The module search in a folder whose file names do not match their modules, so that every module
// is found by its header: each module of the folder looked up once, from a fresh run (every header
// read) and from a run that loads the folder's module index first. The search should grow with
// the number of files, not with files times modules.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "import/importlogger.h"
#include "import/modulelocator.h"

namespace {

namespace fs = std::filesystem;

std::string ModuleName(int i) {
    return "BENCH-MODULE-" + std::to_string(i) + "-MIB";
}

// A folder of count files "f<i>.mib", each with a comment block and the header of module i; made
// once per count and removed when the program ends.
class MisnamedFolder {
  public:
    explicit MisnamedFolder(int count) {
        std::string name = (fs::temp_directory_path() / "oidwright-bench-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + name);
        path = name + "/";
        for (int i = 0; i < count; ++i) {
            std::ofstream file(path + "f" + std::to_string(i) + ".mib", std::ios::binary);
            file << "-- A module of the benchmark, named so that no candidate name finds it.\r\n"
                 << "-- Copyright notices and revision notes stand here in real files.\r\n\r\n"
                 << ModuleName(i) << " DEFINITIONS ::= BEGIN\r\n\r\nIMPORTS\r\n"
                 << "    enterprises FROM SNMPv2-SMI;\r\n\r\n"
                 << "benchRoot" << i << " OBJECT IDENTIFIER ::= { enterprises " << i << " }\r\n\r\nEND\r\n";
        }
        index = path + "cache/modules.index";
        ModuleHeaders headers;
        LocateAll(headers, count);
        headers.SaveIndex(index);
    }
    ~MisnamedFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }

    // Looks every module up, the last file's first, as an import meets them in no useful order.
    void LocateAll(ModuleHeaders& headers, int count) const {
        for (int i = count - 1; i >= 0; --i)
            if (LocateModule(ImportLogger(), ModuleName(i), path, headers).empty())
                throw std::runtime_error(ModuleName(i) + " not found");
    }

    std::string path;
    std::string index;
};

const MisnamedFolder& FolderOf(int count) {
    static std::map<int, MisnamedFolder> folders;
    return folders.try_emplace(count, count).first->second;
}

void BM_SearchEveryModule(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const MisnamedFolder& folder = FolderOf(count);
    for (auto _ : state) {
        ModuleHeaders headers;
        folder.LocateAll(headers, count);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SearchEveryModule)->Arg(1000)->Arg(2000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

void BM_SearchEveryModuleWithIndex(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const MisnamedFolder& folder = FolderOf(count);
    for (auto _ : state) {
        ModuleHeaders headers;
        headers.LoadIndex(folder.index);
        folder.LocateAll(headers, count);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SearchEveryModuleWithIndex)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
