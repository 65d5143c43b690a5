// Broken and hostile input, one row per way a file can be wrong: each is refused with a
// positioned message or read whole, never read in part, wrapped or waited on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

#include "import/importmib.h"
#include "library/filesave.h"
#include "library/oidfile.h"
#include "mib/parseexception.h"
#include "mib/sourcetext.h"
#include "normaluser.h"
#include "shared_data.h"
#include "tempfolder.h"

namespace fs = std::filesystem;

namespace {

// Every outcome as one line, with the test's folder shown as DIR.
class Outcome {
  public:
    explicit Outcome(fs::path dir) : dir_(std::move(dir)) {}

    // "entries: N", or "FILE:LINE: MESSAGE" as oidwright-import prints a parse error.
    std::string Import(const std::string& mib) const {
        const fs::path file = dir_ / "HOSTILE-MIB.mib";
        if (!fs::exists(file)) std::ofstream(file, std::ios::binary) << mib;
        toidfile library;
        try {
            ImportMib(library, file.string(), dir_.string() + "/",
                      testdata::programData("stdmib").string() + "/",
                      {.standardFolder = testdata::programData("stdmib").string() + "/",
                       .standardModule = testdata::programData("stdmib/VELTRANE-STANDARD-MIB.mib").string(),
                       .replaceList = ""});
            return "entries: " + std::to_string(library.Count());
        } catch (const eparseexception& error) {
            return Shown(error.FileName + ":" + std::to_string(LineOfPosition(error)) + ": " + error.Message);
        } catch (const MibFileError& error) {
            return Shown(error.what());
        }
    }

    // "entries: N" added to a library that held one, or "LINE: MESSAGE" with the library as it was.
    std::string Load(const std::string& bytes) const {
        const fs::path file = dir_ / "hostile.oidlib";
        if (!fs::exists(file)) std::ofstream(file, std::ios::binary) << bytes;
        toidfile library;
        library.Add(std::make_unique<Toiddata>());
        try {
            const std::string refused = library.LoadFromFile(file.string());
            if (!refused.empty()) return refused;
            return "entries: " + std::to_string(library.Count() - 1);
        } catch (const OidFileError& error) {
            const std::string kept = library.Count() == 1 ? "" : " (library changed!)";
            return std::to_string(error.Line()) + ": " + Shown(error.what()) + kept;
        }
    }

    // "saved", or the refusal.
    std::string Save(const std::string& name) const {
        try {
            SaveFileContent((dir_ / name).string(), "<html/>");
            return "saved";
        } catch (const OidFileError& error) {
            return Shown(error.what());
        }
    }

