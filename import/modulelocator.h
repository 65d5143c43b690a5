#pragma once
// Finding the file of a module by its name: fixed candidate names, then header scans.

#include <cstdint>
#include <string>
#include <unordered_map>

class toidfile;

// The module name a file's header declares, upper-cased, or "" when the text has no
// header the scan accepts. "FOO-MIB DEFINITIONS ::= BEGIN" -> "FOO-MIB".
std::string ScannedModuleName(const std::string& text);

// Module names read from scanned files during one import, so that each file is read once.
// A file whose size or modification time changed is read again.
class tmoduleheaders {
  public:
    // The header's module name of the file (ScannedModuleName after StripComments).
    // Throws emibfileerror when the file cannot be read.
    const std::string& ModuleNameOf(const std::string& fileName);
    // True when the file was read before and has not changed since.
    bool IsCurrent(const std::string& fileName) const;
    int FilesRead() const { return filesRead_; }

  private:
    struct Stamp {
        std::uintmax_t size;
        std::int64_t modified;
        bool operator==(const Stamp&) const = default;
    };
    struct Header {
        Stamp stamp;
        std::string moduleName;
    };
    static Stamp StampOf(const std::string& fileName);
    std::unordered_map<std::string, Header> headers_;
    int filesRead_ = 0;
};

// Scans the plain files of the mask's folder that match its wildcard ("DIR/*.mib"), in
// byte order of their names, for the first whose header names module (any letter case).
// Returns mask folder + file name, or "". Reports each file it reads through the library.
std::string FindModuleFile(toidfile& library, const std::string& module, const std::string& mask,
                           tmoduleheaders& headers);

// The candidate sequence of one folder: M.mib, M.my, MSMI.mib, MSMI.my, M-V1SMI.my, then
// M without "-MIB" + ".mib", then the scans of *.mib, *.my and *.txt. "" when nothing fits.
std::string LocateModule(toidfile& library, const std::string& module, const std::string& folder,
                         tmoduleheaders& headers);
