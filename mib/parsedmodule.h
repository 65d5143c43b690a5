#pragma once
// One module's parse, kept so that other parser objects take its records without parsing it again:
// an import of many files parses each module they share once.

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "mib/symboltable.h"

// What ParseModule adds to a parser object for one module file, or the error that ended it.
struct ParsedModule {
    std::string fileName;
    std::string moduleName;
    std::vector<std::string> importList, importPositions;  // as tmibfile's lists, ImportFiles all fileName
    // With the scope numbers of the run and Imported true; shared by the parser objects taking them
    // (an object with other scope numbers, or taking the module as not imported, takes copies).
    ModuleRecords records;
    std::vector<std::string> log;  // the "Type: " and "Value: " lines the parse wrote
    std::exception_ptr error;      // eparseexception or MibFileError; the log holds the lines before it
};

// Loads and parses fileName in a parser object of its own that numbers its scopes through scopes.
// first: as the first module of a parser object (the standard module); otherwise as a module after
// others, whose lexer starts at a definition. Never throws: a failure is kept in error.
std::shared_ptr<const ParsedModule> ParseModuleFile(const std::string& fileName, bool first,
                                                    std::shared_ptr<SharedScopes> scopes);
