#include "base/ComponentStream.h"

#include <bit>
#include <limits>

#include "base/Exception.h"
#include "base/Stream.h"

namespace lindora {

namespace {
enum Tag : std::uint8_t {
    tagNull = 0,
    tagList = 1,
    tagInt8 = 2,
    tagInt16 = 3,
    tagInt32 = 4,
    tagInt64 = 5,
    tagDouble = 6,
    tagString = 7,
    tagIdent = 8,
    tagFalse = 9,
    tagTrue = 10,
    tagBinary = 11,
    tagSet = 12,
    tagNil = 13,
    tagCollection = 14,
};
constexpr std::uint8_t itemMarker = 1;
constexpr std::size_t maxNesting = 200;
}  // namespace

// --- StreamWriter ---

StreamWriter::StreamWriter(Stream& stream, Component* root) : stream_(stream) { setRoot(root); }

void StreamWriter::byte(std::uint8_t b) { stream_.writeBuffer(&b, 1); }

void StreamWriter::u32(std::uint32_t v) {
    std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    stream_.writeBuffer(b, 4);
}

void StreamWriter::text(std::string_view s) {
    if (s.size() > std::numeric_limits<std::uint32_t>::max()) throw EWriteError("String too long to write");
    u32(static_cast<std::uint32_t>(s.size()));
    if (!s.empty()) stream_.writeBuffer(s.data(), s.size());
}

void StreamWriter::writeListBegin() { byte(tagList); }
void StreamWriter::writeListEnd() { byte(tagNull); }

void StreamWriter::writeInteger(std::int64_t v) {
    int size;
    if (v >= INT8_MIN && v <= INT8_MAX) {
        byte(tagInt8);
        size = 1;
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
        byte(tagInt16);
        size = 2;
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
        byte(tagInt32);
        size = 4;
    } else {
        byte(tagInt64);
        size = 8;
    }
    auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < size; ++i) byte(static_cast<std::uint8_t>(u >> (8 * i)));
}

void StreamWriter::writeFloat(double value) {
    byte(tagDouble);
    auto u = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) byte(static_cast<std::uint8_t>(u >> (8 * i)));
}

void StreamWriter::writeString(std::string_view value) {
    byte(tagString);
    text(value);
}

void StreamWriter::writeIdent(std::string_view value) {
    if (value == "True" || value == "False") {
        byte(value == "True" ? tagTrue : tagFalse);
        return;
    }
    byte(tagIdent);
    text(value);
}

void StreamWriter::writeBinary(std::span<const std::uint8_t> bytes) {
    byte(tagBinary);
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) throw EWriteError("Binary data too long to write");
    u32(static_cast<std::uint32_t>(bytes.size()));
    if (!bytes.empty()) stream_.writeBuffer(bytes.data(), bytes.size());
}

void StreamWriter::writeSet(const std::vector<std::string>& members) {
    byte(tagSet);
    for (const std::string& m : members) {
        if (m.empty() || m.size() > 255) throw EWriteError("Invalid set member name '" + m + "'");
        byte(static_cast<std::uint8_t>(m.size()));
        stream_.writeBuffer(m.data(), m.size());
    }
    byte(0);
}

void StreamWriter::writeNil() { byte(tagNil); }

void StreamWriter::writePropName(const std::string& name) {
    if (name.empty() || name.size() > 255) throw EWriteError("Invalid property name '" + name + "'");
    byte(static_cast<std::uint8_t>(name.size()));
    stream_.writeBuffer(name.data(), name.size());
}

void StreamWriter::writeCollectionBegin() { byte(tagCollection); }
void StreamWriter::writeItemBegin() { byte(itemMarker); }
void StreamWriter::writeItemEnd() { byte(tagNull); }
void StreamWriter::writeCollectionEnd() { byte(tagNull); }

// --- StreamReader ---

StreamReader::StreamReader(Stream& stream, Component* root) : stream_(stream) { setRoot(root); }

void StreamReader::error(const std::string& what) const { fail(what); }

void StreamReader::fail(const std::string& what) const {
    throw EReadError(0, static_cast<int>(stream_.position()), what);
}

Reader::Position StreamReader::position() { return Position{0, static_cast<int>(stream_.position())}; }

