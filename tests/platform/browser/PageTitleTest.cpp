#include "platform/browser/PageTitle.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace lindora {
namespace {

struct TitleCase {
    const char* html;
    std::optional<std::u16string> title;
};

void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.html; }

class PageTitleOfHtml : public testing::TestWithParam<TitleCase> {};

TEST_P(PageTitleOfHtml, ReadsTheTitleAsABrowserShowsIt) { EXPECT_EQ(titleOfHtml(GetParam().html), GetParam().title); }

INSTANTIATE_TEST_SUITE_P(
    Pages, PageTitleOfHtml,
    testing::Values(TitleCase{"<html><head><title>Welcome</title></head></html>", u"Welcome"},
                    TitleCase{"<HTML><TITLE lang=\"en\">Upper</TITLE>", u"Upper"},
                    TitleCase{"<title>\n   Two\t\tlines\n  here </title>", u"Two lines here"},
                    TitleCase{"<title>A &amp; B &lt;c&gt; &quot;d&quot; &#39;e&#x27;</title>", u"A & B <c> \"d\" 'e'"},
                    TitleCase{"<title>Caf\xC3\xA9 &#x65E5;&#26412;</title>", u"Caf\u00e9 \u65e5\u672c"},
                    TitleCase{"<title>&unknown; & &#xZZ; &#99999999;</title>", u"&unknown; & &#xZZ; &#99999999;"},
                    TitleCase{"<title></title>", u""}, TitleCase{"<titles>x</titles><title>Real</title>", u"Real"},
                    TitleCase{"<title>Never closed", u"Never closed"},
                    TitleCase{"<title>First</title><title>Second</title>", u"First"},
                    TitleCase{"<html><body>No title</body></html>", std::nullopt}, TitleCase{"<title", std::nullopt},
                    TitleCase{"", std::nullopt}));

TEST(PageTitle, ReadsALocalFile) {
    const std::string path = testing::TempDir() + "/page title \xC3\xBC.htm";
    {
        std::ofstream out(path, std::ios::binary);
        out << "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Local \xC3\xBC</title>";
    }
    EXPECT_EQ(titleOfHtmlFile(path), u"Local \u00fc");
    std::remove(path.c_str());
    EXPECT_EQ(titleOfHtmlFile(path), std::nullopt);
}

}  // namespace
}  // namespace lindora
