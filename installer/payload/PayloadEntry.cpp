#include "installer/payload/PayloadEntry.h"

#include "installer/payload/DecompileStream.h"
#include "toolkit/streams/FileStream.h"

#include <exception>

std::string ReadPayloadEntry(const std::string& path, int32_t index)
{
    try {
        TDecompileStream reader;
        TFileStream file(path, TFileStream::fmOpenRead);
        reader.Decompile(file);
        if (index >= reader.Count())
            return "";
        return std::string(reader.GetStream(index, false)->View());
    } catch (const std::exception&) {
        return "";
    }
}
