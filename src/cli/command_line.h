// SPDX-License-Identifier: MIT
#pragma once

// The conventions every command of sylvanode-cli shares, so that a new command gets them by
// being listed in the command table (cli.cpp):
// - options "-o FILE", "-oFILE", "--name VALUE", "--name=VALUE", flags "--force"; "--" ends
//   the options; "-" is an operand; "COMMAND --help" (or -h) prints the command's help;
//   "-q" (or --quiet) keeps standard output for data and standard error for errors;
// - FILE "-" reads standard input (bounded), "-o -" writes standard output;
// - every error is one line "sylvanode-cli: ..." with control bytes shown as \xNN, in the
//   user's language (cli/catalogue.h), as is the help;
// - exit codes: 0 ok, 1 scheme rejected (or a source that cannot be imported, or problems
//   found), 2 usage, 3 a file could not be read or written (a missing input file and a
//   failed write to standard output included), the same in every command.

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/catalogue.h"
#include "model/menu_scheme.h"
#include "platform/safe_file.h"
#include "platform/user_language.h"

namespace sylvanode::cli {

enum ExitCode { kOk = 0, kRejected = 1, kUsage = 2, kIoError = 3 };

inline constexpr const char* kProgram = "sylvanode-cli";

// Reads the whole of standard input; tests hand in their own bytes.
using InputReader = std::function<IoResult(std::string& bytes)>;
// The reader of the real standard input, bounded to kMaxInputBytes.
IoResult readStandardInput(std::string& bytes);

struct OptionSyntax {
    std::string name;       // "-o", "--suffix", "--force"
    std::string valueName;  // "FILE", "SUFFIX"; empty for a flag that takes no value
    Text help;
    bool required = false;
    bool repeatable = false;  // may be given more than once; values() has them all
};

class Invocation;

struct CommandSyntax {
    std::string name;
    std::string operands;  // as the usage line shows them: "FILE.menu"
    Text summary;          // one line for the list of commands
    Text details;          // more lines for "COMMAND --help"; may be empty
    std::vector<OptionSyntax> options;
    size_t minOperands = 1;
    size_t maxOperands = 1;
    std::function<int(Invocation&)> run;
};

// The options most commands share.
OptionSyntax outputOption(std::string valueName, Text help, bool required = false);
OptionSyntax suffixOption();
OptionSyntax charsetOption();
// --format text|json, for commands whose output a program may read.
OptionSyntax formatOption(Text help = "text (default) or json");

// "Usage: sylvanode-cli NAME [OPTIONS] OPERANDS", the summary, details and options.
std::string commandHelp(const CommandSyntax& syntax, Language language);

// "  NAME                  TEXT" as the help lists commands and options.
std::string helpRow(std::string left, std::string_view text);

// One run of one command: its parsed arguments, its streams and the shared helpers.
class Invocation {
public:
    Invocation(const CommandSyntax& syntax, std::ostream& out, std::ostream& err, InputReader input,
               Language language = Language::English);

    // Parses the arguments that follow the command name. Returns -1 when the command should
    // run, otherwise the exit code (after the help was printed, or a usage error).
    int parse(const std::vector<std::string>& args);

    const CommandSyntax& syntax() const { return syntax_; }
    const std::vector<std::string>& operands() const { return operands_; }
    // The value of an option given on the command line, or nullptr.
    const std::string* option(std::string_view name) const;
    bool flag(std::string_view name) const { return option(name) != nullptr; }
    // Every value of a repeatable option, in order.
    std::vector<std::string> values(std::string_view name) const;
    // -q: no notes, only data on standard output.
    bool quiet() const { return quiet_; }
    // --format json (false for text); false after a usage error, which `rc` then holds.
    bool jsonFormat(bool& json, int& rc);

    std::ostream& out() { return out_; }
    // The language of messages and help, and a text of the tool in it.
    Language language() const { return language_; }
    std::string text(Text text, std::initializer_list<std::string_view> args = {}) const {
        return format(text, language_, args);
    }
    // Prints "sylvanode-cli: MESSAGE" as one line and returns `code`.
    int fail(int code, std::string_view message);
    // Prints "sylvanode-cli: MESSAGE" as one line on standard error, unless -q.
    void note(std::string_view message);
    // A usage error: the message and where to find help; returns kUsage.
    int usageError(std::string_view message);
    // kOk while standard output takes what is written, else the one-line error and kIoError.
    int checkOutput();

    // The bytes of an input file; "-" reads standard input. kOk, or the error printed and kIoError.
    int readInput(const std::string& file, std::string& bytes);
    // Loads a scheme; "-" reads standard input. kOk, or the error printed and its exit code.
    int loadScheme(const std::string& file, MenuScheme& scheme);
    // Writes bytes to a file atomically; "-" writes standard output.
    int writeOutput(const std::string& file, std::string_view bytes);
    // How messages name a file operand ("standard input" for "-").
    std::string displayName(const std::string& file) const;

    // --suffix checked and normalised (empty when not given); false after a usage error.
    bool suffix(std::string& suffix);
    // --charset utf-8|gbk (unset when not given); false after a usage error.
    bool charset(std::optional<ScriptCharset>& charset);

private:
    const CommandSyntax& syntax_;
    std::ostream& out_;
    std::ostream& err_;
    InputReader input_;
    Language language_;
    std::vector<std::string> operands_;
    std::map<std::string, std::vector<std::string>, std::less<>> values_;
    bool quiet_ = false;
};

}  // namespace sylvanode::cli
