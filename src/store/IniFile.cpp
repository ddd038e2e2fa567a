#include "store/IniFile.h"

#include <algorithm>
#include <system_error>

#include "base/NumberText.h"
#include "base/TextUtil.h"
#include "store/AtomicFile.h"

namespace lindora {

namespace {

bool sameName(std::string_view a, std::string_view b) { return sameText(a, b); }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool isComment(std::string_view trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

void checkSectionName(std::string_view section) {
    if (section.empty() || hasLineBreak(section) || section.find(']') != std::string_view::npos ||
        trim(section) != section)
        throw EIniFileException("Invalid INI section name '" + std::string(section) + "'");
}

void checkIdent(std::string_view ident) {
    if (ident.empty() || hasLineBreak(ident) || ident.find('=') != std::string_view::npos || trim(ident) != ident ||
        ident[0] == '[' || isComment(ident))
        throw EIniFileException("Invalid INI key name '" + std::string(ident) + "'");
}

std::string encodeValue(std::string_view value) {
    if (hasLineBreak(value)) throw EIniFileException("An INI value cannot hold a line break");
    bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (trim(value) != value || quoted) return "\"" + std::string(value) + "\"";
    return std::string(value);
}

std::string decodeValue(std::string_view raw) {
    std::string_view v = trim(raw);
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    return std::string(v);
}

}  // namespace

IniFile::IniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {
    try {
        if (auto text = readWholeFile(fileName_)) SetText(*text);
    } catch (const std::system_error& e) {
        throw EIniFileException(std::string("Cannot read the INI file: ") + e.what());
    }
    modified_ = false;
}

void IniFile::SetText(std::string_view text) {
    preamble_.clear();
    sections_.clear();
    // Byte order marks at the start: the text given back has none, so a second one kept as part
    // of the first line would be taken for the mark when it is read again.
    while (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        // Every carriage return ending the line: the text given back ends lines with "\n" alone,
        // so a kept one would end the line when it is read again.
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view t = trim(line);
        size_t close = t.find(']');
        bool header = !t.empty() && t.front() == '[' && close != std::string_view::npos &&
                      (trim(t.substr(close + 1)).empty() || isComment(trim(t.substr(close + 1))));
        if (header) {
            Section section;
            section.header = std::string(line);
            section.name = std::string(trim(t.substr(1, close - 1)));
            // Comment lines directly above a header describe that section.
            if (sections_.empty()) {
                while (!preamble_.empty() && isComment(trim(preamble_.back()))) {
                    section.leading.insert(section.leading.begin(), preamble_.back());
                    preamble_.pop_back();
                }
            } else {
                auto& previous = sections_.back().lines;
                while (!previous.empty() && !previous.back().isEntry && isComment(trim(previous.back().raw))) {
                    section.leading.insert(section.leading.begin(), previous.back().raw);
                    previous.pop_back();
                }
            }
            sections_.push_back(std::move(section));
            continue;
        }
        if (sections_.empty()) {
            preamble_.emplace_back(line);
            continue;
        }
        Line entry;
        entry.raw = std::string(line);
        size_t eq = line.find('=');
        if (!isComment(t) && eq != std::string_view::npos && !trim(line.substr(0, eq)).empty()) {
            entry.isEntry = true;
            entry.key = std::string(trim(line.substr(0, eq)));
            entry.value = decodeValue(line.substr(eq + 1));
        }
        sections_.back().lines.push_back(std::move(entry));
    }
    modified_ = true;
}

std::string IniFile::GetText() const {
    std::string out;
    auto add = [&out](std::string_view line) {
        out += line;
        out += '\n';
    };
    for (const auto& line : preamble_) add(line);
    for (const auto& section : sections_) {
        for (const auto& line : section.leading) add(line);
        add(section.header);
        for (const auto& line : section.lines) add(line.raw);
    }
    return out;
}

IniFile::Section* IniFile::findSection(std::string_view name) {
    for (auto& s : sections_)
        if (sameName(s.name, name)) return &s;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

const IniFile::Line* IniFile::findEntry(std::string_view section, std::string_view ident) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    for (const auto& line : s->lines)
        if (line.isEntry && sameName(line.key, ident)) return &line;
    return nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue) const {
    const Line* entry = findEntry(section, ident);
    return entry ? entry->value : std::string(defaultValue);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const {
    const Line* entry = findEntry(section, ident);
    if (!entry) return defaultValue;
    std::optional<int64_t> value = tryStrToInt(entry->value);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) return defaultValue;
    return int32_t(*value);
}

bool IniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
    checkSectionName(section);
    checkIdent(ident);
    std::string raw = std::string(ident) + "=" + encodeValue(value);
    Section* s = findSection(section);
    if (s) {
        for (auto& line : s->lines) {
            if (line.isEntry && sameName(line.key, ident)) {
                if (line.value != value) {
                    line.value = std::string(value);
                    line.raw = line.key + "=" + encodeValue(value);
                    modified_ = true;
                }
                return;
            }
        }
    }
    if (!s) {
        Section added;
        if (!sections_.empty() || !preamble_.empty()) added.leading.push_back("");
        added.header = "[" + std::string(section) + "]";
        added.name = std::string(section);
        sections_.push_back(std::move(added));
        s = &sections_.back();
    }
    modified_ = true;
    // After the last entry, so that blank lines closing the section stay where they are.
    auto lastEntry = std::find_if(s->lines.rbegin(), s->lines.rend(), [](const Line& l) { return l.isEntry; });
    auto at = lastEntry == s->lines.rend() ? s->lines.begin() : lastEntry.base();
    s->lines.insert(at, Line{raw, true, std::string(ident), std::string(value)});
}

void IniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
    WriteString(section, ident, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const { return findSection(section) != nullptr; }

bool IniFile::ValueExists(std::string_view section, std::string_view ident) const {
    return findEntry(section, ident) != nullptr;
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const auto& s : sections_)
        if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return sameName(n, s.name); }))
            names.push_back(s.name);
    return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = findSection(section))
        for (const auto& line : s->lines)
            if (line.isEntry) keys.push_back(line.key);
    return keys;
}

void IniFile::EraseSection(std::string_view section) {
    auto removed =
        std::remove_if(sections_.begin(), sections_.end(), [&](const Section& s) { return sameName(s.name, section); });
    if (removed != sections_.end()) {
        sections_.erase(removed, sections_.end());
        modified_ = true;
    }
}

void IniFile::DeleteKey(std::string_view section, std::string_view ident) {
    Section* s = findSection(section);
    if (!s) return;
    auto it = std::find_if(s->lines.begin(), s->lines.end(),
                           [&](const Line& l) { return l.isEntry && sameName(l.key, ident); });
    if (it != s->lines.end()) {
        s->lines.erase(it);
        modified_ = true;
    }
}

void IniFile::UpdateFile() {
    try {
        writeFileAtomically(fileName_, GetText(), 0644);
        modified_ = false;
    } catch (const std::system_error& e) {
        throw EIniFileException(std::string("Cannot write the INI file: ") + e.what());
    }
}

}  // namespace lindora
