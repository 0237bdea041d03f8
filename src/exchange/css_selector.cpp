// SPDX-License-Identifier: MIT
#include "exchange/css_selector.h"

namespace sylvanode {
namespace {

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// A string literal of XPath 1.0, which has no escapes: a text holding both quotes is a concat().
std::string literal(std::string_view s) {
    std::string out;
    auto quoted = [&out](char quote, std::string_view text) {
        out += quote;
        out += text;
        out += quote;
    };
    if (s.find('\'') == std::string_view::npos) {
        quoted('\'', s);
        return out;
    }
    if (s.find('"') == std::string_view::npos) {
        quoted('"', s);
        return out;
    }
    out = "concat(";
    for (size_t pos = 0; pos < s.size();) {
        const size_t quote = s.find('\'', pos);
        const size_t end = quote == std::string_view::npos ? s.size() : quote;
        if (end > pos) {
            quoted('\'', s.substr(pos, end - pos));
            out += ',';
        }
        if (quote != std::string_view::npos) out += "\"'\",";
        pos = end + (quote != std::string_view::npos);
    }
    out.back() = ')';
    return out;
}

std::string hasToken(const std::string& attr, std::string_view token) {
    return "[contains(concat(' ',normalize-space(" + attr + "),' '),' " + std::string(token) + " ')]";
}

class SelectorParser {
public:
    SelectorParser(std::string_view s, Failure& error) : s_(s), error_(error) {}

    bool parse(std::string& xpath) {
        while (true) {
            skipBlanks();
            std::string one;
            if (!selector(one)) return false;
            xpath += one;
            skipBlanks();
            if (at_ == s_.size()) return true;
            if (s_[at_] != ',') return fail(SelectorProblem::Unexpected);
            ++at_;
            xpath += " | ";
        }
    }

private:
    bool fail(SelectorProblem problem) {
        error_ = Failure::of(FailureKind::BadSelector)
                     .withValue(std::string(s_))
                     .withItem(static_cast<std::int64_t>(at_) + 1);
        error_.selectorProblem = problem;
        return false;
    }
    void skipBlanks() {
        while (at_ < s_.size() && isBlank(s_[at_])) ++at_;
    }
    std::string name() {
        const size_t start = at_;
        while (at_ < s_.size() && isNameChar(s_[at_])) ++at_;
        return std::string(s_.substr(start, at_ - start));
    }

    // One compound selector, as a step: tag[predicates].
    bool compound(std::string& step) {
        std::string tag = "*";
        std::string predicates;
        bool any = false;
        if (at_ < s_.size() && s_[at_] == '*') {
            ++at_, any = true;
        } else if (at_ < s_.size() && isNameChar(s_[at_])) {
            tag = lower(name()), any = true;
        }
        while (at_ < s_.size()) {
            const char c = s_[at_];
            if (c == '#' || c == '.') {
                ++at_;
                const std::string n = name();
                if (n.empty()) return fail(SelectorProblem::NameMissing);
                predicates += c == '#' ? "[@id=" + literal(n) + "]" : hasToken("@class", n);
            } else if (c == '[') {
                ++at_;
                if (!attribute(predicates)) return false;
            } else if (c == ':') {
                return fail(SelectorProblem::PseudoClass);
            } else {
                break;
            }
            any = true;
        }
        if (!any)
            return fail(at_ < s_.size() ? SelectorProblem::Unexpected : SelectorProblem::SelectorMissing);
        step = tag + predicates;
        return true;
    }

    bool attribute(std::string& predicates) {
        skipBlanks();
        const std::string attr = lower(name());
        if (attr.empty()) return fail(SelectorProblem::NoAttributeName);
        skipBlanks();
        if (at_ < s_.size() && s_[at_] == ']') {
            ++at_;
            predicates += "[@" + attr + "]";
            return true;
        }
        std::string op;
        if (at_ < s_.size() && std::string_view("~^$*|").find(s_[at_]) != std::string_view::npos) op = s_[at_++];
        if (at_ >= s_.size() || s_[at_] != '=') return fail(SelectorProblem::ExpectedEqualsOrBracket);
        ++at_;
        skipBlanks();
        std::string value;
        if (at_ < s_.size() && (s_[at_] == '"' || s_[at_] == '\'')) {
            const char quote = s_[at_++];
            const size_t end = s_.find(quote, at_);
            if (end == std::string_view::npos) return fail(SelectorProblem::UnclosedQuote);
            value = std::string(s_.substr(at_, end - at_));
            at_ = end + 1;
        } else {
            value = name();
            if (value.empty()) return fail(SelectorProblem::NoValue);
        }
        skipBlanks();
        if (at_ >= s_.size() || s_[at_] != ']') return fail(SelectorProblem::ExpectedBracket);
        ++at_;
        const std::string a = "@" + attr, v = literal(value);
        if (op.empty())
            predicates += "[" + a + "=" + v + "]";
        else if (op == "~")
            predicates += hasToken(a, value);
        else if (op == "^")
            predicates += "[starts-with(" + a + "," + v + ")]";
        else if (op == "$")
            predicates += "[substring(" + a + ",string-length(" + a + ")-string-length(" + v + ")+1)=" + v + "]";
        else if (op == "*")
            predicates += "[contains(" + a + "," + v + ")]";
        else
            predicates += "[" + a + "=" + v + " or starts-with(" + a + "," + literal(value + "-") + ")]";
        return true;
    }

    bool selector(std::string& xpath) {
        std::string step;
        if (!compound(step)) return false;
        xpath = "//" + step;
        while (true) {
            const size_t before = at_;
            skipBlanks();
            if (at_ == s_.size() || s_[at_] == ',') return true;
            char combinator = ' ';
            if (s_[at_] == '>' || s_[at_] == '+' || s_[at_] == '~') {
                combinator = s_[at_++];
                skipBlanks();
            } else if (at_ == before) {
                return fail(SelectorProblem::Unexpected);
            }
            if (!compound(step)) return false;
            switch (combinator) {
                case '>':
                    xpath += "/" + step;
                    break;
                case '+':
                    xpath += "/following-sibling::*[1]/self::" + step;
                    break;
                case '~':
                    xpath += "/following-sibling::" + step;
                    break;
                default:
                    xpath += "//" + step;
            }
        }
    }

    std::string_view s_;
    Failure& error_;
    size_t at_ = 0;
};

}  // namespace

bool cssToXPath(std::string_view css, std::string& xpath, Failure& error) {
    xpath.clear();
    error = {};
    if (!SelectorParser(css, error).parse(xpath)) {
        xpath.clear();
        return false;
    }
    return true;
}

Failure unreadableSelector(std::string_view select) {
    std::string xpath;
    Failure error;
    if (select.find_first_of("#.[]>+~*:, \t") == std::string_view::npos || cssToXPath(select, xpath, error)) return {};
    return error;
}

}  // namespace sylvanode
