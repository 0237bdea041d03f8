// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <random>
#include <string>

#include "document/scheme_document.h"

namespace sylvanode::testing {

// Texts as authors type them: ASCII, GBK (with a 0x5C trail byte), quotes, "=" and blanks.
std::string randomText(std::mt19937& rng);
// A random scheme text: a forest of 5 to `maxItems` items, any action, any texts, some
// settings and styles changed.
std::string randomSchemeText(std::mt19937& rng, int maxItems = 40);

void writeFile(const QString& path, const std::string& bytes);
std::string readFile(const QString& path);

// What the document would write now, and the script it would generate.
std::string bytesOf(const SchemeDocument& document);
std::string scriptOf(const SchemeDocument& document);
// The script of a scheme file's text (what the saved file would generate).
std::string scriptOfText(const std::string& text);

// The tree in pre-order, one "  "-indented caption per item.
QStringList outline(const MenuScheme& scheme);
// The item at a row path (first root, its third child: {0, 2}).
MenuNode* nodeAt(const MenuScheme& scheme, std::initializer_list<int> rows);

}  // namespace sylvanode::testing
