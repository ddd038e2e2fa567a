#include "base/StringList.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "base/Exception.h"
#include "base/Filer.h"
#include "base/TextUtil.h"

namespace lindora {

const ClassInfo& StringList::classInfo() {
    static const ClassInfo info = ClassBuilder<StringList>("StringList", Persistent::classInfo());
    return info;
}

StringList::StringList(std::vector<std::string> lines) {
    for (auto& l : lines) items_.push_back(Entry{std::move(l), {}});
}

void StringList::checkIndex(int index) const {
    if (index < 0 || index >= count()) throw EPropertyError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& StringList::get(int index) const {
    checkIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void StringList::set(int index, const std::string& s) {
    checkIndex(index);
    if (items_[static_cast<size_t>(index)].text == s) return;
    items_[static_cast<size_t>(index)].text = s;
    modified();
}

const std::any& StringList::object(int index) const {
    checkIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

std::any& StringList::object(int index) {
    checkIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void StringList::setObject(int index, std::any object) {
    checkIndex(index);
    items_[static_cast<size_t>(index)].object = std::move(object);
    modified();
}

int StringList::add(const std::string& s, std::any object) {
    items_.push_back(Entry{s, std::move(object)});
    modified();
    return count() - 1;
}

void StringList::insert(int index, const std::string& s, std::any object) {
    if (index < 0 || index > count()) throw EPropertyError("List index out of bounds (" + std::to_string(index) + ")");
    items_.insert(items_.begin() + index, Entry{s, std::move(object)});
    modified();
}

void StringList::remove(int index) {
    checkIndex(index);
    items_.erase(items_.begin() + index);
    modified();
}

void StringList::clear() {
    if (items_.empty()) return;
    items_.clear();
    modified();
}

void StringList::move(int from, int to) {
    checkIndex(from);
    checkIndex(to);
    if (from == to) return;
    Entry e = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(e));
    modified();
}

void StringList::exchange(int a, int b) {
    checkIndex(a);
    checkIndex(b);
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    modified();
}

void StringList::addStrings(const StringList& other) {
    if (&other == this || other.items_.empty()) {
        if (&other == this) {
            auto copy = items_;
            items_.insert(items_.end(), copy.begin(), copy.end());
            modified();
        }
        return;
    }
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    modified();
}

int StringList::indexOf(std::string_view s) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (sameText(items_[i].text, s)) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> StringList::lines() const {
    std::vector<std::string> r;
    r.reserve(items_.size());
    for (const auto& e : items_) r.push_back(e.text);
    return r;
}

static bool needsQuotes(const std::string& s) {
    if (s.empty()) return true;
    for (unsigned char c : s)
        if (c <= ' ' || c == ',' || c == '"') return true;
    return false;
}

std::string StringList::commaText() const {
    std::string out;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i) out += ',';
        const std::string& s = items_[i].text;
        if (!needsQuotes(s)) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void StringList::setCommaText(std::string_view text) {
    std::vector<Entry> parsed;
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t i = 0, n = text.size();
    while (i < n && blank(text[i])) ++i;
    if (i < n) {
        while (true) {
            std::string entry;
            if (i < n && text[i] == '"') {
                ++i;
                while (i < n) {
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            entry += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    entry += text[i++];
                }
            } else {
                while (i < n && text[i] != ',' && !blank(text[i])) entry += text[i++];
            }
            parsed.push_back(Entry{std::move(entry), {}});
            while (i < n && blank(text[i])) ++i;
            if (i >= n) break;
            if (text[i] == ',') {
                ++i;
                while (i < n && blank(text[i])) ++i;
                if (i >= n) {
                    parsed.push_back(Entry{});  // a trailing comma ends with an empty entry
                    break;
                }
            }
        }
    }
    items_ = std::move(parsed);
    modified();
}

std::string StringList::text() const {
    std::string out;
    for (const auto& e : items_) {
        out += e.text;
        out += '\n';
    }
    return out;
}

void StringList::setText(std::string_view text) {
    std::vector<Entry> parsed;
    size_t i = 0;
    while (i < text.size()) {
        size_t j = i;
        while (j < text.size() && text[j] != '\n' && text[j] != '\r') ++j;
        parsed.push_back(Entry{std::string(text.substr(i, j - i)), {}});
        if (j < text.size() && text[j] == '\r') {
            ++j;
            if (j < text.size() && text[j] == '\n') ++j;
        } else if (j < text.size()) {
            ++j;
        }
        i = j;
    }
    items_ = std::move(parsed);
    modified();
}

std::string StringList::name(int index) const {
    const std::string& s = get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string StringList::valueFromIndex(int index) const {
    const std::string& s = get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

int StringList::indexOfName(std::string_view name) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        const std::string& s = items_[i].text;
        size_t eq = s.find('=');
        if (eq != std::string::npos && sameText(std::string_view(s).substr(0, eq), name)) return static_cast<int>(i);
    }
    return -1;
}

std::string StringList::value(std::string_view name) const {
    int i = indexOfName(name);
    return i < 0 ? std::string() : valueFromIndex(i);
}

void StringList::setValue(std::string_view name, std::string_view value) {
    int i = indexOfName(name);
    if (value.empty()) {
        if (i >= 0) remove(i);
        return;
    }
    std::string line = std::string(name) + "=" + std::string(value);
    if (i >= 0) set(i, line);
    else add(line);
}

bool StringList::operator==(const StringList& other) const {
    if (count() != other.count()) return false;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].text != other.items_[i].text) return false;
    return true;
}

void StringList::beginUpdate() { ++updateCount_; }

void StringList::endUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        changed();
    }
}

void StringList::modified() {
    if (updateCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    changed();
}

void StringList::changed() { OnChange(this); }

void StringList::assign(const Persistent& source) {
    const auto* other = dynamic_cast<const StringList*>(&source);
    if (!other) {
        Persistent::assign(source);
        return;
    }
    if (other == this) return;
    items_ = other->items_;
    modified();
}

void StringList::defineProperties(Filer& filer) {
    filer.defineProperty(
        "Strings",
        [this](Reader& reader) {
            beginUpdate();
            try {
                clear();
                reader.readListBegin();
                while (!reader.endOfList()) add(reader.readString());
                reader.readListEnd();
            } catch (...) {
                endUpdate();
                throw;
            }
            endUpdate();
        },
        [this](Writer& writer) {
            writer.writeListBegin();
            for (const auto& e : items_) writer.writeString(e.text);
            writer.writeListEnd();
        },
        !items_.empty());
}

}  // namespace lindora