  private:
    std::string Shown(std::string text) const {
        for (std::size_t at; (at = text.find(dir_.string())) != std::string::npos;)
            text.replace(at, dir_.string().size(), "DIR");
        return text;
    }
    fs::path dir_;
};

const std::string libraryHead =
    "<?xml version=\"1.0\" encoding=\"ISO8859-1\" "
    "?>\r\n<oidlist>\r\n<system><version>1</version></system>\r\n"
    "<list>\r\n";
const std::string entry = "<entry><name>A|b|c</name><oid>1.3.6.1</oid></entry>\r\n";
const std::string libraryTail = "</list>\r\n</oidlist>\r\n";

std::string Module(const std::string& body) {
    return "HOSTILE-MIB DEFINITIONS ::= BEGIN\r\nIMPORTS enterprises FROM VELTRANE-STANDARD-MIB;\r\n" + body +
           "\r\nEND\r\n";
}

std::string Repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

struct BrokenInput {
    const char* what;
    std::function<void(const fs::path& dir)> prepare;  // makes what is not a plain file
    std::function<std::string(const Outcome&)> outcome;
    std::string expected;
};

const BrokenInput brokenInputs[] = {
    // a long run of braces is read in linear time (the benchmark times it at scale); the merging
    // of "{ {" leaves the last brace open, so the module ends inside the type
    {"run of braces without blanks", nullptr,
     [](const Outcome& o) {
         return o.Import(Module("T ::= INTEGER " + std::string(2000, '{') + "a(1)" + std::string(2000, '}')));
     },
     "DIR/HOSTILE-MIB.mib:4: \"EXPORTS\", \"IMPORTS\" or assignment expected."},
    // a text split by many child elements keeps every piece
    {"description split by empty elements", nullptr,
     [](const Outcome& o) {
         return o.Load(libraryHead + "<entry><description>x" + Repeated("<b/>x", 2000) +
                       "</description></entry>" + libraryTail);
     },
     "entries: 1"},
    // read whole or not at all
    {"library cut short", nullptr,
     [](const Outcome& o) { return o.Load(libraryHead + entry + entry + "<entry><na"); },
     "7: End of file inside a tag"},
    {"library cut between entries", nullptr,
     [](const Outcome& o) { return o.Load(libraryHead + entry + entry); }, "6: End of file inside <list>"},
    {"unclosed comment after list", nullptr,
     [](const Outcome& o) { return o.Load(libraryHead + "<!--\r\n" + entry + libraryTail); },
     "5: End of file inside a comment"},
    {"NUL byte", nullptr,
     [](const Outcome& o) {
         return o.Load(libraryHead + entry + std::string(1, '\0') + entry + libraryTail);
     },
     "6: NUL byte in the file"},
    {"comment inside a value", nullptr,
     [](const Outcome& o) {
         return o.Load(libraryHead + "<entry><oid>1.3<!-- x -->.6.1</oid></entry>\r\n" + libraryTail);
     },
     "5: Comment inside the text of <oid>"},
    // numbers never wrap
    {"arc wrapping to another vendor's number", nullptr,
     [](const Outcome& o) { return o.Import(Module("r OBJECT IDENTIFIER ::= { enterprises 4294967305 }")); },
     "DIR/HOSTILE-MIB.mib:3: OID arc out of range 0..4294967295 (Value=4294967305)."},
    {"arc of 19 digits", nullptr,
     [](const Outcome& o) {
         return o.Import(
             Module("r OBJECT IDENTIFIER ::= { enterprises 1 }\r\n"
                    "s OBJECT IDENTIFIER ::= { r 9223372036854775808 }"));
     },
     "DIR/HOSTILE-MIB.mib:4: OID arc out of range 0..4294967295 (Value=9223372036854775808)."},
    {"library max beyond 64 bits", nullptr,
     [](const Outcome& o) {
         return o.Load(libraryHead + entry + "<entry>\r\n<max>" + std::string(100, '9') + "</max></entry>" +
                       libraryTail);
     },
     "7: <max> out of range -9223372036854775808..9223372036854775807 (Value=" + std::string(64, '9') +
         "... (100 characters))."},
    // a token is quoted to a readable length, never echoed whole
    {"arc of 100000 digits", nullptr,
     [](const Outcome& o) {
         return o.Import(Module("r OBJECT IDENTIFIER ::= { enterprises " + std::string(100'000, '9') + " }"));
     },
     "DIR/HOSTILE-MIB.mib:3: OID arc out of range 0..4294967295 (Value=" + std::string(64, '9') +
         "... (100000 characters))."},
    {"end tag of 100000 letters", nullptr,
     [](const Outcome& o) { return o.Load(libraryHead + "<entry></" + std::string(100'000, 'x') + ">"); },
     "5: XML Parser mismatch: Wanted </entry>, got </" + std::string(62, 'x') + "... (100003 characters)"},
    // an import takes some 15 times its modules' size in memory: a module beyond 32 MiB is refused
    // before it is parsed
    {"module of 32 MiB and more", nullptr,
     [](const Outcome& o) { return o.Import(Module("-- " + std::string(32 << 20, 'x'))); },
     "File \"DIR/HOSTILE-MIB.mib\" is " + std::to_string(Module("").size() + 3 + (32 << 20)) +
         " bytes, too large to be a MIB module: at most 32 MiB are read, since an import takes some 15 times "
         "its modules' size in memory"},
    // a parent chain of any depth costs each object the same: past the 128 arcs an OID may have,
    // the objects make no entry
    {"deep parent chain", nullptr,
     [](const Outcome& o) {
         std::string chain = "o1 OBJECT IDENTIFIER ::= { enterprises 1 }\r\n";
         for (int i = 2; i <= 3000; ++i)
             chain += "o" + std::to_string(i) +
                      (i % 2 ? " OBJECT-TYPE SYNTAX INTEGER ACCESS read-only STATUS mandatory"
                             : " OBJECT IDENTIFIER") +
                      " ::= { o" + std::to_string(i - 1) + " 1 }\r\n";
         return o.Import(Module(chain));
     },
     "entries: 60"},
    // only regular files are read or written, refused at once
    {"named pipe as a MIB", [](const fs::path& dir) { ::mkfifo((dir / "HOSTILE-MIB.mib").c_str(), 0666); },
     [](const Outcome& o) { return o.Import(""); },
     "Cannot open file \"DIR/HOSTILE-MIB.mib\". It is a named pipe, not a regular file"},
    {"named pipe as a library", [](const fs::path& dir) { ::mkfifo((dir / "hostile.oidlib").c_str(), 0666); },
     [](const Outcome& o) { return o.Load(""); },
     "0: Cannot open file \"DIR/hostile.oidlib\". It is a named pipe, not a regular file"},
    {"named pipe as a page", [](const fs::path& dir) { ::mkfifo((dir / "page.html").c_str(), 0666); },
     [](const Outcome& o) { return o.Save("page.html"); },
     "Cannot create file \"DIR/page.html\". It is not a regular file"},
    // reading an entry creates nothing that is missing
    {"many empty entries", nullptr,
     [](const Outcome& o) { return o.Load(libraryHead + Repeated("<entry/>", 20'000) + libraryTail); },
     "entries: 20000"},
};

class BrokenInputs : public testing::TestWithParam<BrokenInput> {
  protected:
    void SetUp() override {
        if (GetParam().prepare) GetParam().prepare(dir_);
    }
    TempFolder temp_{TempFolder::Access::everyone};
    const fs::path dir_ = temp_.path;
};

TEST_P(BrokenInputs, AreRefusedOrReadWhole) {
    const Outcome outcome(dir_);
    EXPECT_EQ(GetParam().outcome(outcome), GetParam().expected);
    // The same for a normal user, for whom no permission is waived.
    EXPECT_TRUE(testuser::AsNormalUser([&] {
        const std::string seen = GetParam().outcome(outcome);
        if (seen != GetParam().expected) std::cerr << "as a normal user: " << seen << "\n";
        return seen == GetParam().expected;
    }));
}

INSTANTIATE_TEST_SUITE_P(Table, BrokenInputs, testing::ValuesIn(brokenInputs), [](const auto& info) {
    std::string name;
    for (const char c : std::string(info.param.what)) name += std::isalnum(c) ? c : '_';
    return name;
});

// Every cut of a whole library is refused, down to the last byte of its root's end tag.
TEST(BrokenInputs, EveryCutOfALibraryIsRefused) {
    const std::string whole = libraryHead + entry + entry + libraryTail;
    const std::size_t lastTagEnd = whole.rfind('>');
    for (std::size_t length = 0; length <= lastTagEnd; ++length) {
        toidfile library;
        try {
            const std::string refused = library.LoadFromText(whole.substr(0, length));
            EXPECT_FALSE(refused.empty()) << length;
        } catch (const OidFileError&) {
        }
        EXPECT_EQ(library.Count(), 0) << "adopted a library cut after " << length << " bytes";
    }
    toidfile library;
    EXPECT_EQ(library.LoadFromText(whole.substr(0, lastTagEnd + 1)), "");
    EXPECT_EQ(library.Count(), 2);
}

}  // namespace
