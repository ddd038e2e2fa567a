// Pixel-exact comparison of a rendered picture with a reference image kept beside its test.
// The picture (and a 3x enlargement) is also written into the current directory for looking
// at; LINDORA_UPDATE_REFERENCES=1 replaces the reference on purpose.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"

namespace lindora::test {

// `picture` enlarged by whole pixels: each pixel becomes a factor x factor block.
inline Bitmap enlarged(const Bitmap& picture, int factor) {
    Bitmap out(picture.width() * factor, picture.height() * factor);
    Canvas(out).copyRect(out.bounds(), picture, picture.bounds());
    return out;
}

// Compares `picture` with the PNG at `reference`; `name` is the file name (without ".png") the
// picture is written to for looking at.
inline void expectMatchesReference(const Bitmap& picture, const std::string& reference, const std::string& name) {
    picture.savePNG(name + ".png");
    enlarged(picture, 3).savePNG(name + "-3x.png");
    if (std::getenv("LINDORA_UPDATE_REFERENCES")) {
        std::filesystem::create_directories(std::filesystem::path(reference).parent_path());
        picture.savePNG(reference);
    }
    ASSERT_TRUE(std::filesystem::exists(reference)) << reference;
    EXPECT_TRUE(Bitmap::loadPNG(reference) == picture) << "the picture differs from " << reference << "; see " << name
                                                       << ".png in " << std::filesystem::current_path();
}

}  // namespace lindora::test
