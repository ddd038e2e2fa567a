#include "base/EnumInfo.h"

#include "base/Exception.h"
#include "base/TextUtil.h"

namespace lindora {

EnumInfo::EnumInfo(std::string typeName, std::vector<std::string> names)
    : typeName_(std::move(typeName)), names_(std::move(names)) {}

const std::string& EnumInfo::nameOf(std::int64_t ordinal) const {
    if (!isValid(ordinal))
        throw EPropertyError("Ordinal " + std::to_string(ordinal) + " is out of range for " + typeName_);
    return names_[static_cast<size_t>(ordinal)];
}

int EnumInfo::ordinalOf(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (sameText(names_[i], name)) return static_cast<int>(i);
    return -1;
}

std::string EnumInfo::setToText(std::uint64_t mask, bool brackets) const {
    std::string r;
    if (brackets) r += '[';
    bool first = true;
    for (int i = 0; i < count() && i < 64; ++i) {
        if (mask & (std::uint64_t{1} << i)) {
            if (!first) r += ',';
            r += names_[static_cast<size_t>(i)];
            first = false;
        }
    }
    if (brackets) r += ']';
    return r;
}

static std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::uint64_t EnumInfo::textToSet(std::string_view text) const {
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '[') {
        if (s.back() != ']') throw EConvertError("Invalid set text '" + std::string(text) + "'");
        s = trimmed(s.substr(1, s.size() - 2));
    }
    std::uint64_t mask = 0;
    while (!s.empty()) {
        size_t comma = s.find(',');
        std::string_view piece = trimmed(s.substr(0, comma));
        int ord = ordinalOf(piece);
        if (ord < 0 || ord >= 64) throw EConvertError("'" + std::string(piece) + "' is not a member of " + typeName_);
        mask |= std::uint64_t{1} << ord;
        if (comma == std::string_view::npos) break;
        s = s.substr(comma + 1);
        if (trimmed(s).empty()) throw EConvertError("Invalid set text '" + std::string(text) + "'");
    }
    return mask;
}

const EnumInfo& EnumInfo::boolean() {
    static const EnumInfo info("Boolean", {"False", "True"});
    return info;
}

}  // namespace lindora
