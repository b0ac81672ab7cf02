#include "skin/archive/ZipCipher.h"

#include <zlib.h>

namespace {

// zlib's own table, which its inflater brings into every program anyway.
const z_crc_t* const kCrcTable = get_crc_table();

} // namespace

uint32_t Crc32Byte(uint32_t crc, uint8_t byte)
{
    return kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

TZipCipher::TZipCipher(std::string_view password) : keys_{0x12345678u, 0x23456789u, 0x34567890u}
{
    for (char c : password)
        Update(static_cast<uint8_t>(c));
}

uint8_t TZipCipher::KeyStream() const
{
    const uint32_t temp = (keys_[2] | 2) & 0xFFFF;
    return static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
}

void TZipCipher::Update(uint8_t plain)
{
    keys_[0] = Crc32Byte(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = Crc32Byte(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
}

uint8_t TZipCipher::Decrypt(uint8_t cipher)
{
    const uint8_t plain = cipher ^ KeyStream();
    Update(plain);
    return plain;
}

uint8_t TZipCipher::Encrypt(uint8_t plain)
{
    const uint8_t cipher = plain ^ KeyStream();
    Update(plain);
    return cipher;
}

void TZipCipher::Decrypt(uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes[i] = Decrypt(bytes[i]);
}

void TZipCipher::Encrypt(uint8_t* bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes[i] = Encrypt(bytes[i]);
}
