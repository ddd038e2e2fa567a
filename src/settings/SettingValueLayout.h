#pragma once
// The bytes a setting's value is stored as, by its kind. Integers are little-endian; a
// length-prefixed text is a 32-bit length followed by the bytes without terminator.
//
//   kind                   registry type   bytes
//   pvtNone                (nothing)
//   pvtString              string          the text
//   pvtInteger             32-bit integer  the value
//   pvtFloat, pvtDateTime  binary, 14      kind, 10-byte extended number (base/Extended.h)
//   pvtBoolean             binary, 5       kind, one byte 0 or 1
//   pvtVariant, pvtStrings binary          kind, length-prefixed text
//   pvtHidden, pvtCollection binary        kind, the payload as the property's writer made it
//
// A scrambled value (Encrypted) is always binary: the plain block "TPSOK" as a length-prefixed
// text, the kind, then the payload (pvtInteger: 32 bits; floats: 10 bytes; pvtBoolean: one byte;
// texts: length-prefixed), scrambled by ValueScrambler.h. Its length is the payload's plus 14.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Extended.h"
#include "store/RegistryTypes.h"

namespace lindora {

class Registry;

// The kinds of a setting's value; the codes are part of the stored bytes.
enum PValueType : uint8_t {
    pvtNone = 0,
    pvtString = 1,
    pvtInteger = 2,
    pvtFloat = 3,
    pvtBoolean = 4,
    pvtDateTime = 5,
    pvtVariant = 6,
    pvtStrings = 7,
    pvtHidden = 8,
    pvtCollection = 9,
};

// A value as stored: the field that its kind uses is set.
struct StoredValue {
    PValueType kind = pvtNone;
    bool boolValue = false;
    int32_t intValue = 0;
    Extended floatValue;  // pvtFloat, pvtDateTime: the stored bytes as they were
    std::string text;     // pvtString, pvtVariant, pvtStrings
    // pvtHidden, pvtCollection: the bytes after the kind. For a collection they start with the
    // collection marker byte, which the reader skips.
    std::vector<uint8_t> payload;

    bool operator==(const StoredValue&) const = default;
};

struct EncodedValue {
    RegType type = RegType::None;  // None: nothing is written
    std::vector<uint8_t> data;
};

EncodedValue encodeStoredValue(const StoredValue& value);

// A binary value's kind and payload. Nothing for a kind other than 3 to 9, or for data shorter
// than the kind needs (a length-prefixed text with fewer bytes than its length is missing).
std::optional<StoredValue> decodeBinaryValue(std::span<const uint8_t> data);

// The plain block of a scrambled value, and back: nothing when it does not start with "TPSOK"
// (a wrong key text or damaged data) or its kind is unknown or short of data.
std::vector<uint8_t> encodePlainBlock(const StoredValue& value);
std::optional<StoredValue> decodePlainBlock(std::span<const uint8_t> block);

// Scrambles with a fresh seed; keyText is the setting's unique name (SettingKeyPath.h).
std::vector<uint8_t> scrambleStoredValue(const StoredValue& value, std::string_view keyText);
std::optional<StoredValue> unscrambleStoredValue(std::span<const uint8_t> data, std::string_view keyText);

// Writes a value of the open key by the table above; pvtNone and unknown kinds write nothing.
// Raises ERegistryException when the store refuses.
void writeStoredValue(Registry& registry, const std::string& valueName, const StoredValue& value);
void writeScrambledValue(Registry& registry, const std::string& valueName, const StoredValue& value,
                         std::string_view keyText);

// Reads a value of the open key by its registry type: a string gives pvtString, an integer
// pvtInteger, binary data its stored kind. Nothing when the value is missing, of another type or
// of an unknown kind. Raises ERegistryException for unreadable data (the caller of a restore
// swallows it).
std::optional<StoredValue> readStoredValue(Registry& registry, const std::string& valueName);
// Reads a scrambled value. Nothing when it is missing (the setting stays as it was); a value of
// kind pvtNone when it fails the "TPSOK" check or its kind is unknown (the setting is cleared).
std::optional<StoredValue> readScrambledValue(Registry& registry, const std::string& valueName,
                                              std::string_view keyText);

}  // namespace lindora