std::uint8_t StreamReader::peekByte() {
    std::uint8_t b;
    if (stream_.read(&b, 1) != 1) fail("unexpected end of the stream");
    stream_.setPosition(stream_.position() - 1);
    return b;
}

std::uint8_t StreamReader::byte() {
    std::uint8_t b;
    if (stream_.read(&b, 1) != 1) fail("unexpected end of the stream");
    return b;
}

std::uint32_t StreamReader::u32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(byte()) << (8 * i);
    return v;
}

std::string StreamReader::bytes(std::size_t count) {
    if (static_cast<std::int64_t>(count) > stream_.remaining()) fail("unexpected end of the stream");
    std::string s(count, '\0');
    if (count) stream_.readBuffer(s.data(), count);
    return s;
}

ValueType StreamReader::nextValue() {
    switch (peekByte()) {
    case tagNull: return ValueType::Null;
    case tagList: return ValueType::List;
    case tagInt8:
    case tagInt16:
    case tagInt32:
    case tagInt64: return ValueType::Integer;
    case tagDouble: return ValueType::Float;
    case tagString: return ValueType::String;
    case tagIdent: return ValueType::Ident;
    case tagFalse: return ValueType::False;
    case tagTrue: return ValueType::True;
    case tagBinary: return ValueType::Binary;
    case tagSet: return ValueType::Set;
    case tagNil: return ValueType::Nil;
    case tagCollection: return ValueType::Collection;
    default: fail("invalid value tag " + std::to_string(peekByte()));
    }
}

void StreamReader::readListBegin() {
    if (peekByte() != tagList) fail("expected a list");
    if (++depth_ > maxNesting) fail("nesting too deep");
    byte();
}

void StreamReader::readListEnd() {
    if (peekByte() != tagNull) fail("expected the end of a list");
    byte();
    if (depth_) --depth_;
}

std::int64_t StreamReader::readInteger() {
    int size;
    switch (peekByte()) {
    case tagInt8: size = 1; break;
    case tagInt16: size = 2; break;
    case tagInt32: size = 4; break;
    case tagInt64: size = 8; break;
    default: fail("expected an integer");
    }
    byte();
    std::uint64_t u = 0;
    for (int i = 0; i < size; ++i) u |= static_cast<std::uint64_t>(byte()) << (8 * i);
    // Sign-extend from the stored width.
    if (size < 8 && (u >> (8 * size - 1)) & 1) u |= ~std::uint64_t{0} << (8 * size);
    return static_cast<std::int64_t>(u);
}

double StreamReader::readFloat() {
    ValueType t = nextValue();
    if (t == ValueType::Integer) return static_cast<double>(readInteger());
    if (t != ValueType::Float) fail("expected a number");
    byte();
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(byte()) << (8 * i);
    return std::bit_cast<double>(u);
}

std::string StreamReader::readString() {
    if (peekByte() != tagString) fail("expected a string");
    byte();
    return bytes(u32());
}

std::string StreamReader::readIdent() {
    std::uint8_t tag = peekByte();
    if (tag == tagTrue || tag == tagFalse || tag == tagNil) {
        byte();
        return tag == tagTrue ? "True" : tag == tagFalse ? "False" : "nil";
    }
    if (tag != tagIdent) fail("expected an identifier");
    byte();
    return bytes(u32());
}

std::vector<std::uint8_t> StreamReader::readBinary() {
    if (peekByte() != tagBinary) fail("expected binary data");
    byte();
    std::string s = bytes(u32());
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

std::vector<std::string> StreamReader::readSet() {
    if (peekByte() != tagSet) fail("expected a set");
    byte();
    std::vector<std::string> members;
    while (std::uint8_t n = byte()) members.push_back(bytes(n));
    return members;
}

std::string StreamReader::readPropName() {
    std::uint8_t n = byte();
    if (n == 0) fail("expected a property name");
    return bytes(n);
}

void StreamReader::readCollectionBegin() {
    if (peekByte() != tagCollection) fail("expected a collection");
    if (++depth_ > maxNesting) fail("nesting too deep");
    byte();
}

void StreamReader::readItemBegin() {
    if (peekByte() != itemMarker) fail("expected a collection item");
    if (++depth_ > maxNesting) fail("nesting too deep");
    byte();
}

}  // namespace lindora
