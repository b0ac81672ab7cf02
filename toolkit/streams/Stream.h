#pragma once

#include <cstdint>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A byte stream with a position. Read and Write move as many bytes as they can and say how
// many; ReadBuffer and WriteBuffer demand all of them and raise the toolkit's stream errors.
class TStream {
public:
    virtual ~TStream() = default;

    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(int64_t newSize) = 0;
    virtual int64_t Size();

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    int32_t ReadInt32();
    void WriteInt32(int32_t value);

    // Copies count bytes from source's position; a count of 0 copies the whole source from its
    // first byte. Returns the number of bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};
