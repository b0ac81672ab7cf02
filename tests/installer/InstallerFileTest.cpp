#include "installer/payload/ContainerWriter.h"
#include "installer/payload/DecompileStream.h"
#include "installer/payload/InstallerFile.h"
#include "installer/payload/PayloadEntry.h"
#include "toolkit/core/Exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct TempFile {
    std::filesystem::path path;
    explicit TempFile(const std::string& bytes)
    {
        path = std::filesystem::temp_directory_path() /
               ("merrowin-installer-file-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path); }
};

std::string Installer(const std::string& movie)
{
    TMemoryStream out;
    TContainerWriter writer(out);
    writer.AddRaw(std::string(100000, 'P')); // the program part, which a start never reads
    writer.AddPacked(movie);
    writer.AddPacked("1\r\nTitle\r\n");
    writer.Finish();
    return std::string(out.View());
}

} // namespace

TEST(TInstallerFile, GivesTheFileByteForByteAndTheContainerReadsFromItInPlace)
{
    const std::string movie(300000, 'M');
    const std::string bytes = Installer(movie);
    TempFile file(bytes);
    const TInstallerFile installer(file.path.string());
    ASSERT_EQ(installer.Bytes(), bytes);

    TDecompileStream fromFile;
    fromFile.Decompile(installer.Bytes());
    TMemoryStream copy;
    copy.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    TDecompileStream fromStream;
    fromStream.Decompile(copy);
    ASSERT_EQ(fromFile.Count(), 3);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(fromFile.GetStream(i, false)->View(), fromStream.GetStream(i, false)->View()) << i;
    EXPECT_EQ(fromFile.GetStream(1, false)->View(), movie);
    EXPECT_EQ(ReadPayloadEntry(file.path.string(), 1), movie);
}

TEST(TInstallerFile, AnEmptyFileIsEmptyAndAMissingOneCannotBeOpened)
{
    TempFile empty("");
    const TInstallerFile nothing(empty.path.string());
    EXPECT_TRUE(nothing.Bytes().empty());
    TDecompileStream reader;
    EXPECT_THROW(reader.Decompile(nothing.Bytes()), EReadError);

    const std::string missing = (std::filesystem::temp_directory_path() / "merrowin-no-such-installer").string();
    EXPECT_THROW(TInstallerFile{missing}, EFOpenError);
    EXPECT_EQ(ReadPayloadEntry(missing, 1), "");
}
