#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Lays out a skin's record file: the 24-byte header, then each record in the order added with
// its data right behind it, then the terminator (empty name, flag kind, no data, next 0).
// Names hold 1 to 64 bytes; a 64-byte name fills its field without a terminating zero.
class TSkinDataWriter {
public:
    TSkinDataWriter();

    // `bmp` is a whole BMP file, stored as it is.
    void AddBitmap(const std::string& name, std::string_view bmp);
    void AddInteger(const std::string& name, int32_t value);
    void AddFlag(const std::string& name, uint8_t value);
    void AddString(const std::string& name, std::string_view text);

    // The finished file; the writer can go on adding afterwards.
    std::string Bytes() const;

private:
    void AddRecord(const std::string& name, uint8_t kind, std::string_view data);

    std::string bytes_;
};
