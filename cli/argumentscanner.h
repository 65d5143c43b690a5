#pragma once
// The command-line programs' one reading of their arguments: switches, options with a value and
// operands, so that every program tells the same mistake in the same words.

#include <functional>
#include <string>
#include <vector>

class ArgumentScanner {
  public:
    // Takes the value of an option or an operand; returns what is wrong with it, or "".
    using Reader = std::function<std::string(const std::string& value)>;

    void Switch(const std::string& name, bool& on);
    void Option(const std::string& name, std::string& value);
    void Option(const std::string& name, Reader read);
    void Operands(Reader read);

    // Goes through argv[1] to argv[argc - 1], stopping at the first mistake: "unknown option -z",
    // "option -o needs a value" or what a reader says. "" when there is none. An argument that
    // does not begin with "-", and "-" alone, is an operand.
    std::string Scan(int argc, char** argv) const;

  private:
    struct Known {
        std::string name;
        bool* on;     // a switch
        Reader read;  // an option with a value
    };

    std::vector<Known> known_;
    Reader operands_;
};

// "PROGRAM: WRONG" and "Try 'PROGRAM --help'." on standard error.
void ReportWrongArguments(const std::string& program, const std::string& wrong);
