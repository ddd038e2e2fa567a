#include "settings/SettingValueLayout.h"

#include "settings/ValueScrambler.h"
#include "store/Registry.h"

namespace lindora {

namespace {

constexpr std::string_view kCheckText = "TPSOK";

class ByteWriter {
public:
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(uint8_t(v >> (8 * i)));
    }
    void byte(uint8_t b) { bytes_.push_back(b); }
    void bytes(std::span<const uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void text(std::string_view t) {
        u32(uint32_t(t.size()));
        bytes_.insert(bytes_.end(), t.begin(), t.end());
    }
    void extended(const Extended& v) { bytes(v.bytes()); }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}
    size_t remaining() const { return data_.size() - pos_; }

    std::optional<uint32_t> u32() {
        if (remaining() < 4) return std::nullopt;
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(data_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return v;
    }
    std::optional<uint8_t> byte() {
        if (remaining() < 1) return std::nullopt;
        return data_[pos_++];
    }
    std::optional<Extended> extended() {
        if (remaining() < 10) return std::nullopt;
        Extended e = Extended::fromBytes(data_.subspan(pos_).first<10>());
        pos_ += 10;
        return e;
    }
    // A length-prefixed text; missing when fewer bytes than its length remain.
    std::optional<std::string> text() {
        auto length = u32();
        if (!length || int32_t(*length) < 0 || *length > remaining()) return std::nullopt;
        std::string t(data_.begin() + pos_, data_.begin() + pos_ + *length);
        pos_ += *length;
        return t;
    }
    std::vector<uint8_t> rest() {
        std::vector<uint8_t> r(data_.begin() + pos_, data_.end());
        pos_ = data_.size();
        return r;
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

// The payload after the kind, for the kinds a binary value and a plain block share.
void writePayload(ByteWriter& w, const StoredValue& v) {
    switch (v.kind) {
    case pvtInteger: w.u32(uint32_t(v.intValue)); break;
    case pvtFloat:
    case pvtDateTime: w.extended(v.floatValue); break;
    case pvtBoolean: w.byte(v.boolValue ? 1 : 0); break;
    case pvtString:
    case pvtVariant:
    case pvtStrings: w.text(v.text); break;
    case pvtHidden:
    case pvtCollection: w.bytes(v.payload); break;
    default: break;
    }
}

std::optional<StoredValue> readPayload(ByteReader& r, uint32_t kind, bool scrambled) {
    StoredValue v;
    v.kind = PValueType(kind);
    switch (kind) {
    case pvtString:
        if (!scrambled) return std::nullopt;  // a binary value never holds a plain string
        [[fallthrough]];
    case pvtVariant:
    case pvtStrings: {
        auto t = r.text();
        if (!t) return std::nullopt;
        v.text = std::move(*t);
        return v;
    }
    case pvtInteger: {
        if (!scrambled) return std::nullopt;
        auto i = r.u32();
        if (!i) return std::nullopt;
        v.intValue = int32_t(*i);
        return v;
    }
    case pvtFloat:
    case pvtDateTime: {
        auto f = r.extended();
        if (!f) return std::nullopt;
        v.floatValue = *f;
        return v;
    }
    case pvtBoolean: {
        auto b = r.byte();
        if (!b) return std::nullopt;
        v.boolValue = *b != 0;
        return v;
    }
    case pvtHidden:
    case pvtCollection: v.payload = r.rest(); return v;
    default: return std::nullopt;
    }
}

}  // namespace

EncodedValue encodeStoredValue(const StoredValue& value) {
    switch (value.kind) {
    case pvtString: return {RegType::String, std::vector<uint8_t>(value.text.begin(), value.text.end())};
    case pvtInteger: {
        ByteWriter w;
        w.u32(uint32_t(value.intValue));
        return {RegType::DWord, w.take()};
    }
    case pvtFloat:
    case pvtDateTime:
    case pvtBoolean:
    case pvtVariant:
    case pvtStrings:
    case pvtHidden:
    case pvtCollection: {
        ByteWriter w;
        w.u32(value.kind);
        writePayload(w, value);
        return {RegType::Binary, w.take()};
    }
    default: return {};
    }
}

std::optional<StoredValue> decodeBinaryValue(std::span<const uint8_t> data) {
    ByteReader r(data);
    auto kind = r.u32();
    if (!kind) return std::nullopt;
    return readPayload(r, *kind, false);
}

std::vector<uint8_t> encodePlainBlock(const StoredValue& value) {
    ByteWriter w;
    w.text(kCheckText);
    w.u32(value.kind);
    writePayload(w, value);
    return w.take();
}

std::optional<StoredValue> decodePlainBlock(std::span<const uint8_t> block) {
    ByteReader r(block);
    auto check = r.text();
    if (!check || *check != kCheckText) return std::nullopt;
    auto kind = r.u32();
    if (!kind) return std::nullopt;
    return readPayload(r, *kind, true);
}

std::vector<uint8_t> scrambleStoredValue(const StoredValue& value, std::string_view keyText) {
    return scrambleBytes(encodePlainBlock(value), keyText, freshScrambleSeed());
}

std::optional<StoredValue> unscrambleStoredValue(std::span<const uint8_t> data, std::string_view keyText) {
    return decodePlainBlock(unscrambleBytes(data, keyText));
}

void writeStoredValue(Registry& registry, const std::string& valueName, const StoredValue& value) {
    EncodedValue encoded = encodeStoredValue(value);
    switch (encoded.type) {
    case RegType::String: registry.WriteString(valueName, value.text); break;
    case RegType::DWord: registry.WriteInteger(valueName, value.intValue); break;
    case RegType::Binary: registry.WriteBinaryData(valueName, encoded.data); break;
    default: break;
    }
}

void writeScrambledValue(Registry& registry, const std::string& valueName, const StoredValue& value,
                         std::string_view keyText) {
    registry.WriteBinaryData(valueName, scrambleStoredValue(value, keyText));
}

std::optional<StoredValue> readStoredValue(Registry& registry, const std::string& valueName) {
    auto info = registry.GetDataInfo(valueName);
    if (!info) return std::nullopt;
    StoredValue v;
    switch (info->RegData) {
    case RegDataType::rdString:
        v.kind = pvtString;
        v.text = registry.ReadString(valueName);
        return v;
    case RegDataType::rdInteger:
        v.kind = pvtInteger;
        v.intValue = registry.ReadInteger(valueName);
        return v;
    case RegDataType::rdBinary: return decodeBinaryValue(registry.ReadBinaryData(valueName));
    default: return std::nullopt;
    }
}

std::optional<StoredValue> readScrambledValue(Registry& registry, const std::string& valueName,
                                              std::string_view keyText) {
    if (!registry.ValueExists(valueName)) return std::nullopt;
    return unscrambleStoredValue(registry.ReadBinaryData(valueName), keyText).value_or(StoredValue{});
}

}  // namespace lindora
