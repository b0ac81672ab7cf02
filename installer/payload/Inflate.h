#pragma once

#include <cstdint>

class TMemoryStream;

// Inflates the zlib stream in `packed` and appends exactly `unpackedSize` bytes of its output to
// `target`; output beyond that is never produced. Raises "error" for data that is not a valid zlib
// stream and "流读取错误" when the stream ends or the data runs out before `unpackedSize` bytes.
// Memory grows with the bytes actually produced, never with the size that was asked for.
void InflateExactly(const uint8_t* packed, int64_t packedSize, int64_t unpackedSize, TMemoryStream& target);
