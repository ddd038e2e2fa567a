#include "settings/ValueScrambler.h"

#include <random>

namespace lindora {

namespace {

// The key's bytes in turn, from the first, starting over after the last.
class KeyCycle {
public:
    explicit KeyCycle(std::string_view key) : key_(key) {}
    uint8_t next() {
        if (key_.empty()) return 0;
        uint8_t k = static_cast<uint8_t>(key_[index_]);
        index_ = (index_ + 1) % key_.size();
        return k;
    }

private:
    std::string_view key_;
    size_t index_ = 0;
};

constexpr unsigned kPlain255Marker = 255;

}  // namespace

std::vector<uint8_t> scrambleBytes(std::span<const uint8_t> plain, std::string_view key, uint8_t seed) {
    std::vector<uint8_t> out;
    out.reserve(plain.size() + 1);
    out.push_back(seed);
    KeyCycle cycle(key);
    unsigned sum = seed;
    for (uint8_t p : plain) {
        uint8_t k = cycle.next();
        if (p == 255) {
            out.push_back(uint8_t(k ^ kPlain255Marker));
            continue;
        }
        sum = (sum + p) % 255;
        out.push_back(uint8_t(k ^ sum));
    }
    return out;
}

std::vector<uint8_t> unscrambleBytes(std::span<const uint8_t> stored, std::string_view key) {
    std::vector<uint8_t> plain;
    if (stored.empty()) return plain;
    plain.reserve(stored.size() - 1);
    KeyCycle cycle(key);
    unsigned previous = stored[0];
    for (size_t j = 1; j < stored.size(); ++j) {
        unsigned x = stored[j] ^ cycle.next();
        if (x == kPlain255Marker) {
            plain.push_back(255);
            continue;
        }
        plain.push_back(uint8_t((x - previous + 255) % 255));
        previous = x;
    }
    return plain;
}

uint8_t freshScrambleSeed() {
    std::random_device device;
    std::mt19937 generator(device());
    return uint8_t(std::uniform_int_distribution<int>(0, 255)(generator));
}

}  // namespace lindora
