#pragma once
// Helpers of the painter tests: a colour scheme set for one test, and pictures as text.
#include "gfx/Color.h"
#include "gfx/GfxTestUtil.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace lindora::test {

// Sets system colours for the test's lifetime (the classic scheme otherwise), then restores.
class SchemeGuard {
public:
    SchemeGuard(std::initializer_list<std::pair<int, Color>> colors = {}) {
        for (int i = 0; i < SystemColors::Count; ++i) saved_[static_cast<size_t>(i)] = SystemColors::get(i);
        SystemColors::resetToDefaults();
        for (const auto& [index, color] : colors) SystemColors::set(index, color);
    }
    ~SchemeGuard() { SystemColors::setAll(saved_); }
    SchemeGuard(const SchemeGuard&) = delete;
    SchemeGuard& operator=(const SchemeGuard&) = delete;

private:
    std::array<Color, SystemColors::Count> saved_{};
};

}  // namespace lindora::test
