#include "installer/payload/PayloadEntry.h"

#include "installer/payload/DecompileStream.h"
#include "installer/payload/InstallerFile.h"

#include <exception>

std::string ReadPayloadEntry(const std::string& path, int32_t index)
{
    try {
        const TInstallerFile file(path);
        TDecompileStream reader;
        reader.Decompile(file.Bytes());
        if (index >= reader.Count())
            return "";
        return std::string(reader.GetStream(index, false)->View());
    } catch (const std::exception&) {
        return "";
    }
}
