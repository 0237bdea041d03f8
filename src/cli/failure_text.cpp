// SPDX-License-Identifier: MIT
#include "cli/failure_text.h"

#include "cli/catalogue.h"

namespace sylvanode::cli {

std::string ioFailureText(const IoResult& result, Language) { return result.error; }

std::string schemeFailureText(const SchemeResult& result, std::string_view file, Language language) {
    if (result.ioError) return result.reason;
    return format("invalid menu scheme: {1}: {2}", language, {file, result.reason});
}

std::string importFailureText(std::string_view source, const std::string& error, Language language) {
    return format("import: {1}: {2}", language, {source, error});
}

std::string exportFailureText(const std::string& error, Language language) {
    return format("export: {1}", language, {error});
}

std::string linkCheckFailureText(const std::string& error, bool rootGiven, Language language) {
    return rootGiven ? format("links: {1}", language, {error}) : format("links: {1} (give --root DIR)", language, {error});
}

std::string previewFailureText(const IoResult& result, bool foreignFiles, Language language) {
    return foreignFiles ? format("{1} or use --force", language, {result.error}) : result.error;
}

}  // namespace sylvanode::cli
