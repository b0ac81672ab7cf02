#pragma once

#include "ContainerBytes.h"

#include <cstdint>
#include <string>
#include <vector>

// Windows executables laid out byte by byte: the DOS header, the PE signature, the file header,
// an optional header of either width with its data directories, and a section table.
struct PeSection {
    uint32_t rawOffset;
    uint32_t rawSize;
};

struct PeLayout {
    bool wide = true;              // PE32+ (64-bit) or PE32
    uint32_t lfanew = 0x80;
    uint32_t directoryCount = 16;
    std::vector<PeSection> sections{{0x200, 0x400}, {0x600, 0x200}};
};

inline void PutAt(std::string& out, size_t offset, uint32_t value, int bytes)
{
    if (out.size() < offset + bytes)
        out.resize(offset + bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[offset + i] = static_cast<char>(value >> (8 * i));
}

inline size_t OptionalHeaderOffset(const PeLayout& layout)
{
    return layout.lfanew + 24;
}

inline size_t SecurityDirectoryOffset(const PeLayout& layout)
{
    return OptionalHeaderOffset(layout) + (layout.wide ? 112 : 96) + 4 * 8;
}

// The headers and the sections' raw data (filled with 0xCC), with an empty security directory.
inline std::string PeImage(const PeLayout& layout)
{
    std::string image = "MZ";
    PutAt(image, 0x3C, layout.lfanew, 4);
    PutAt(image, layout.lfanew, 0x00004550, 4);
    const size_t coff = layout.lfanew + 4;
    const uint32_t optionalSize = (layout.wide ? 112 : 96) + 8 * layout.directoryCount;
    PutAt(image, coff, layout.wide ? 0x8664 : 0x14C, 2);
    PutAt(image, coff + 2, static_cast<uint32_t>(layout.sections.size()), 2);
    PutAt(image, coff + 16, optionalSize, 2);
    const size_t optional = OptionalHeaderOffset(layout);
    PutAt(image, optional, layout.wide ? 0x20B : 0x10B, 2);
    PutAt(image, optional + 60, 0x200, 4); // SizeOfHeaders
    PutAt(image, optional + (layout.wide ? 108 : 92), layout.directoryCount, 4);
    size_t header = optional + optionalSize;
    image.resize(header, '\0');
    for (const PeSection& section : layout.sections) {
        PutAt(image, header + 16, section.rawSize, 4);
        PutAt(image, header + 20, section.rawOffset, 4);
        header += 40;
    }
    for (const PeSection& section : layout.sections)
        if (image.size() < section.rawOffset + section.rawSize)
            image.resize(section.rawOffset + section.rawSize, '\xCC');
    return image;
}

inline void SetSecurityDirectory(std::string& image, const PeLayout& layout, uint32_t offset, uint32_t size)
{
    PutAt(image, SecurityDirectoryOffset(layout), offset, 4);
    PutAt(image, SecurityDirectoryOffset(layout) + 4, size, 4);
}

// What a signing tool does to a file: zero bytes up to a multiple of 8, then the certificate
// table, named by the security directory.
inline std::string Signed(std::string file, const PeLayout& layout, size_t tableSize = 1200)
{
    file.resize((file.size() + 7) / 8 * 8, '\0');
    SetSecurityDirectory(file, layout, static_cast<uint32_t>(file.size()), static_cast<uint32_t>(tableSize));
    std::string table(tableSize, '\x30');
    PutAt(table, 0, static_cast<uint32_t>(tableSize), 4);
    return file + table;
}
