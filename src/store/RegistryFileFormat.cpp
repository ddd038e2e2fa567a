#include "store/RegistryFileFormat.h"

#include <cstdio>

namespace lindora {

const char* const kRegistryFileHeader = "; Lindora settings store, version 1";

namespace {

// Hex lines stay within 80 columns, as exported registry files do.
constexpr size_t kHexLineLimit = 76;

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
        }
    }
    out += '"';
}

void appendHexValue(std::string& out, const std::string& prefix, const std::vector<uint8_t>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string line = prefix;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0 && line.size() >= kHexLineLimit) {
            out += line;
            out += "\\\n";
            line = "  ";
        }
        line += digits[data[i] >> 4];
        line += digits[data[i] & 15];
        if (i + 1 < data.size()) line += ',';
    }
    out += line;
    out += '\n';
}

void appendValue(std::string& out, const RegistryValue& value) {
    std::string prefix;
    if (value.name.empty()) prefix = "@";
    else appendQuoted(prefix, value.name);
    prefix += '=';
    if (value.type == RegType::String) {
        out += prefix;
        appendQuoted(out, value.text());
        out += '\n';
    } else if (value.type == RegType::DWord && value.data.size() == 4) {
        uint32_t v = uint32_t(value.data[0]) | uint32_t(value.data[1]) << 8 | uint32_t(value.data[2]) << 16 |
                     uint32_t(value.data[3]) << 24;
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x\n", v);
        out += prefix;
        out += buf;
    } else if (value.type == RegType::Binary) {
        appendHexValue(out, prefix + "hex:", value.data);
    } else {
        appendHexValue(out, prefix + "hex(" + std::to_string(uint32_t(value.type)) + "):", value.data);
    }
}

void appendKey(std::string& out, const RegistryKey& key, std::string& path, bool isRoot) {
    // A key that only holds subkeys is implied by their sections.
    if (!key.values().empty() || (key.subKeys().empty() && !isRoot)) {
        out += '\n';
        out += '[';
        out += path;
        out += "]\n";
        for (const auto& value : key.values()) appendValue(out, value);
    }
    for (const auto& sub : key.subKeys()) {
        size_t mark = path.size();
        if (!path.empty()) path += '\\';
        path += sub->name();
        appendKey(out, *sub, path, false);
        path.resize(mark);
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    }

    std::unique_ptr<RegistryKey> parse() {
        auto root = std::make_unique<RegistryKey>();
        RegistryKey* current = nullptr;
        std::string_view line;
        while (nextLine(line)) {
            std::string_view body = trimLeft(line);
            if (body.empty() || body[0] == ';') continue;
            if (body[0] == '[') {
                std::string_view trimmed = trimRight(body);
                if (trimmed.size() < 2 || trimmed.back() != ']') fail("a section line must end with ']'");
                auto path = parseKeyPath(trimmed.substr(1, trimmed.size() - 2));
                if (!path) fail("invalid key path");
                current = &root->create(*path);
                continue;
            }
            if (!current) fail("a value must follow a section line");
            current->setValue(parseValue(body));
        }
        return root;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 0;

    [[noreturn]] void fail(const std::string& what) const {
        throw RegistryFormatError("line " + std::to_string(line_) + ": " + what);
    }

    bool nextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        ++line_;
        return true;
    }

    static std::string_view trimLeft(std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        return s;
    }
    static std::string_view trimRight(std::string_view s) {
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        return s;
    }

    // Reads a quoted text at the start of s and leaves s after the closing quote.
    std::string readQuoted(std::string_view& s) {
        if (s.empty() || s[0] != '"') fail("expected '\"'");
        std::string out;
        size_t i = 1;
        for (; i < s.size() && s[i] != '"'; ++i) {
            if (s[i] != '\\') {
                out += s[i];
                continue;
            }
            if (++i == s.size()) fail("unterminated escape");
            switch (s[i]) {
            case '\\': out += '\\'; break;
            case '"': out += '"'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case '0': out += '\0'; break;
            default: fail(std::string("unknown escape '\\") + s[i] + "'");
            }
        }
        if (i == s.size()) fail("missing closing '\"'");
        s.remove_prefix(i + 1);
        return out;
    }

    static int hexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    RegistryValue parseValue(std::string_view s) {
        RegistryValue value;
        if (s[0] == '@') s.remove_prefix(1);
        else if (s[0] == '"') {
            value.name = readQuoted(s);
            if (value.name.empty()) fail("an empty value name is written @");
        } else fail("expected a section, a value or a comment");
        s = trimLeft(s);
        if (s.empty() || s[0] != '=') fail("expected '='");
        s = trimLeft(s.substr(1));
        if (!s.empty() && s[0] == '"') {
            std::string text = readQuoted(s);
            if (!trimRight(s).empty()) fail("unexpected text after the string");
            value.type = RegType::String;
            value.data.assign(text.begin(), text.end());
        } else if (s.substr(0, 6) == "dword:") {
            std::string_view digits = trimRight(s.substr(6));
            if (digits.empty() || digits.size() > 8) fail("a dword needs one to eight hex digits");
            uint32_t v = 0;
            for (char c : digits) {
                int d = hexDigit(c);
                if (d < 0) fail("invalid hex digit in dword");
                v = v << 4 | uint32_t(d);
            }
            value = RegistryValue::dword(std::move(value.name), v);
        } else if (s.substr(0, 3) == "hex") {
            s.remove_prefix(3);
            value.type = RegType::Binary;
            if (!s.empty() && s[0] == '(') {
                size_t close = s.find(')');
                if (close == std::string_view::npos || close == 1 || close > 11) fail("invalid hex type");
                uint64_t code = 0;
                for (char c : s.substr(1, close - 1)) {
                    int d = hexDigit(c);
                    if (d < 0 || d > 9) fail("invalid hex type");
                    code = code * 10 + uint64_t(d);
                }
                if (code > 0xffffffffu) fail("invalid hex type");
                value.type = RegType(uint32_t(code));
                s.remove_prefix(close + 1);
            }
            if (s.empty() || s[0] != ':') fail("expected ':' after hex");
            s.remove_prefix(1);
            value.data = parseHexBytes(s);
        } else fail("unknown value type");
        return value;
    }

    std::vector<uint8_t> parseHexBytes(std::string_view s) {
        std::vector<uint8_t> bytes;
        while (true) {
            s = trimRight(s);
            bool continued = !s.empty() && s.back() == '\\';
            if (continued) s.remove_suffix(1);
            size_t i = 0;
            while (i < s.size()) {
                while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
                if (i == s.size()) break;
                int hi = i + 1 < s.size() ? hexDigit(s[i]) : -1;
                int lo = hi >= 0 ? hexDigit(s[i + 1]) : -1;
                if (lo < 0) fail("invalid hex byte");
                bytes.push_back(uint8_t(hi << 4 | lo));
                i += 2;
                while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
                if (i < s.size()) {
                    if (s[i] != ',') fail("expected ',' between hex bytes");
                    ++i;
                }
            }
            if (!continued) return bytes;
            std::string_view next;
            if (!nextLine(next)) fail("the file ends inside a continued hex value");
            s = trimLeft(next);
        }
    }
};

}  // namespace

std::unique_ptr<RegistryKey> parseRegistryText(std::string_view text) { return Parser(text).parse(); }

std::string formatRegistryText(const RegistryKey& root) {
    std::string out = kRegistryFileHeader;
    out += '\n';
    std::string path;
    appendKey(out, root, path, true);
    return out;
}

}  // namespace lindora
