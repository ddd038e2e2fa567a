#include "platform/browser/BrowserUri.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Exception.h"
#include "base/Utf8.h"

namespace lindora {
namespace {

struct UriCase {
    std::u16string text;
    std::string uri;
};

void PrintTo(const UriCase& c, std::ostream* os) { *os << c.uri; }

class BrowserUriConversion : public testing::TestWithParam<UriCase> {};

TEST_P(BrowserUriConversion, GivesTheEngineAUri) { EXPECT_EQ(browserUriFromText(GetParam().text), GetParam().uri); }

INSTANTIATE_TEST_SUITE_P(
    UrlsAndPaths, BrowserUriConversion,
    testing::Values(
        // URLs pass through with their own escapes, query and fragment.
        UriCase{u"https://convert.example.com/start?from=GUI", "https://convert.example.com/start?from=GUI"},
        UriCase{u"http://example.com/a%20b?q=1&r=2#top", "http://example.com/a%20b?q=1&r=2#top"},
        UriCase{u"about:blank", "about:blank"}, UriCase{u"file:///tmp/page.htm", "file:///tmp/page.htm"},
        // Characters that may not stand in a URI are escaped, the rest left alone.
        UriCase{u"http://example.com/my page", "http://example.com/my%20page"},
        UriCase{u"https://example.com/\u00e4?q=\u00df", "https://example.com/%C3%A4?q=%C3%9F"},
        UriCase{u"http://example.com/<\"x\">", "http://example.com/%3C%22x%22%3E"},
        // Plain paths become file URIs; every byte outside the unreserved set and "/" is
        // escaped, so "#", "?" and "%" stay part of the name.
        UriCase{u"/opt/lindora/index.htm", "file:///opt/lindora/index.htm"},
        UriCase{u"/home/u/My Programs/index.htm", "file:///home/u/My%20Programs/index.htm"},
        UriCase{u"/tmp/\u00dcber/stra\u00dfe.htm", "file:///tmp/%C3%9Cber/stra%C3%9Fe.htm"},
        UriCase{u"/tmp/\u65e5\u672c/index.htm", "file:///tmp/%E6%97%A5%E6%9C%AC/index.htm"},
        UriCase{u"/tmp/\U0001F600.htm", "file:///tmp/%F0%9F%98%80.htm"},
        UriCase{u"/tmp/a#b?c%d&e.htm", "file:///tmp/a%23b%3Fc%25d%26e.htm"},
        UriCase{u"/tmp/x:y.htm", "file:///tmp/x%3Ay.htm"}));

TEST(BrowserUri, RelativePathIsTakenFromTheCurrentFolder) {
    const std::string cwd = std::filesystem::current_path().string();
    const std::string uri = browserUriFromText(u"index.htm");
    EXPECT_TRUE(uri.starts_with("file:///")) << uri;
    EXPECT_TRUE(uri.ends_with("/index.htm")) << uri;
    EXPECT_EQ(localPathFromFileUri(uri), cwd + "/index.htm");
}

TEST(BrowserUri, TellsUrlsFromPaths) {
    EXPECT_TRUE(looksLikeUrl(u"https://x"));
    EXPECT_TRUE(looksLikeUrl(u"view-source:http://x"));
    EXPECT_TRUE(looksLikeUrl(u"about:blank"));
    EXPECT_FALSE(looksLikeUrl(u"/tmp/https://x"));
    EXPECT_FALSE(looksLikeUrl(u"C:\\Program Files\\index.htm"));  // a drive letter is no scheme
    EXPECT_FALSE(looksLikeUrl(u"index.htm"));
    EXPECT_FALSE(looksLikeUrl(u"1http://x"));
    EXPECT_FALSE(looksLikeUrl(u"https"));
}

TEST(BrowserUri, RejectsWhatNamesNothing) {
    EXPECT_THROW(browserUriFromText(u""), Exception);
    EXPECT_THROW(browserUriFromText(std::u16string(u"/tmp/a") + char16_t(0xD800) + u".htm"), Exception);
    EXPECT_THROW(browserUriFromText(std::u16string(u"/tmp/a") + char16_t(0xDC00)), Exception);
    EXPECT_THROW(browserUriFromText(std::u16string(u"/tmp/a\0b", 8)), Exception);
}

TEST(BrowserUri, FileUriGivesBackTheLocalPath) {
    for (const std::u16string path :
         {u"/opt/lindora/index.htm", u"/tmp/My Docs/a#b?c%d.htm", u"/tmp/\u00dcber/\U0001F600.htm"})
        EXPECT_EQ(localPathFromFileUri(browserUriFromText(path)), utf16ToUtf8(path, BadText::Throw));
    EXPECT_EQ(localPathFromFileUri("file:///tmp/My%20Docs/a%23b.htm"), "/tmp/My Docs/a#b.htm");
    EXPECT_EQ(localPathFromFileUri("FILE://localhost/tmp/x.htm?q#f"), "/tmp/x.htm");
    EXPECT_EQ(localPathFromFileUri("file:///tmp/%C3%9Cber"),
              "/tmp/\xC3\x9C"
              "ber");
    EXPECT_EQ(localPathFromFileUri("file:///tmp/100%"), "/tmp/100%");
    EXPECT_EQ(localPathFromFileUri("file://server/share/x"), "");
    EXPECT_EQ(localPathFromFileUri("https://example.com/x"), "");
}

}  // namespace
}  // namespace lindora
