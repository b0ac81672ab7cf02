#pragma once

#include "skin/archive/SkinFileReader.h"

#include <cstdint>
#include <string>
#include <vector>

// One line of a skin folder's values.txt.
struct TSkinValue {
    std::string name;
    TSkinRecordKind kind = TSkinRecordKind::Integer;
    int32_t integer = 0;
    uint8_t flag = 0;
    std::string text;
};

// Reads the lines "NAME KIND VALUE" of a values file (format in merrowin-skin build --help).
// Raises Exception("FILE:LINE: what is wrong") for the first line that does not fit.
std::vector<TSkinValue> ParseSkinValues(const std::string& text, const std::string& fileName);
