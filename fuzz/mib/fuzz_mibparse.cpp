// Feeds arbitrary bytes to the MIB parser as one module and walks what it parsed.
// A first module of SMI-like definitions is parsed once per input, so the input also meets
// types and entries defined before it, as an imported module does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "mib/mibfile.h"
#include "mib/sourcetext.h"

namespace {

const char* const prelude =
    "PRELUDE DEFINITIONS ::= BEGIN\n"
    "Counter64 ::= [APPLICATION 6] IMPLICIT INTEGER (0..18446744073709551615)\n"
    "DisplayString ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX OCTET STRING\n"
    "Loop ::= Loop\n"
    "iso OBJECT IDENTIFIER ::= { 1 }\n"
    "END\n";

void walk(const tmibfile& file) {
    for (int i = 0; i < file.EntryCount(); ++i) {
        const tmibentry& entry = file.EntryAt(i);
        (void)file.ResolveSyntax(entry);
        (void)file.ResolveSyntaxType(entry);
        (void)file.FindEntry(entry.Name);
        (void)file.EntryIndex(entry.Name);
        (void)entry.ClauseValue("INDEX");
        if (!entry.OidParts.empty()) (void)file.EntryIndex(entry.OidParts[0].name);
    }
    for (int i = 0; i < file.TypeCount(); ++i) {
        const tasntype& type = file.TypeAt(i);
        (void)file.TypeIndex(type.Name);
        (void)ItemIndex(type, type.Name);
    }
}

// Parses the input after the prelude; false when the parser refused it.
bool ParseInput(tmibfile& file, const uint8_t* data, size_t size) {
    file.LogLevel = 2;
    file.OnLog = [](tmibfile&, const std::string&) {};
    file.LoadText(prelude, "prelude.mib");
    file.ParseModule();
    file.LoadText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.mib");
    try {
        file.ParseModule();
    } catch (const eparseexception& error) {
        (void)LineOfPosition(file.Text, error.Position);
        return false;
    }
    return true;
}

// A clean module, as corpus/ holds it: it must parse into its object, or the target fuzzes only
// the errors.
const char* const SeedModule =
    "SEED-MIB DEFINITIONS ::= BEGIN\n"
    "seedObject OBJECT-TYPE SYNTAX DisplayString MAX-ACCESS read-only STATUS current DESCRIPTION \"d\"\n"
    "    ::= { iso 3 }\n"
    "END\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tmibfile file;
    const std::string seed = SeedModule;
    if (!ParseInput(file, reinterpret_cast<const uint8_t*>(seed.data()), seed.size()) ||
        file.FindEntry("seedObject") == nullptr) {
        std::fprintf(stderr, "fuzz_mibparse: the clean seed module does not parse into its object\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tmibfile file;
    ParseInput(file, data, size);
    walk(file);
    return 0;
}
