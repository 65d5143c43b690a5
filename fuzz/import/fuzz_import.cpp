// Runs the whole import over one module made from the input, with a few small modules to import
// from in a temporary folder. An input whose first byte is odd is the module's text as it is;
// otherwise its bytes choose the definitions of a generated module (parents, namesakes that
// differ in case, imported types, tables with one to three indexes, AUGMENTS, long hex DEFVALs),
// so that most inputs get through the parser to the parent chains and the conversion.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "import/importmib.h"
#include "library/oidfile.h"
#include "mib/parseexception.h"

namespace fs = std::filesystem;

namespace {

const char* const StandardModule = R"(FZ-STANDARD-MIB DEFINITIONS ::= BEGIN
org OBJECT IDENTIFIER ::= { iso 3 }
dod OBJECT IDENTIFIER ::= { org 6 }
internet OBJECT IDENTIFIER ::= { dod 1 }
private OBJECT IDENTIFIER ::= { internet 4 }
enterprises OBJECT IDENTIFIER ::= { private 1 }
fzRoot OBJECT IDENTIFIER ::= { enterprises 9 }
DisplayString ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION "d" SYNTAX OCTET STRING (SIZE (0..255))
END
)";

// Its own system and FzIndex, a table whose row another module may index by, and an imported
// name that neither it nor FZ-TYPES-MIB defines (a loop of imports).
const char* const BaseModule = R"(FZ-BASE-MIB DEFINITIONS ::= BEGIN
IMPORTS fzLoop FROM FZ-TYPES-MIB;
system OBJECT IDENTIFIER ::= { fzRoot 3 }
fzBaseGroup OBJECT IDENTIFIER ::= { system 4 }
FzIndex ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION "d" SYNTAX Integer32
fzBaseTable OBJECT-TYPE SYNTAX SEQUENCE OF FzBaseEntry MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "t" ::= { fzBaseGroup 1 }
fzBaseEntry OBJECT-TYPE SYNTAX FzBaseEntry MAX-ACCESS not-accessible STATUS current
    DESCRIPTION "r" INDEX { fzBaseId } ::= { fzBaseTable 1 }
FzBaseEntry ::= SEQUENCE { fzBaseId FzIndex, fzBaseName DisplayString }
fzBaseId OBJECT-TYPE SYNTAX FzIndex MAX-ACCESS read-only STATUS current DESCRIPTION "i" ::= { fzBaseEntry 1 }
fzBaseName OBJECT-TYPE SYNTAX DisplayString MAX-ACCESS read-only STATUS current DESCRIPTION "n"
    ::= { fzBaseEntry 2 }
END
)";

const char* const TypesModule = R"(FZ-TYPES-MIB DEFINITIONS ::= BEGIN
IMPORTS fzLoop, fzBaseGroup FROM FZ-BASE-MIB;
FzIndex ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION "d" SYNTAX Unsigned32
FzWide ::= Counter64
END
)";

void WriteFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// The folder with the modules to import from, made once and removed at exit.
const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "oidwright-fuzz-import-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        WriteFile(fs::path(pattern) / "FZ-STANDARD-MIB.mib", StandardModule);
        WriteFile(fs::path(pattern) / "FZ-BASE-MIB.mib", BaseModule);
        WriteFile(fs::path(pattern) / "FZ-TYPES-MIB.mib", TypesModule);
        std::atexit([] { fs::remove_all(Folder()); });
        return fs::path(pattern);
    }();
    return folder;
}

