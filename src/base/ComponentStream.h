#pragma once
// The binary component stream: the same values as the form description, as tagged bytes. Used
// where values are kept as bytes (settings of defined properties and collections stored in the
// registry). Layout: one tag byte per value, little-endian numbers:
//   0 end of list/item/collection   1 list        2/3/4/5 integer in 1/2/4/8 bytes
//   6 double (8 bytes)              7 string (u32 length, bytes)     8 identifier (same)
//   9 False   10 True               11 binary (u32 length, bytes)
//   12 set (member names as u8 length + bytes, ended by a 0 length)
//   13 nil    14 collection: per item a 1 byte, then properties (u8 name length, name, value),
//               a 0 byte after each item's properties and a 0 byte after the last item.
// Errors are EReadError with line 0 and the byte offset as column.
#include "base/Filer.h"

namespace lindora {

class Stream;

class StreamWriter : public Writer {
public:
    explicit StreamWriter(Stream& stream, Component* root = nullptr);

    void writeListBegin() override;
    void writeListEnd() override;
    void writeInteger(std::int64_t value) override;
    void writeFloat(double value) override;
    void writeString(std::string_view value) override;
    void writeIdent(std::string_view value) override;
    void writeBinary(std::span<const std::uint8_t> bytes) override;
    void writeSet(const std::vector<std::string>& members) override;
    void writeNil() override;

protected:
    void writePropName(const std::string& name) override;
    void writeCollectionBegin() override;
    void writeItemBegin() override;
    void writeItemEnd() override;
    void writeCollectionEnd() override;

private:
    void byte(std::uint8_t b);
    void u32(std::uint32_t v);
    void text(std::string_view s);
    Stream& stream_;
};

class StreamReader : public Reader {
public:
    // `root` is where component references and handler names are looked up (may be null).
    explicit StreamReader(Stream& stream, Component* root = nullptr);

    ValueType nextValue() override;
    void readListBegin() override;
    void readListEnd() override;
    std::int64_t readInteger() override;
    double readFloat() override;
    std::string readString() override;
    std::string readIdent() override;
    std::vector<std::uint8_t> readBinary() override;
    std::vector<std::string> readSet() override;
    [[noreturn]] void error(const std::string& what) const override;

protected:
    Position position() override;
    std::string readPropName() override;
    void readCollectionBegin() override;
    void readItemBegin() override;

private:
    [[noreturn]] void fail(const std::string& what) const;
    std::uint8_t peekByte();
    std::uint8_t byte();
    std::uint32_t u32();
    std::string bytes(std::size_t count);
    Stream& stream_;
    std::size_t depth_ = 0;
};

}  // namespace lindora
