// SPDX-License-Identifier: MIT
#include "document_fixture.h"

#include <QFile>

#include "codegen/script_text.h"
#include "document/text_codec.h"
#include "model/scheme_io.h"

namespace sylvanode::testing {

std::string randomText(std::mt19937& rng) {
    static const char* const texts[] = {"Home",          "\xB2\xFA\xC6\xB7", "a=b;c",     "x\x81\x5Cy",
                                        "say \"hi\"",    "pages/a.htm",      "_top",      "img/i.gif",
                                        "\xD0\xC2 \xCE\xC5", "go('a', 1)",   " padded ",  ""};
    return texts[rng() % std::size(texts)];
}

std::string randomSchemeText(std::mt19937& rng, int maxItems) {
    MenuScheme s;
    s.reset();
    std::vector<MenuNode*> nodes;
    const int count = 5 + static_cast<int>(rng() % static_cast<unsigned>(std::max(1, maxItems - 4)));
    for (int i = 0; i < count; ++i) {
        MenuNode* parent = nodes.empty() || rng() % 4 == 0 ? nullptr : nodes[rng() % nodes.size()];
        MenuNode* n = parent ? parent->appendChild() : s.appendRoot();
        MenuItemData& d = n->data;
        d.menuName = randomText(rng) + std::to_string(i);
        n->caption = d.menuName;
        d.menuHint = randomText(rng);
        d.menuStatus = randomText(rng);
        d.menuIcon1 = randomText(rng);
        if (rng() % 3 == 0) {
            d.contentType = 1;
            d.menuScript = randomText(rng);
        } else {
            d.menuLink = randomText(rng);
            d.menuTarget = randomText(rng);
        }
        nodes.push_back(n);
    }
    for (MenuNode* n : nodes) n->refreshImage();
    s.settings.indent = 10 + static_cast<int>(rng() % 40);
    s.settings.showLine = rng() % 2;
    s.kinds[1].styles[0].fontName = "Arial";
    return writeSchemeText(s);
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

std::string bytesOf(const SchemeDocument& document) { return writeSchemeText(document.scheme()); }

std::string scriptOf(const SchemeDocument& document) { return scriptFileBytes(document.scheme()); }

std::string scriptOfText(const std::string& text) {
    MenuScheme s;
    if (!readSchemeText(s, text)) return "unreadable";
    return scriptFileBytes(s);
}

QStringList outline(const MenuScheme& scheme) {
    QStringList out;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        out << QString(level * 2, QLatin1Char(' ')) + toQString(n->caption);
    });
    return out;
}

MenuNode* nodeAt(const MenuScheme& scheme, std::initializer_list<int> rows) {
    const std::vector<std::unique_ptr<MenuNode>>* group = &scheme.roots();
    MenuNode* n = nullptr;
    for (int r : rows) {
        if (r < 0 || static_cast<size_t>(r) >= group->size()) return nullptr;
        n = (*group)[static_cast<size_t>(r)].get();
        group = &n->children();
    }
    return n;
}

}  // namespace sylvanode::testing