// The input as a sequence of choices; 0 once it is used up.
class FuzzChoices {
  public:
    FuzzChoices(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Left() const { return size_ > 0; }
    unsigned Next() { return size_ ? (--size_, *data_++) : 0; }
    template <size_t N>
    const char* Pick(const char* const (&options)[N]) {
        return options[Next() % N];
    }

  private:
    const uint8_t* data_;
    size_t size_;
};

const char* const Names[] = {"fzA", "fzB", "fzRow", "fzRoW", "fzTable", "fzX", "fzx", "system"};
const char* const Parents[] = {"fzA", "fzB",       "fzRow",  "fzRoW",       "fzTable",
                               "fzX", "FZX",       "fzx",    "system",      "fzRoot",
                               "iso", "fzNowhere", "fzLoop", "fzBaseGroup", "fzBaseEntry"};
const char* const Types[] = {"FzA", "FzRow", "FZROW", "FzIndex", "FzWide"};
const char* const Syntaxes[] = {
    "Integer32", "Unsigned32",   "Counter32",     "Counter64", "Gauge32",
    "TimeTicks", "OCTET STRING", "DisplayString", "FzIndex",   "FzWide",
    "FzA",       "FzRow",        "FZROW",         "FzMissing", "SEQUENCE OF FzRow"};
const char* const Indexes[] = {"fzA", "fzB", "fzX", "fzBaseId", "fzNowhere", "IMPLIED fzA"};
const char* const Defaults[] = {"", " DEFVAL { 'FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF'H }", " DEFVAL { '0101'B }",
                                " DEFVAL { 5 }"};

std::string Object(FuzzChoices& in, const std::string& name, const std::string& syntax,
                   const std::string& tail) {
    return name + " OBJECT-TYPE SYNTAX " + syntax + " MAX-ACCESS read-only STATUS current DESCRIPTION \"d\"" +
           tail + " ::= { " + in.Pick(Parents) + " " + std::to_string(in.Next() % 4) + " }\n";
}

std::string GeneratedModule(FuzzChoices& in) {
    std::string text = "FZ-MIB DEFINITIONS ::= BEGIN\nIMPORTS Integer32 FROM FZ-STANDARD-MIB";
    if (in.Next() & 1) text += " fzBaseGroup, FzIndex, fzBaseId FROM FZ-BASE-MIB";
    if (in.Next() & 1) text += " FzIndex, FzWide FROM FZ-TYPES-MIB";
    text += ";\n";
    for (int definitions = 0; in.Left() && definitions < 64; ++definitions) {
        const std::string name = in.Pick(Names), type = in.Pick(Types);
        switch (in.Next() % 6) {
            case 0:
                text += name + " OBJECT IDENTIFIER ::= { " + in.Pick(Parents) + " " +
                        std::to_string(in.Next() % 4) + " }\n";
                break;
            case 1:
                text += Object(in, name, in.Pick(Syntaxes), in.Pick(Defaults));
                break;
            case 2: {
                std::string indexes = in.Pick(Indexes);
                for (unsigned more = in.Next() % 3; more > 0; --more)
                    indexes += std::string(", ") + in.Pick(Indexes);
                const bool augments = in.Next() % 4 == 0;
                text += Object(in, name, type,
                               augments ? std::string(" AUGMENTS { ") + in.Pick(Parents) + " }"
                                        : " INDEX { " + indexes + " }");
                break;
            }
            case 3:
                text += type + " ::= SEQUENCE { " + in.Pick(Names) + " " + in.Pick(Syntaxes) + ", " +
                        in.Pick(Names) + " " + in.Pick(Syntaxes) + " }\n";
                break;
            case 4:
                text += type + " ::= TEXTUAL-CONVENTION STATUS current DESCRIPTION \"d\" SYNTAX " +
                        in.Pick(Syntaxes) + "\n";
                break;
            default:
                text += type + " ::= " + in.Pick(Syntaxes) + "\n";
                break;
        }
    }
    return text + "END\n";
}

// The entries the import makes of the input's module; -1 when it refuses the module.
int ImportInput(const uint8_t* data, size_t size) {
    const fs::path& folder = Folder();
    FuzzChoices in(data, size);
    const bool asWritten = in.Next() & 1;
    const std::string module =
        asWritten ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : GeneratedModule(in);
    const std::string file = (folder / "FZ-MIB.mib").string();
    WriteFile(file, module);
    toidfile library;
    library.LogLevel = 2;
    library.OnLog = [](toidfile&, const std::string&) {};
    try {
        ImportMib(library, file, folder.string() + "/", folder.string() + "/",
                  {.standardFolder = folder.string() + "/",
                   .standardModule = (folder / "FZ-STANDARD-MIB.mib").string(),
                   .replaceList = "/nonexistent/replacelist.txt"});
    } catch (const eparseexception&) {
        return -1;
    } catch (const MibFileError&) {
        return -1;
    }
    return library.Count();
}

// A clean module as written (the first byte is odd), as corpus/ holds it: it must make entries,
// or every input stops short of the conversion and the target fuzzes nothing.
const char* const SeedModule =
    "1FZ-MIB DEFINITIONS ::= BEGIN\n"
    "IMPORTS Integer32 FROM FZ-STANDARD-MIB fzBaseGroup FROM FZ-BASE-MIB;\n"
    "fzA OBJECT-TYPE SYNTAX Integer32 MAX-ACCESS read-only STATUS current\n"
    "    DESCRIPTION \"d\" ::= { fzBaseGroup 2 }\n"
    "END\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string seed = SeedModule;
    if (ImportInput(reinterpret_cast<const uint8_t*>(seed.data()), seed.size()) <= 0) {
        std::fprintf(stderr, "fuzz_import: the clean seed module makes no entry, so no input would\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImportInput(data, size);
    return 0;
}
