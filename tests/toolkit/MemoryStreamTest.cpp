#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Utf8Path.h"
#include "toolkit/streams/FileStream.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(TMemoryStream, ReadsWhatWasWrittenAndReportsShortReads)
{
    TMemoryStream stream;
    stream.WriteInt32(0x04030201);
    EXPECT_EQ(stream.View(), std::string_view("\1\2\3\4", 4));
    stream.SetPosition(1);
    char bytes[8];
    EXPECT_EQ(stream.Read(bytes, 8), 3);
    stream.SetPosition(2);
    EXPECT_THROW(stream.ReadBuffer(bytes, 3), EReadError);
    stream.SetPosition(-1);
    EXPECT_EQ(stream.Read(bytes, 1), 0);
    try {
        stream.ReadBuffer(bytes, 1);
    } catch (const EReadError& error) {
        EXPECT_EQ(error.Message(), "流读取错误");
    }
}

TEST(TMemoryStream, WritingPastTheEndFillsTheGapWithZeros)
{
    TMemoryStream stream;
    stream.SetPosition(3);
    stream.WriteBuffer("x", 1);
    EXPECT_EQ(stream.View(), std::string_view("\0\0\0x", 4));
    stream.SetSize(2);
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(stream.Size(), 2);
}

TEST(TMemoryStream, CopyFromWithCountZeroCopiesTheWholeSource)
{
    TMemoryStream source;
    source.WriteBuffer("abcdef", 6);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 6);
    EXPECT_EQ(target.View(), "abcdef");
    source.SetPosition(4);
    EXPECT_THROW(target.CopyFrom(source, 3), EReadError);
}

TEST(TFileStream, RoundTripsThroughAFileWithAChineseName)
{
    auto folder = std::filesystem::temp_directory_path() / "merrowin-stream-test";
    std::filesystem::create_directories(folder);
    std::string name = PathToUtf8(folder / Utf8Path("墙纸.bin"));
    TMemoryStream out;
    out.WriteBuffer("payload", 7);
    out.SaveToFile(name);
    TMemoryStream in;
    in.LoadFromFile(name);
    EXPECT_EQ(in.View(), "payload");
    std::filesystem::remove_all(folder);
}

TEST(TFileStream, MissingFilesAndFoldersRaiseTheFileErrors)
{
    auto missing = PathToUtf8(std::filesystem::temp_directory_path() / "merrowin-missing" / "x.bin");
    try {
        TFileStream file(missing, TFileStream::fmOpenRead);
        FAIL();
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), "无法打开文件 " + missing);
    }
    try {
        TFileStream file(missing, TFileStream::fmCreate);
        FAIL();
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(), "无法创建文件 " + missing);
    }
    EXPECT_THROW(TFileStream(PathToUtf8(std::filesystem::temp_directory_path()), TFileStream::fmOpenRead),
                 EFOpenError);
}

// Reads and writes in turn on one open file, as the skin engine's and the installer's files are
// used, and the size changed under an open file.
TEST(TFileStream, ReadingAndWritingInTurnAndResizing)
{
    const std::string name = PathToUtf8(std::filesystem::temp_directory_path() / "merrowin-file-stream.bin");
    {
        TFileStream file(name, TFileStream::fmCreate);
        file.WriteBuffer("abcdef", 6);
        EXPECT_EQ(file.Seek(1, TSeekOrigin::soBeginning), 1);
        char two[2] = {};
        file.ReadBuffer(two, 2);
        EXPECT_EQ(std::string(two, 2), "bc");
        file.WriteBuffer("XY", 2);  // straight after a read: lands at 3
        EXPECT_EQ(file.Position(), 5);
        char rest = 0;
        file.ReadBuffer(&rest, 1);
        EXPECT_EQ(rest, 'f');
        EXPECT_EQ(file.Size(), 6);
        EXPECT_EQ(file.Seek(-1, TSeekOrigin::soBeginning), -1);
        file.SetSize(4);
        EXPECT_EQ(file.Size(), 4);
        EXPECT_EQ(file.Position(), 4);  // it was beyond the new end
        file.SetPosition(2);
        file.SetSize(8);
        EXPECT_EQ(file.Position(), 2);
        EXPECT_EQ(file.Read(&rest, 1), 1);
        EXPECT_EQ(rest, 'c');
    }
    TFileStream file(name, TFileStream::fmOpenRead);
    std::string all(8, '?');
    file.ReadBuffer(all.data(), 8);
    EXPECT_EQ(all, std::string("abcX\0\0\0\0", 8));
    EXPECT_EQ(file.Read(all.data(), 1), 0);
    EXPECT_EQ(file.Write("z", 1), 0);  // opened for reading only
    std::filesystem::remove(name);
}
