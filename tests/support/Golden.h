#pragma once

// Pictures compared pixel for pixel with reviewed files under tests/golden/.

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/PngWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::filesystem::path GoldenFolder()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "golden";
}

// Compares with tests/golden/<name>; MERROWIN_UPDATE_GOLDEN=1 writes the file instead.
inline void ExpectGolden(const TBitmap& actual, const std::string& name)
{
    const std::string golden = (GoldenFolder() / name).string();
    if (std::getenv("MERROWIN_UPDATE_GOLDEN")) {
        SavePngToFile(actual, golden);
        GTEST_SKIP() << "wrote " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing; MERROWIN_UPDATE_GOLDEN=1 writes it";
    TBitmap expected;
    ASSERT_TRUE(LoadPngFromFile(golden, expected));
    EXPECT_TRUE(actual == expected) << "the picture differs from " << golden;
}
