// SPDX-License-Identifier: MIT
#include "cli/command_line.h"

#include <unistd.h>

#include <cerrno>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/failure_text.h"
#include "cli/terminal_text.h"
#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"

namespace sylvanode::cli {
namespace {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string synopsis(const CommandSyntax& syntax) {
    std::string s = std::string(kProgram) + " " + syntax.name;
    if (!syntax.operands.empty()) s += " " + syntax.operands;
    for (const OptionSyntax& o : syntax.options) {
        std::string part = o.name;
        if (!o.valueName.empty()) part += " " + o.valueName;
        s += o.required ? " " + part : " [" + part + "]";
    }
    return s;
}

}  // namespace

IoResult readStandardInput(std::string& bytes) { return readBounded(STDIN_FILENO, "-", bytes); }

OptionSyntax outputOption(std::string valueName, Text help, bool required) {
    return {"-o", std::move(valueName), help, required};
}

OptionSyntax suffixOption() {
    return {"--suffix", "SUFFIX",
            "append SUFFIX (letters and digits) to the script's names, for several menus on one page"};
}

OptionSyntax charsetOption() {
    return {"--charset", "CHARSET",
            "character set of the script: gbk or utf-8 (default: the scheme's own, else gbk)"};
}

OptionSyntax formatOption(Text help) { return {"--format", "FORMAT", help}; }

std::string helpRow(std::string left, std::string_view text) {
    left = "  " + left;
    if (left.size() < 24)
        left.resize(24, ' ');
    else
        left += "  ";
    return left + std::string(text) + "\n";
}

std::string commandHelp(const CommandSyntax& syntax, Language language) {
    // The summary as a sentence: "Load a scheme ...".
    std::string summary(syntax.summary.in(language));
    if (!summary.empty() && summary[0] >= 'a' && summary[0] <= 'z')
        summary[0] = static_cast<char>(summary[0] - 32);
    std::string text = format("Usage: {1}", language, {synopsis(syntax)}) + "\n\n" +
                       format("{1}.", language, {summary}) + "\n";
    if (!syntax.details.empty()) text += std::string(syntax.details.in(language)) + "\n";
    // Appended piece by piece: "\n" + a temporary string trips a false warning of GCC 12 at -O3.
    text += '\n';
    text += format("Options:", language);
    text += '\n';
    for (const OptionSyntax& o : syntax.options)
        text += helpRow(o.valueName.empty() ? o.name : o.name + " " + o.valueName, o.help.in(language));
    text += helpRow("-q, --quiet", Text("print data only: no notes on standard output or standard error").in(language));
    text += helpRow("-h, --help", Text("show this help").in(language));
    text += '\n';
    text += format("A file named \"-\" is standard input (or, after -o, standard output); \"--\" ends the options.",
                   language);
    text += '\n';
    return text;
}

Invocation::Invocation(const CommandSyntax& syntax, std::ostream& out, std::ostream& err, InputReader input,
                       Language language)
    : syntax_(syntax),
      out_(out),
      err_(err),
      input_(input ? std::move(input) : InputReader(readStandardInput)),
      language_(language) {}

int Invocation::parse(const std::vector<std::string>& args) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            operands_.push_back(a);
            continue;
        }
        if (a == "--help" || a == "-h") {
            out_ << commandHelp(syntax_, language_);
            return checkOutput();
        }
        if (a == "-q" || a == "--quiet") {
            quiet_ = true;
            continue;
        }
        std::string name = a;
        std::optional<std::string> value;
        if (a[1] == '-') {
            if (const size_t eq = a.find('='); eq != std::string::npos) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
            }
        } else if (a.size() > 2) {  // -oFILE
            name = a.substr(0, 2);
            value = a.substr(2);
        }
        const OptionSyntax* syntax = nullptr;
        for (const OptionSyntax& o : syntax_.options)
            if (o.name == name) syntax = &o;
        if (!syntax) return usageError(text("unknown option {1}", {a}));
        if (syntax->valueName.empty()) {
            if (value) return usageError(text("option {1} takes no value", {name}));
            value = "";
        } else if (!value) {
            if (i + 1 >= args.size()) return usageError(text("option {1} needs a value", {name}));
            value = args[++i];
        }
        // A repeatable option keeps every value; any other keeps the last.
        std::vector<std::string>& given = values_[name];
        if (!syntax->repeatable) given.clear();
        given.push_back(*value);
    }
    bool complete = operands_.size() >= syntax_.minOperands && operands_.size() <= syntax_.maxOperands;
    for (const OptionSyntax& o : syntax_.options) complete = complete && (!o.required || flag(o.name));
    if (!complete) return fail(kUsage, text("usage: {1}", {synopsis(syntax_)}));
    return -1;
}

