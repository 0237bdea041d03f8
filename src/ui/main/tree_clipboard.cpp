// SPDX-License-Identifier: MIT
#include "ui/main/tree_clipboard.h"

#include <QMimeData>
#include <algorithm>

#include "document/item_edits.h"
#include "exchange/html_list_reader.h"
#include "exchange/outline_reader.h"
#include "model/scheme_io.h"
#include "document/text_codec.h"

namespace sylvanode {
namespace {

constexpr size_t kMaxOutlineIndent = size_t{8} << 20;

// Pre-order with the level, no recursion; `visit(node, level)`, `leave(node, level)` after
// the node's children.
template <class Visit, class Leave>
void walk(const MenuNode& top, Visit&& visit, Leave&& leave) {
    struct Frame {
        const MenuNode* node;
        int next;
    };
    visit(top, 0);
    std::vector<Frame> stack{{&top, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.node->childCount()) {
            const MenuNode* done = f.node;
            stack.pop_back();
            leave(*done, static_cast<int>(stack.size()));
            continue;
        }
        const MenuNode* child = f.node->child(f.next++);
        visit(*child, static_cast<int>(stack.size()));
        stack.push_back({child, 0});
    }
}

// What an item does when clicked, as one text: the link, or the script as a
// javascript: address (so an outline pasted back gives a script item again).
QString actionText(const MenuItemData& d) {
    if (d.contentType != 0)
        return d.menuScript.empty() ? QString() : QStringLiteral("javascript:") + toQString(d.menuScript);
    return toQString(d.menuLink);
}

std::vector<std::unique_ptr<MenuNode>> fromOwnFormat(const QByteArray& bytes) {
    MenuScheme scheme;
    if (!readSchemeText(scheme, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))))
        return {};
    return std::move(scheme.mutableRoots());
}

}  // namespace

QString itemsToOutline(const MenuNode& node) {
    QString out;
    walk(
        node,
        [&](const MenuNode& n, int level) {
            out += QString(2 * level, QLatin1Char(' ')) + toQString(n.caption);
            const QString action = actionText(n.data);
            if (!action.isEmpty()) out += QLatin1Char('\t') + action;
            out += QLatin1Char('\n');
        },
        [](const MenuNode&, int) {});
    return out;
}

QString itemsToHtml(const MenuNode& node) {
    QString out = QStringLiteral("<ul>");
    walk(
        node,
        [&](const MenuNode& n, int) {
            const MenuItemData& d = n.data;
            out += QStringLiteral("<li>");
            const QString action = actionText(d);
            if (action.isEmpty()) {
                out += toQString(n.caption).toHtmlEscaped();
            } else {
                out += QStringLiteral("<a href=\"") + action.toHtmlEscaped() + QLatin1Char('"');
                if (d.contentType == 0 && !d.menuTarget.empty())
                    out += QStringLiteral(" target=\"") + toQString(d.menuTarget).toHtmlEscaped() +
                           QLatin1Char('"');
                if (!d.menuHint.empty())
                    out += QStringLiteral(" title=\"") + toQString(d.menuHint).toHtmlEscaped() +
                           QLatin1Char('"');
                out += QLatin1Char('>') + toQString(n.caption).toHtmlEscaped() + QStringLiteral("</a>");
            }
            if (n.hasChildren()) out += QStringLiteral("<ul>");
        },
        [&](const MenuNode& n, int) {
            if (n.hasChildren()) out += QStringLiteral("</ul>");
            out += QStringLiteral("</li>");
        });
    return out + QStringLiteral("</ul>");
}

std::unique_ptr<QMimeData> itemsToMimeData(const MenuNode& node) {
    MenuScheme holder;
    holder.appendRoot(cloneSubtree(node));
    const std::string text = writeSchemeText(holder);
    auto data = std::make_unique<QMimeData>();
    data->setData(kItemsMimeType, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    // An outline indents every line by its level: a very deep branch would need gigabytes
    // (a chain 30,000 levels deep, 900 million blanks). Then it goes without one.
    size_t indent = 0;
    walk(
        node, [&indent](const MenuNode&, int level) { indent += 2 * static_cast<size_t>(level); },
        [](const MenuNode&, int) {});
    if (indent <= kMaxOutlineIndent) data->setText(itemsToOutline(node));
    data->setHtml(itemsToHtml(node));
    return data;
}

std::vector<std::unique_ptr<MenuNode>> itemsFromMimeData(const QMimeData& data) {
    if (data.hasFormat(kItemsMimeType)) {
        auto items = fromOwnFormat(data.data(kItemsMimeType));
        if (!items.empty()) return items;
    }
    if (data.hasHtml()) {
        const QByteArray html = data.html().toUtf8();
        ImportResult r = readHtmlList(std::string_view(html.constData(), static_cast<size_t>(html.size())));
        if (r) return std::move(r.roots);
    }
    if (data.hasText()) {
        ImportResult r = readOutline(data.text().toStdString());
        if (r) return std::move(r.roots);
    }
    return {};
}

bool mayHoldItems(const QMimeData* data) {
    if (!data) return false;
    if (data->hasFormat(kItemsMimeType)) return true;
    if (data->hasHtml() && data->html().contains(QLatin1String("<li"), Qt::CaseInsensitive)) return true;
    if (!data->hasText()) return false;
    const QString text = data->text();
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
}

}  // namespace sylvanode
