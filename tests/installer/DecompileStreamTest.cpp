#include "ContainerBytes.h"
#include "installer/payload/ContainerWriter.h"
#include "installer/payload/DecompileStream.h"
#include "toolkit/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

const std::string kStub = "MZ stub program bytes";
const std::string kMovie = "FWS movie movie movie movie movie movie";
const std::string kText = "1\r\nTitle\r\n";

std::string Installer()
{
    TMemoryStream out;
    TContainerWriter writer(out);
    writer.AddRaw(kStub);
    writer.AddPacked(kMovie);
    writer.AddPacked(kText);
    writer.Finish();
    return std::string(out.View());
}

struct Reader {
    TMemoryStream file;
    TDecompileStream container;
    explicit Reader(const std::string& bytes)
    {
        Fill(file, bytes);
        file.SetPosition(static_cast<int64_t>(bytes.size() / 2)); // the reader starts anywhere
        container.Decompile(file);
    }
    std::string Entry(int32_t index, bool force = false)
    {
        auto stream = container.GetStream(index, force);
        EXPECT_EQ(stream->Position(), stream->Size());
        return std::string(stream->View());
    }
};

template <typename Error>
void ExpectMessage(const std::function<void()>& action, const std::string& message)
{
    try {
        action();
        FAIL() << "no error, expected " << message;
    } catch (const Error& error) {
        EXPECT_EQ(error.Message(), message);
    }
}

} // namespace

TEST(TDecompileStream, ReadsEveryEntryInAnyOrder)
{
    Reader reader(Installer());
    EXPECT_EQ(reader.container.Count(), 3);
    EXPECT_EQ(reader.Entry(2, true), kText);
    EXPECT_EQ(reader.Entry(0), kStub);
    EXPECT_EQ(reader.Entry(1), kMovie);
    EXPECT_EQ(reader.Entry(1, true), kMovie);
    EXPECT_EQ(reader.Entry(3), "");
    EXPECT_EQ(reader.Entry(1000), "");
}

TEST(TDecompileStream, FurtherEntriesAreAllowedAndStoredSizeSumsLocateThem)
{
    Reader reader(Container("AAAbbCCCC", {{3, 3}, {2, 2}, {4, 4}}));
    EXPECT_EQ(reader.Entry(2), "CCCC");
    EXPECT_EQ(reader.Entry(1), "bb");
}

TEST(TDecompileStream, ZeroOrNegativeCountYieldsOnlyEmptyStreams)
{
    for (int32_t count : {0, -1, INT32_MIN}) {
        Reader reader(Container("data", {}, count));
        EXPECT_EQ(reader.Entry(0), "");
        EXPECT_EQ(reader.Entry(5), "");
    }
}

TEST(TDecompileStream, GetStreamBeforeDecompileIsEmpty)
{
    TDecompileStream container;
    EXPECT_EQ(container.GetStream(0, false)->Size(), 0);
}

TEST(TDecompileStream, EqualSizesAreRawUnlessInflateIsForced)
{
    std::string packed = Zlib(std::string(1000, 'z'));
    auto size = static_cast<int32_t>(packed.size());
    Reader reader(Container(packed, {{size, size}}));
    EXPECT_EQ(reader.Entry(0), packed);
    EXPECT_EQ(reader.Entry(0, true), std::string(packed.size(), 'z'));

    Reader raw(Container("plain", {{5, 5}}));
    ExpectMessage<EZDecompressionError>([&] { raw.Entry(0, true); }, "error");
}

TEST(TDecompileStream, OutputIsCutToTheUnpackedSizeWithoutError)
{
    std::string packed = Zlib("0123456789");
    Reader reader(Container(packed, {{4, static_cast<int32_t>(packed.size())}}));
    EXPECT_EQ(reader.Entry(0), "0123");
}