const std::string* Invocation::option(std::string_view name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second.back();
}

std::vector<std::string> Invocation::values(std::string_view name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>() : it->second;
}

bool Invocation::jsonFormat(bool& json, int& rc) {
    const std::string* format = option("--format");
    json = format && *format == "json";
    if (!format || json || *format == "text") return true;
    rc = usageError(text("unknown format {1} (text or json)", {*format}));
    return false;
}

int Invocation::fail(int code, std::string_view message) {
    err_ << kProgram << ": " << terminalSafe(message) << "\n";
    err_.flush();
    return code;
}

void Invocation::note(std::string_view message) {
    if (quiet_) return;
    err_ << kProgram << ": " << terminalSafe(message) << "\n";
    err_.flush();
}

int Invocation::usageError(std::string_view message) {
    return fail(kUsage, text("{1} (see sylvanode-cli {2} --help)", {message, syntax_.name}));
}

int Invocation::checkOutput() {
    // A write that failed before left its errno; a failing flush sets it now.
    if (out_.good()) {
        errno = 0;
        out_.flush();
    }
    if (out_.good()) return kOk;
    const int error = errno;
    if (error == 0) return fail(kIoError, text("cannot write to standard output"));
    return fail(kIoError, text("cannot write to standard output: {1}", {systemErrorText(error, language_)}));
}

std::string Invocation::displayName(const std::string& file) const {
    return file == "-" ? text("standard input") : file;
}

int Invocation::readInput(const std::string& file, std::string& bytes) {
    const IoResult in = file == "-" ? input_(bytes) : readWholeFile(file, bytes);
    return in ? kOk : fail(kIoError, failureText(in.failure, language_));
}

int Invocation::loadScheme(const std::string& file, MenuScheme& scheme) {
    SchemeResult r;
    if (file == "-") {
        std::string bytes;
        if (const IoResult in = input_(bytes); !in) return fail(kIoError, failureText(in.failure, language_));
        r = readSchemeText(scheme, bytes);
    } else {
        r = readSchemeFile(scheme, file);
        // What a save killed while writing the file in place left: the file may be partly written.
        if (const std::vector<std::string> backups = leftBackups(file); !backups.empty())
            note(text("the last save of {1} was interrupted: it may be incomplete; its contents from before that save are in {2}",
                      {file, backups.front()}));
    }
    if (r) return kOk;
    return fail(r.ioError ? kIoError : kRejected, schemeFailureText(r, displayName(file), language_));
}

int Invocation::writeOutput(const std::string& file, std::string_view bytes) {
    if (file == "-") {
        out_ << bytes;
        return checkOutput();
    }
    if (const IoResult w = writeFileAtomically(file, bytes); !w)
        return fail(kIoError, failureText(w.failure, language_));
    return kOk;
}

bool Invocation::suffix(std::string& suffix) {
    suffix.clear();
    const std::string* given = option("--suffix");
    if (!given || checkMenuSuffix(*given, suffix)) return true;
    fail(kUsage, text("invalid suffix: {1} (letters and digits only)", {*given}));
    return false;
}

bool Invocation::charset(std::optional<ScriptCharset>& charset) {
    charset.reset();
    const std::string* given = option("--charset");
    if (!given) return true;
    const std::string name = lowerAscii(*given);
    if (name == "gbk") {
        charset = ScriptCharset::Gbk;
    } else if (name == "utf-8" || name == "utf8") {
        charset = ScriptCharset::Utf8;
    } else {
        usageError(text("unknown character set {1}, use gbk or utf-8", {*given}));
        return false;
    }
    return true;
}

}  // namespace sylvanode::cli
