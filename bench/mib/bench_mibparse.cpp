// Throughput of the MIB lexer and parser over every module of ../shared/mibs in one parser
// object, as one import accumulates them, and the cost of the name lookups at that size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>

#include "mib/mibfile.h"
#include "mib/sourcetext.h"

namespace {

namespace fs = std::filesystem;

struct Module {
    std::string fileName;
    std::string bytes;
};

const std::vector<Module>& modules() {
    static const std::vector<Module> all = [] {
        std::vector<Module> loaded;
        const fs::path dir = fs::path(OIDWRIGHT_SHARED_DIR) / "mibs";
        if (!fs::is_directory(dir)) return loaded;
        for (const auto& item : fs::directory_iterator(dir))
            if (item.is_regular_file())
                loaded.push_back({item.path().string(), ReadFileBytes(item.path().string())});
        std::sort(loaded.begin(), loaded.end(),
                  [](const Module& a, const Module& b) { return a.fileName < b.fileName; });
        return loaded;
    }();
    return all;
}

int64_t totalBytes() {
    int64_t bytes = 0;
    for (const Module& module : modules()) bytes += static_cast<int64_t>(module.bytes.size());
    return bytes;
}

// Parses every module into file; modules that fail stop at their error, as an import would.
void parseAll(tmibfile& file) {
    for (const Module& module : modules()) {
        file.LoadText(module.bytes, module.fileName);
        try {
            file.ParseModule();
        } catch (const eparseexception&) {
        }
    }
}

void BM_Lex(benchmark::State& state) {
    if (modules().empty()) return state.SkipWithError("../shared/mibs is not present");
    tmibfile file;
    for (auto _ : state) {
        int64_t items = 0;
        for (const Module& module : modules()) {
            file.LoadText(module.bytes, module.fileName);
            tmibitem item;
            for (file.NextItem(item); item.kind != ikEnd; file.NextItem(item)) ++items;
        }
        benchmark::DoNotOptimize(items);
    }
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_Lex)->Unit(benchmark::kMillisecond);

void BM_ParseAll(benchmark::State& state) {
    if (modules().empty()) return state.SkipWithError("../shared/mibs is not present");
    for (auto _ : state) {
        tmibfile file;
        parseAll(file);
        benchmark::DoNotOptimize(file.EntryCount());
    }
    state.SetBytesProcessed(state.iterations() * totalBytes());
}
BENCHMARK(BM_ParseAll)->Unit(benchmark::kMillisecond);

// One EntryIndex per entry of the whole collection, asked in another letter case.
void BM_EntryIndex(benchmark::State& state) {
    if (modules().empty()) return state.SkipWithError("../shared/mibs is not present");
    tmibfile file;
    parseAll(file);
    std::vector<std::string> names;
    for (int i = 0; i < file.EntryCount(); ++i) names.push_back(file.EntryAt(i).Name);
    for (auto _ : state)
        for (const std::string& name : names) benchmark::DoNotOptimize(file.EntryIndex(name));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
    state.counters["entries"] = file.EntryCount();
}
BENCHMARK(BM_EntryIndex);

void BM_TypeIndex(benchmark::State& state) {
    if (modules().empty()) return state.SkipWithError("../shared/mibs is not present");
    tmibfile file;
    parseAll(file);
    std::vector<std::string> names;
    for (int i = 0; i < file.TypeCount(); ++i) names.push_back(file.TypeAt(i).Name);
    for (auto _ : state)
        for (const std::string& name : names) benchmark::DoNotOptimize(file.TypeIndex(name));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
    state.counters["types"] = file.TypeCount();
}
BENCHMARK(BM_TypeIndex);

}  // namespace
