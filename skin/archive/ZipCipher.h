#pragma once

#include <cstdint>
#include <string_view>

// The traditional password cipher of ZIP archives: three 32-bit keys seeded from the password
// and stirred by every plain byte. It is weak by today's standards; skins use it to keep their
// pictures from casual reuse, not to keep secrets.
class TZipCipher {
public:
    explicit TZipCipher(std::string_view password);

    uint8_t Decrypt(uint8_t cipher);
    uint8_t Encrypt(uint8_t plain);
    void Decrypt(uint8_t* bytes, size_t count);
    void Encrypt(uint8_t* bytes, size_t count);

private:
    uint8_t KeyStream() const;
    void Update(uint8_t plain);

    uint32_t keys_[3];
};

// The CRC-32 of ZIP and zlib, one byte at a time from a running value.
uint32_t Crc32Byte(uint32_t crc, uint8_t byte);
