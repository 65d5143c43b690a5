// Times SaveToFile and LoadFromFile on a generated library of 100,000 entries and
// compares them with pugixml's parse of the same file, the reference for raw XML speed.
// Usage: bench_oidlib [entries] [folder]   (defaults: 100000, the system temp folder)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <pugixml.hpp>
#include <random>
#include <string>

#include "library/oidfile.h"

namespace {

const char* const words[] = {"the",
                             "number",
                             "of",
                             "octets",
                             "received",
                             "on",
                             "interface",
                             "including",
                             "framing",
                             "characters",
                             "this",
                             "counter",
                             "may",
                             "have",
                             "discontinuities",
                             "at",
                             "re-initialization",
                             "management",
                             "system",
                             "and",
                             "value",
                             "of",
                             "ifCounterDiscontinuityTime",
                             "<sic>",
                             "&",
                             "\"quoted\"",
                             "processor",
                             "load",
                             "percent",
                             "average",
                             "minute",
                             "entity",
                             "sensor"};

std::string Description(std::mt19937& random) {
    std::string text;
    const std::size_t length = 200 + random() % 300;
    while (text.size() < length) {
        text += words[random() % std::size(words)];
        text += (random() % 12 == 0) ? "\r\n" : " ";
    }
    return text;
}

void Fill(toidfile& library, int count) {
    std::mt19937 random(42);
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<Toiddata>();
        entry->name = "Vendor Agent " + std::to_string(i % 7) + "|Group " + std::to_string(i % 113) +
                      "|Object " + std::to_string(i);
        entry->oid = "1.3.6.1.4.1." + std::to_string(9 + i % 5000) + ".2.1." + std::to_string(i) + ".0";
        entry->units = (i % 3 == 0) ? "%" : "bytes";
        entry->unittype = (i % 3 == 0) ? TUnitType::sutPercent : TUnitType::sutBytes;
        entry->max = (i % 3 == 0) ? 100 : 0;
        entry->kind = (i % 2 == 0) ? TMIBDataKind::mkTable : TMIBDataKind::mkDirect;
        entry->type = (i % 4 == 0) ? TValueMode::vmDiff : TValueMode::vmAbsolute;
        entry->scale = (i % 5 == 0) ? "1024" : "1";
        entry->description = Description(random);
        library.Add(std::move(entry));
    }
}

// Best of a few runs, in seconds.
double Time(const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::filesystem::path folder =
        argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    const std::string file = (folder / "bench_oidlib.oidlib").string();

    toidfile library;
    Fill(library, count);
    const double save = Time([&] { library.SaveToFile(file); });
    std::size_t rendered = 0;
    const double render = Time([&] { rendered = library.SaveToText().size(); });
    const double megabytes = static_cast<double>(std::filesystem::file_size(file)) / 1e6;

    int loaded = 0;
    const double load = Time([&] {
        toidfile reader;
        reader.LoadFromFile(file);
        loaded = reader.Count();
    });

    // pugixml reads and parses the same file, as LoadFromFile reads and parses it.
    const double pugi = Time([&] {
        pugi::xml_document document;
        if (!document.load_file(file.c_str())) std::fprintf(stderr, "pugixml failed\n");
    });
    std::filesystem::remove(file);

    std::printf("entries            %d (loaded %d), file %.1f MB\n", count, loaded, megabytes);
    std::printf("SaveToFile         %.3f s  %.1f MB/s\n", save, megabytes / save);
    std::printf("  of which render  %.3f s  (%zu bytes in memory)\n", render, rendered);
    std::printf("LoadFromFile       %.3f s  %.1f MB/s\n", load, megabytes / load);
    std::printf("pugixml parse      %.3f s  %.1f MB/s\n", pugi, megabytes / pugi);
    std::printf("load / pugixml     %.2f  (goal <= 3)\n", load / pugi);
    std::printf("save / load        %.2f  (goal <= 1)\n", save / load);
    return (loaded == count && load <= 3 * pugi && save <= load) ? 0 : 1;
}