TEST(TDecompileStream, ShortOrTruncatedStreamsRaiseTheReadError)
{
    std::string packed = Zlib("0123456789");
    auto size = static_cast<int32_t>(packed.size());
    Reader longer(Container(packed, {{11, size}}));
    ExpectMessage<EReadError>([&] { longer.Entry(0); }, "流读取错误");

    std::string cut = packed.substr(0, packed.size() - 6);
    Reader truncated(Container(cut, {{10, static_cast<int32_t>(cut.size())}}));
    ExpectMessage<EReadError>([&] { truncated.Entry(0); }, "流读取错误");

    Reader negative(Container(packed, {{-5, size}}));
    ExpectMessage<EReadError>([&] { negative.Entry(0); }, "流读取错误");
}

TEST(TDecompileStream, CorruptOrDictionaryStreamsRaiseTheInflateError)
{
    std::string packed = Zlib(std::string(1000, 'z'));
    packed[0] = 0x00; // not a zlib header
    Reader corrupt(Container(packed, {{1000, static_cast<int32_t>(packed.size())}}));
    ExpectMessage<EZDecompressionError>([&] { corrupt.Entry(0); }, "error");

    const std::string dictionary("\x78\xbb\x00\x00\x00\x01\x03\x00", 8);
    ExpectMessage<EZDecompressionError>([&] { corrupt.Entry(0, true); }, "error");

    Reader needsDictionary(Container(dictionary, {{10, static_cast<int32_t>(dictionary.size())}}));
    ExpectMessage<EZDecompressionError>([&] { needsDictionary.Entry(0); }, "error");
}

TEST(TDecompileStream, TrailersOutsideTheFileRaiseTheReadError)
{
    for (std::string file : {std::string(), std::string("abc")}) {
        TMemoryStream stream;
        Fill(stream, file);
        TDecompileStream container;
        ExpectMessage<EReadError>([&] { container.Decompile(stream); }, "流读取错误");
    }
    for (int32_t count : {2, 1000, INT32_MAX}) {
        TMemoryStream stream;
        Fill(stream, Container("", {{1, 1}}, count));
        TDecompileStream container;
        ExpectMessage<EReadError>([&] { container.Decompile(stream); }, "流读取错误");
    }
}

TEST(TDecompileStream, SizesReachingOutsideTheDataRaiseTheReadError)
{
    // stored past the end; a negative stored size; offsets that wrap in 32 bits
    for (auto pairs : std::vector<std::vector<TrailerPair>>{{{100, 100}},
                                                            {{-4, -4}},
                                                            {{INT32_MAX, INT32_MAX}, {2, 2}},
                                                            {{4, 4}, {INT32_MAX, INT32_MAX}, {1, 1}}}) {
        Reader reader(Container("abcd", pairs));
        ExpectMessage<EReadError>([&] { reader.Entry(reader.container.Count() - 1); }, "流读取错误");
    }
}

TEST(TDecompileStream, ANegativeIndexRaisesTheListError)
{
    Reader reader(Installer());
    ExpectMessage<EListError>([&] { reader.Entry(-1); }, "索引列表超出范围 (-1)");
}

TEST(TDecompileStream, AHugeClaimedSizeCostsOnlyWhatTheDataProduces)
{
    // A two-gigabyte claim over a few bytes must fail quickly with the read error rather than
    // reserve the memory it claims.
    std::string packed = Zlib("small");
    Reader reader(Container(packed, {{INT32_MAX, static_cast<int32_t>(packed.size())}}));
    ExpectMessage<EReadError>([&] { reader.Entry(0); }, "流读取错误");
}

TEST(TContainerWriter, WritesTheLayoutThatTheReaderAccepts)
{
    std::string bytes = Installer();
    Reader reader(bytes);
    int64_t total = 0;
    for (int32_t i = 0; i < 3; ++i)
        total += reader.container.StoredSize(i);
    EXPECT_EQ(total + 3 * 8 + 4, static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(reader.container.UnpackedSize(0), reader.container.StoredSize(0));
    EXPECT_EQ(reader.container.UnpackedSize(1), static_cast<int32_t>(kMovie.size()));
    EXPECT_EQ(bytes.substr(kStub.size(), static_cast<size_t>(reader.container.StoredSize(1))), Zlib(kMovie, 9));
}
