#pragma once
// An INI file held in memory: "[Section]" lines, "Key=Value" entries, ";" and "#" comments.
// Section and key names compare ignoring ASCII case. The file's order, comments and untouched
// lines are kept: a changed entry is rewritten in place, a new one goes after its section's last
// entry, a new section at the end. Nothing reaches the disk before UpdateFile, which replaces the
// file atomically.
//
// Values are trimmed when read; one pair of enclosing double quotes is removed, and values that
// need them (leading or trailing blanks, enclosing quotes) are written quoted. Names and values
// that cannot be written as one line raise EIniFileException and change nothing.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"

namespace lindora {

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class IniFile {
public:
    // Reads the file when it exists. Raises EIniFileException when it exists but cannot be read.
    explicit IniFile(std::filesystem::path fileName);

    const std::filesystem::path& FileName() const { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue) const;
    // Decimal, or hexadecimal with "0x" or "$", within 32 bits; the default for anything else.
    int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t defaultValue) const;
    // A value reads as True when it is an integer other than 0.
    bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;

    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
    void WriteBool(std::string_view section, std::string_view ident, bool value);  // 1 or 0

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view ident) const;
    // Section names in file order, each once.
    std::vector<std::string> ReadSections() const;
    // The keys of a section in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;

    // Removes every section of that name with its entries and the comment lines right above it.
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view ident);

    bool Modified() const { return modified_; }
    // Writes the image to the file (temporary file, fsync, rename). Raises EIniFileException.
    void UpdateFile();

    // The image as file text, and replacing it (for reading from elsewhere).
    std::string GetText() const;
    void SetText(std::string_view text);

private:
    struct Line {
        std::string raw;  // as it stands in the file
        bool isEntry = false;
        std::string key;
        std::string value;
    };
    struct Section {
        std::vector<std::string> leading;  // comment lines directly above the header
        std::string header;
        std::string name;
        std::vector<Line> lines;
    };

    std::filesystem::path fileName_;
    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;
    bool modified_ = false;

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    const Line* findEntry(std::string_view section, std::string_view ident) const;
};

}  // namespace lindora
