#pragma once
// The scrambling of settings stored with Encrypted set. The output is a seed byte followed by
// one byte per plain byte: a running sum b = (b + plain) mod 255, started at the seed, XOR the
// key text's bytes taken cyclically.
//
// The modulo-255 sum cannot tell a plain byte 255 from 0. Such a byte (an integer -1, a text
// length of 255) is written as the sum byte 255, which the sum never produces, and the sum is
// left unchanged; reading maps it back to 255. Every block without a 255 byte scrambles
// exactly as the classic layout does. An empty key text leaves the sums unmixed.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lindora {

std::vector<uint8_t> scrambleBytes(std::span<const uint8_t> plain, std::string_view key, uint8_t seed);
std::vector<uint8_t> unscrambleBytes(std::span<const uint8_t> stored, std::string_view key);
// A seed from a freshly seeded generator, so the same value scrambles differently each time.
uint8_t freshScrambleSeed();

}  // namespace lindora
