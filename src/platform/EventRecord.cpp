#include "platform/EventRecord.h"

#include <fstream>

#include "base/Exception.h"

namespace lindora {

void EventRecord::add(std::string line) { lines_.push_back(std::move(line)); }

std::vector<std::string> EventRecord::matching(const std::string& part) const {
    std::vector<std::string> out;
    for (const auto& l : lines_)
        if (l.find(part) != std::string::npos) out.push_back(l);
    return out;
}

void EventRecord::writeTo(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& l : lines_) out << l << '\n';
    out.flush();
    if (!out) throw Exception("Cannot write the event record to \"" + path + "\"");
}

std::string EventRecord::quote(const std::string& text) {
    std::string q = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': q += "\\\\"; break;
        case '"': q += "\\\""; break;
        case '\n': q += "\\n"; break;
        case '\r': q += "\\r"; break;
        case '\t': q += "\\t"; break;
        default: q += c;
        }
    }
    return q + "\"";
}

}  // namespace lindora
