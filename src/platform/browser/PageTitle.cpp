#include "platform/browser/PageTitle.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "base/Utf8.h"

namespace lindora {

namespace {

// A title lies near the top of a page; reading a bounded prefix keeps a huge file cheap.
constexpr std::size_t kMaxHeadBytes = 256 * 1024;

std::size_t findNoCase(std::string_view text, std::string_view what, std::size_t from) {
    auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
                          what.begin(), what.end(), [](char a, char b) {
                              return std::tolower(static_cast<unsigned char>(a)) ==
                                     std::tolower(static_cast<unsigned char>(b));
                          });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

// Finds "<title" followed by ">", white space or "/" (so "<titles>" does not count).
std::size_t findTitleTag(std::string_view html) {
    std::size_t pos = 0;
    while ((pos = findNoCase(html, "<title", pos)) != std::string_view::npos) {
        const std::size_t after = pos + 6;
        if (after < html.size() &&
            (html[after] == '>' || html[after] == '/' || std::isspace(static_cast<unsigned char>(html[after]))))
            return pos;
        pos = after;
    }
    return std::string_view::npos;
}

// A reference to U+0000 is replaced as browsers do; the rest is the common rule.
void appendCodePoint(std::u16string& out, char32_t c) { appendUtf16(out, c == 0 ? ReplacementCharacter : c); }

// Decodes numeric references and the few named ones that turn up in titles.
std::u16string decodeReferences(std::string_view raw) {
    static constexpr std::pair<std::string_view, char16_t> kNamed[] = {
        {"amp", u'&'},        {"lt", u'<'},         {"gt", u'>'},          {"quot", u'"'},
        {"apos", u'\''},      {"nbsp", u'\u00A0'},  {"copy", u'\u00A9'},   {"reg", u'\u00AE'},
        {"mdash", u'\u2014'}, {"ndash", u'\u2013'}, {"hellip", u'\u2026'}, {"trade", u'\u2122'},
    };
    std::u16string out;
    std::size_t start = 0;
    std::size_t amp;
    while ((amp = raw.find('&', start)) != std::string_view::npos) {
        out += utf8ToUtf16(raw.substr(start, amp - start), BadText::Replace);
        const std::size_t semi = raw.find(';', amp);
        bool decoded = false;
        if (semi != std::string_view::npos && semi - amp <= 10) {
            const std::string_view name = raw.substr(amp + 1, semi - amp - 1);
            if (name.size() > 1 && name[0] == '#') {
                const bool hex = name[1] == 'x' || name[1] == 'X';
                const std::string_view digits = name.substr(hex ? 2 : 1);
                char32_t value = 0;
                bool ok = !digits.empty();
                for (char d : digits) {
                    const int v = std::isdigit(static_cast<unsigned char>(d)) ? d - '0'
                                  : hex && std::isxdigit(static_cast<unsigned char>(d))
                                      ? std::tolower(static_cast<unsigned char>(d)) - 'a' + 10
                                      : -1;
                    if (v < 0 || value > 0x10FFFF) {
                        ok = false;
                        break;
                    }
                    value = value * (hex ? 16 : 10) + static_cast<char32_t>(v);
                }
                if (ok) {
                    appendCodePoint(out, value);
                    decoded = true;
                }
            } else {
                for (const auto& [n, c] : kNamed) {
                    if (n == name) {
                        out += c;
                        decoded = true;
                        break;
                    }
                }
            }
        }
        if (decoded) {
            start = semi + 1;
        } else {
            out += u'&';
            start = amp + 1;
        }
    }
    out += utf8ToUtf16(raw.substr(start), BadText::Replace);
    return out;
}

std::u16string collapseWhiteSpace(const std::u16string& text) {
    std::u16string out;
    bool pendingSpace = false;
    for (char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f') {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out += u' ';
        pendingSpace = false;
        out += c;
    }
    return out;
}

}  // namespace

std::optional<std::u16string> titleOfHtml(std::string_view html) {
    const std::size_t tag = findTitleTag(html);
    if (tag == std::string_view::npos) return std::nullopt;
    const std::size_t open = html.find('>', tag);
    if (open == std::string_view::npos) return std::nullopt;
    std::size_t close = findNoCase(html, "</title", open + 1);
    if (close == std::string_view::npos) close = html.size();
    return collapseWhiteSpace(decodeReferences(html.substr(open + 1, close - open - 1)));
}

std::optional<std::u16string> titleOfHtmlFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string head(kMaxHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return titleOfHtml(head);
}

}  // namespace lindora
