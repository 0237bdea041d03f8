// SPDX-License-Identifier: MIT
#include "exchange/markdown_reader.h"

#include <cmark.h>

#include <cstdlib>
#include <memory>

#include "platform/text_encoding.h"

namespace sylvanode {

ImportResult readMarkdown(std::string_view utf8, const HtmlListOptions& options) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    if (utf8.find('\0') != std::string_view::npos)
        return ImportResult::failed(FailureKind::BinaryData, DataFormat::Markdown);
    if (!isValidUtf8(utf8)) return ImportResult::failed(FailureKind::NotUtf8, DataFormat::Markdown);
    // Raw HTML is kept: the page is only read for its lists, never shown or run.
    const std::unique_ptr<char, decltype(&std::free)> html(
        cmark_markdown_to_html(utf8.data(), utf8.size(), CMARK_OPT_UNSAFE), &std::free);
    if (!html) return ImportResult::failed(FailureKind::OutOfMemory);
    HtmlListOptions markdown = options;
    markdown.markdown = true;
    return readHtmlUtf8(html.get(), markdown);
}

}  // namespace sylvanode
