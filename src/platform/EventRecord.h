#pragma once
// What a backend saw and did (navigations, opens, dialogs with their texts, sounds, script
// steps), one line per event, in order. Tests read it; a run writes it to a file when asked.
#include <string>
#include <vector>

namespace lindora {

class EventRecord {
public:
    void add(std::string line);
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }
    // Lines containing `part`, for tests.
    std::vector<std::string> matching(const std::string& part) const;
    // Writes every line; a file that cannot be written raises Exception naming it.
    void writeTo(const std::string& path) const;
    // Quotes a text for a record line: "..." with backslash, quote, newline and tab escaped.
    static std::string quote(const std::string& text);

private:
    std::vector<std::string> lines_;
};

}  // namespace lindora
