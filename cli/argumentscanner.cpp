#include "cli/argumentscanner.h"

#include <iostream>

#include "text/printable.h"

void ArgumentScanner::Switch(const std::string& name, bool& on) {
    known_.push_back({name, &on, nullptr});
}

void ArgumentScanner::Option(const std::string& name, std::string& value) {
    Option(name, [&value](const std::string& given) {
        value = given;
        return std::string();
    });
}

void ArgumentScanner::Option(const std::string& name, Reader read) {
    known_.push_back({name, nullptr, std::move(read)});
}

void ArgumentScanner::Operands(Reader read) {
    operands_ = std::move(read);
}

std::string ArgumentScanner::Scan(int argc, char** argv) const {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.size() < 2 || argument[0] != '-') {
            if (const std::string wrong = operands_(argument); !wrong.empty()) return wrong;
            continue;
        }
        const Known* option = nullptr;
        for (const Known& known : known_)
            if (known.name == argument) option = &known;
        if (option == nullptr) return "unknown option " + argument;
        if (option->on != nullptr) {
            *option->on = true;
            continue;
        }
        if (i + 1 >= argc) return "option " + argument + " needs a value";
        if (const std::string wrong = option->read(argv[++i]); !wrong.empty()) return wrong;
    }
    return "";
}

void ReportWrongArguments(const std::string& program, const std::string& wrong) {
    std::cerr << program << ": " << EscapeForTerminal(wrong) << "\nTry '" << program << " --help'.\n";
}
