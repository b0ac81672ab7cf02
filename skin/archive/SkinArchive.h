#pragma once

#include <cstdint>
#include <string>

class TStream;

// What became of an extraction.
enum TSkinExtractResult : uint8_t {
    skExtracted = 0, // the output holds exactly the member's recorded uncompressed size
    skFailed = 1,    // no usable archive or no such member, or it inflated to nothing
    skRefused = 2,   // password missing or wrong, or the output came out at the wrong size
};

// Copies the member `entryName` out of a skin archive (a ZIP archive whose first two bytes read
// "SK"), inflating its deflate data and, for an encrypted member, decrypting it with `password`.
// Member names match without regard to the case of ASCII letters. Never raises.
//
// The file form creates `outputFile` once the member is found (replacing any file there) and
// deletes whatever file is at `outputFile` unless the result is skExtracted.
uint8_t ExtractSkinEntry(const std::string& archiveFile, const std::string& entryName,
                         const std::string& outputFile, const std::string& password);

// The same over streams: the archive is read from its first byte, the member is written to
// `output` at its position. Unless the result is skExtracted, what was written is garbage for
// the caller to throw away.
uint8_t ExtractSkinEntry(TStream& archive, const std::string& entryName, TStream& output,
                         const std::string& password);
