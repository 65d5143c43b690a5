#pragma once
// Finding the file of a module by its name: fixed candidate names, then header scans.

#include <string>
#include <vector>

#include "import/importlogger.h"
#include "import/moduleheaders.h"

// Scans the plain files of the mask's folder that match its wildcard ("DIR/*.mib"), in
// byte order of their names, for the first whose header names module (any letter case).
// Returns mask folder + file name, or "". Reports each file it reads to log. The scans of one
// headers object (a run) pass each file once: a later scan looks up what an earlier one passed.
std::string FindModuleFile(const ImportLogger& log, const std::string& module, const std::string& mask,
                           ModuleHeaders& headers);

// The candidate sequence of one folder: M.mib, M.my, MSMI.mib, MSMI.my, M-V1SMI.my, then
// M without "-MIB" + ".mib", then the scans of *.mib, *.my and *.txt. "" when nothing fits.
std::string LocateModule(const ImportLogger& log, const std::string& module, const std::string& folder,
                         ModuleHeaders& headers);

// The module's file in the first of folders that holds it (LocateModule in each, in order), or "".
std::string LocateModuleIn(const ImportLogger& log, const std::string& module,
                           const std::vector<std::string>& folders, ModuleHeaders& headers);
