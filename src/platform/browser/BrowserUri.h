#pragma once
// What the browser's Navigate receives is either a full URL or a plain local file path; the
// engines only take URIs. This turns one into the other.
#include <string>
#include <string_view>

namespace lindora {

// A text is a URL when it starts with a scheme of two or more characters followed by ":"
// ("https:", "file:", "about:"); anything else is a file path. A relative path is taken
// relative to the current directory.
bool looksLikeUrl(std::u16string_view text);

// Returns the UTF-8 URI an engine can load. File paths become "file://" URIs with every byte
// outside the unreserved set and "/" percent-encoded, so spaces, "#", "?", "%" and
// non-ASCII names survive. URLs keep their own escapes; only characters that may not stand
// in a URI (spaces, controls, non-ASCII, quotes, angle brackets, ...) are percent-encoded.
// Throws Exception for an empty text or one that is not valid UTF-16.
std::string browserUriFromText(std::u16string_view text);

// The local path a "file:" URI names, or an empty string when the URI is not a local file.
std::string localPathFromFileUri(std::string_view uri);

}  // namespace lindora
