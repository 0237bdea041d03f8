// SPDX-License-Identifier: MIT
#include "hostile_schemes.h"

namespace sylvanode::bench {

std::string manySmallSections(int sections) {
    const std::string key = std::to_string(2 * sections);  // just below the line count
    std::string text = "[Config]\r\ncount=0\r\n";
    for (int i = 0; i < sections; ++i) text += "[s" + std::to_string(i) + "]\r\n" + key + "=x\r\n";
    return text;
}

std::string irregularLevels(int items) {
    // 0, 5, 0, then a tail of level 1 under the second root, then 7, 5: the 5 walks
    // back to item 1 and joins the first root, ahead of the whole tail; the 6s that
    // follow all hang below it.
    const int half = (items - 5) / 2;
    std::string levels;
    int k = 0;
    auto add = [&](int level) { levels += std::to_string(k++) + "=" + std::to_string(level) + "\r\n"; };
    add(0);
    add(5);
    add(0);
    for (int i = 0; i < half; ++i) add(1);
    add(7);
    add(5);
    while (k < items) add(6);
    return "[Config]\r\ncount=" + std::to_string(k) + "\r\n[MenuLevel]\r\n" + levels;
}

}  // namespace sylvanode::bench
