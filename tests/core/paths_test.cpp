#include <gtest/gtest.h>

#include "platform/paths.h"

namespace sylvanode {
namespace {

TEST(RelativeWebPath, WindowsStylePaths) {
    EXPECT_EQ(relativeWebPath("C:\\site\\img\\a.gif", "C:\\site\\"), "img/a.gif");
    EXPECT_EQ(relativeWebPath("C:\\other\\b.html", "C:\\site\\"), "../other/b.html");
    EXPECT_EQ(relativeWebPath("D:\\pics\\c.gif", "C:\\site\\"), "file:///D:/pics/c.gif");
    EXPECT_EQ(relativeWebPath("C:\\site\\pages\\index.htm", "C:\\site\\"), "pages/index.htm");
    EXPECT_EQ(relativeWebPath("c:\\SITE\\Img\\a.gif", "C:\\site\\img\\"), "a.gif");
    EXPECT_EQ(relativeWebPath("C:\\a.gif", "C:\\site\\deep\\"), "../../a.gif");
    EXPECT_EQ(relativeWebPath("C:\\site\\", "C:\\site\\"), "");  // the folder itself
    EXPECT_EQ(relativeWebPath("\\\\server\\share\\x\\a.gif", "\\\\SERVER\\share\\"), "x/a.gif");
    EXPECT_EQ(relativeWebPath("\\\\other\\share\\a.gif", "\\\\server\\share\\"), "//other/share/a.gif");
}

TEST(RelativeWebPath, GbkNamesWithBackslashTrailBytes) {
    // 乗 is 81 5C and 誠 D5 5C: their second byte is not a separator.
    const std::string dir = "C:\\\x81\x5C\\";
    EXPECT_EQ(relativeWebPath("C:\\\x81\x5C\\\xD5\x5C.gif", dir), "\xD5\x5C.gif");
    EXPECT_EQ(relativeWebPath("C:\\\xD5\x5C\\a.gif", dir), "../\xD5\x5C/a.gif");
    EXPECT_EQ(relativeWebPath("D:\\\xD5\x5C\\a.gif", dir), "file:///D:/\xD5\x5C/a.gif");
}

TEST(RelativeWebPath, PosixPaths) {
    EXPECT_EQ(relativeWebPath("/srv/site/img/a.gif", "/srv/site/"), "img/a.gif");
    EXPECT_EQ(relativeWebPath("/home/me/b.html", "/srv/site/"), "../../home/me/b.html");
    EXPECT_EQ(relativeWebPath("/srv/site/", "/srv/site/"), "");
    EXPECT_EQ(relativeWebPath("/srv/Site/a.gif", "/srv/site/"), "../Site/a.gif");  // case matters here
    EXPECT_EQ(relativeWebPath("/srv/site/x:y.gif", "/srv/site/"), "x:y.gif");
}

}  // namespace
}  // namespace sylvanode
