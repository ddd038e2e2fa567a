#pragma once
// Reads the title of a local HTML page the way a browser shows it: the text of the first
// <title> element with character references decoded and white space collapsed.
#include <optional>
#include <string>
#include <string_view>

namespace lindora {

// The title of an HTML document given as UTF-8 text; nothing when it has no <title>.
std::optional<std::u16string> titleOfHtml(std::string_view html);

// The title of the HTML file at `path`; nothing when it cannot be read or has no <title>.
std::optional<std::u16string> titleOfHtmlFile(const std::string& path);

}  // namespace lindora
