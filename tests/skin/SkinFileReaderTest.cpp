#include "skin/SkinTestSupport.h"
#include "skin/archive/SkinArchiveWriter.h"
#include "skin/archive/SkinDataWriter.h"
#include "skin/archive/SkinFileReader.h"
#include "toolkit/graphics/BmpCodec.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace skintest;

namespace {

std::string Bmp(int width, int height, TColor color = 0x515151)
{
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, color);
    TMemoryStream out;
    WriteBmp(bitmap, out, TBmpDepth::bits24);
    return std::string(out.View());
}

std::unique_ptr<Tsk2SkinFileReader> Load(const std::string& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), int64_t(bytes.size()));
    return std::make_unique<Tsk2SkinFileReader>(stream);
}

void Put32(std::string& bytes, size_t at, uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

// Offsets in a file made by TSkinDataWriter.
constexpr size_t kFirst = 24;
constexpr size_t kKind = 64, kDataOffset = 65, kDataSize = 69, kNext = 73;
constexpr size_t kIntegerRecord = 77 + 4; // an integer record with its data

std::string SkinArchive(const std::string& data, const std::string& password = {})
{
    TMemoryStream out;
    TSkinArchiveWriter writer(out);
    writer.AddMember("SKINDATA.SK2", data, password);
    writer.Finish();
    return std::string(out.View());
}

} // namespace

TEST(SkinFileReaderTest, LoadsEveryKindInFileOrder)
{
    TSkinDataWriter data;
    data.AddInteger("SKIN2_FORMCOLOR", 0x515151);
    data.AddBitmap("SKIN2_BUTTON", Bmp(243, 23));
    data.AddFlag("SKIN2_TITLEFIVESECT", 1);
    data.AddString("SKIN2_AUTHOR", "charcoal");
    data.AddInteger("SKIN2_NEGATIVE", -7);
    const auto reader = Load(data.Bytes());

    EXPECT_TRUE(reader->Loaded());
    EXPECT_EQ(reader->GetInteger("SKIN2_FORMCOLOR"), 0x515151);
    EXPECT_EQ(reader->GetInteger("SKIN2_NEGATIVE"), -7);
    ASSERT_NE(reader->GetBitmap("SKIN2_BUTTON"), nullptr);
    EXPECT_EQ(reader->GetBitmap("SKIN2_BUTTON")->Width(), 243);
    EXPECT_EQ(reader->GetBitmap("SKIN2_BUTTON")->Pixel(5, 5), 0x515151);
    EXPECT_EQ(reader->GetFlag("SKIN2_TITLEFIVESECT"), 1);
    ASSERT_NE(reader->GetString("SKIN2_AUTHOR"), nullptr);
    EXPECT_EQ(*reader->GetString("SKIN2_AUTHOR"), "charcoal");

    std::vector<TSkinRecordKind> kinds;
    for (const TSkinRecordRef& record : reader->Records())
        kinds.push_back(record.kind);
    using K = TSkinRecordKind;
    EXPECT_EQ(kinds, (std::vector<K>{K::Integer, K::Bitmap, K::Flag, K::String, K::Integer}));
    EXPECT_EQ(reader->Records()[4].index, 1u);
}

TEST(SkinFileReaderTest, MissingNamesGiveTheirNoneValues)
{
    TSkinDataWriter data;
    data.AddInteger("SKIN2_ONLYINTEGER", 5);
    data.AddFlag("SKIN2_ONLYFLAG", 9);
    const auto reader = Load(data.Bytes());
    // The kinds are separate name spaces.
    EXPECT_EQ(reader->GetInteger("SKIN2_ONLYFLAG"), -1);
    EXPECT_EQ(reader->GetFlag("SKIN2_ONLYINTEGER"), 0);
    EXPECT_EQ(reader->GetBitmap("SKIN2_ONLYINTEGER"), nullptr);
    EXPECT_EQ(reader->GetString("SKIN2_ONLYFLAG"), nullptr);
    EXPECT_EQ(reader->GetFlag("SKIN2_ONLYFLAG"), 9);
}

TEST(SkinFileReaderTest, LookupsIgnoreCaseAndTakeTheFirstOfAName)
{
    TSkinDataWriter data;
    data.AddBitmap("SKIN2_BUTTON", Bmp(3, 1));
    data.AddBitmap("SKIN2_BUTTON", Bmp(5, 1));
    data.AddInteger("Skin2_Twice", 1);
    data.AddInteger("SKIN2_TWICE", 2);
    const auto reader = Load(data.Bytes());
    ASSERT_NE(reader->GetBitmap("skin2_button"), nullptr);
    EXPECT_EQ(reader->GetBitmap("skin2_button")->Width(), 3);
    EXPECT_EQ(reader->GetInteger("skin2_twice"), 1);
    EXPECT_EQ(reader->Bitmaps().size(), 2u);
}

TEST(SkinFileReaderTest, TerminatorIsNeverLoaded)
{
    // A chain whose first record is already the terminator loads nothing, yet is loaded.
    TSkinDataWriter empty;
    auto reader = Load(empty.Bytes());
    EXPECT_TRUE(reader->Loaded());
    EXPECT_TRUE(reader->Records().empty());

    // A terminator with a name and data of its own is still not loaded.
    TSkinDataWriter one;
    one.AddInteger("SKIN2_LAST", 42);
    std::string bytes = one.Bytes();
    Put32(bytes, kFirst + kNext, 0);
    reader = Load(bytes);
    EXPECT_TRUE(reader->Loaded());
    EXPECT_EQ(reader->GetInteger("SKIN2_LAST"), -1);
}

TEST(SkinFileReaderTest, UnknownKindsAreSkipped)
{
    TSkinDataWriter data;
    data.AddInteger("SKIN2_ODD", 1);
    data.AddInteger("SKIN2_AFTER", 2);
    std::string bytes = data.Bytes();
    bytes[kFirst + kKind] = 7;
    Put32(bytes, kFirst + kDataOffset, 0xFFFFFF00u); // not even read
    const auto reader = Load(bytes);
    EXPECT_EQ(reader->GetInteger("SKIN2_ODD"), -1);
    EXPECT_EQ(reader->GetInteger("SKIN2_AFTER"), 2);
    EXPECT_EQ(reader->Records().size(), 1u);
}

TEST(SkinFileReaderTest, NameMayFillAllSixtyFourBytes)
{
    const std::string name = "SKIN2_" + std::string(58, 'N');
    TSkinDataWriter data;
    data.AddInteger(name, 64);
    const auto reader = Load(data.Bytes());
    ASSERT_EQ(reader->Integers().size(), 1u);
    EXPECT_EQ(reader->Integers()[0].name, name);
}

TEST(SkinFileReaderTest, RecordsOutsideTheDataFailCleanly)
{
    TSkinDataWriter data;
    data.AddInteger("SKIN2_A", 1);
    data.AddInteger("SKIN2_B", 2);
    const std::string good = data.Bytes();

    auto expectFailure = [](const std::string& bytes, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_THROW(Load(bytes), Exception);
    };
    std::string bytes = good;
    Put32(bytes, 20, uint32_t(good.size() - 76));
    expectFailure(bytes, "first record running past the end");
    bytes = good;
    Put32(bytes, kFirst + kNext, 0xFFFFFFFFu);
    expectFailure(bytes, "next record far outside");
    bytes = good;
    Put32(bytes, kFirst + kDataOffset, uint32_t(good.size() - 3));
    expectFailure(bytes, "data running past the end");
    bytes = good;
    Put32(bytes, kFirst + kDataSize, 0xFFFFFFF0u);
    expectFailure(bytes, "huge data size");
    bytes = good;
    Put32(bytes, kFirst + kDataSize, 3);
    expectFailure(bytes, "integer of 3 bytes");
    bytes = good;
    bytes[kFirst + kKind] = 2;
    expectFailure(bytes, "flag of 4 bytes");
    bytes = good;
    Put32(bytes, 12, 23);
    expectFailure(bytes, "header shorter than its fields");
    Put32(bytes, 12, 0x7FFFFFFF);
    expectFailure(bytes, "header longer than the file");
    expectFailure(good.substr(0, 15), "file shorter than a header");
    expectFailure(good.substr(0, good.size() - 1), "terminator cut short");
}

TEST(SkinFileReaderTest, ChainsThatLoopEndInFailure)
{
    TSkinDataWriter data;
    data.AddInteger("SKIN2_A", 1);
    data.AddInteger("SKIN2_B", 2);
    std::string bytes = data.Bytes();
    Put32(bytes, kFirst + kNext, kFirst); // the first record points at itself
    EXPECT_THROW(Load(bytes), ESkinDataError);
    bytes = data.Bytes();
    Put32(bytes, kFirst + kIntegerRecord + kNext, kFirst); // the second points back at the first
    EXPECT_THROW(Load(bytes), ESkinDataError);
}

TEST(SkinFileReaderTest, RecordsThatShareTheirDataAllLoad)
{
    // Three picture records naming the same 64 x 64 picture.
    TSkinDataWriter data;
    data.AddBitmap("SKIN2_A", Bmp(64, 64, 0x123456));
    data.AddInteger("SKIN2_B", 0);
    data.AddInteger("SKIN2_C", 0);
    std::string bytes = data.Bytes();
    const size_t second = kFirst + 77 + Bmp(64, 64).size();
    for (size_t record : {second, second + kIntegerRecord}) {
        bytes[record + kKind] = 0;
        std::memcpy(bytes.data() + record + kDataOffset, bytes.data() + kFirst + kDataOffset, 8);
    }
    const auto reader = Load(bytes);
    for (const char* name : {"SKIN2_A", "SKIN2_B", "SKIN2_C"}) {
        ASSERT_NE(reader->GetBitmap(name), nullptr) << name;
        EXPECT_EQ(reader->GetBitmap(name)->Width(), 64);
        EXPECT_EQ(reader->GetBitmap(name)->Pixel(63, 63), 0x123456);
    }
}

TEST(SkinFileReaderTest, SharingStaysInProportionToTheFile)
{
    // Forty records reading the same 10000 bytes read far more than the file holds.
    TSkinDataWriter data;
    data.AddString("SKIN2_TEXT", std::string(10000, 'x'));
    for (int i = 0; i < 39; ++i)
        data.AddInteger("SKIN2_SHARE" + std::to_string(i), 0);
    std::string bytes = data.Bytes();
    for (int i = 0; i < 39; ++i) {
        const size_t record = kFirst + 77 + 10000 + size_t(i) * kIntegerRecord;
        bytes[record + kKind] = 3;
        std::memcpy(bytes.data() + record + kDataOffset, bytes.data() + kFirst + kDataOffset, 8);
    }
    EXPECT_THROW(Load(bytes), ESkinDataError);
}

TEST(SkinFileReaderTest, ABigPictureLoadsBesideOthers)
{
    // 4096 x 4096 at one bit a pixel: 2 MiB of rows describe 16 Mi pixels.
    constexpr int kSide = 4096;
    constexpr uint32_t kRowBytes = kSide / 8, kPixelStart = 14 + 40 + 8;
    std::string bmp(kPixelStart + size_t(kRowBytes) * kSide, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 2, uint32_t(bmp.size()));
    Put32(bmp, 10, kPixelStart);
    Put32(bmp, 14, 40);
    Put32(bmp, 18, kSide);
    Put32(bmp, 22, kSide);
    bmp[26] = 1;  // planes
    bmp[28] = 1;  // bits a pixel
    Put32(bmp, 14 + 40 + 4, 0x00FFFFFF);  // palette: black, white
    for (size_t row = 0; row < kSide; ++row)
        bmp[kPixelStart + row * kRowBytes] = char(0x80);  // the first pixel of each row is white

    TSkinDataWriter data;
    data.AddBitmap("SKIN2_BUTTON", Bmp(243, 23));
    data.AddBitmap("SKIN2_BACKGROUND", bmp);
    data.AddBitmap("SKIN2_TITLEBAR1", Bmp(60, 41));
    const auto reader = Load(data.Bytes());
    const TBitmap* big = reader->GetBitmap("SKIN2_BACKGROUND");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Width(), kSide);
    EXPECT_EQ(big->Height(), kSide);
    EXPECT_EQ(big->Pixel(0, kSide - 1), clWhite);
    EXPECT_EQ(big->Pixel(1, kSide - 1), clBlack);
    ASSERT_NE(reader->GetBitmap("SKIN2_TITLEBAR1"), nullptr);
}

TEST(SkinFileReaderTest, PicturesAreCheckedBeforeTheyAreDecoded)
{
    TSkinDataWriter bad;
    bad.AddBitmap("SKIN2_BUTTON", "BM not a picture");
    EXPECT_THROW(Load(bad.Bytes()), EInvalidGraphic);

    // A few bytes of RLE may announce 16384 x 16384 pixels: refused before any allocation.
    std::string huge = Bmp(1, 1);
    Put32(huge, 18, 16384);
    Put32(huge, 22, 16384);
    Put32(huge, 30, 1); // RLE8
    huge[28] = 8;
    TSkinDataWriter greedy;
    greedy.AddBitmap("SKIN2_BIG", huge);
    EXPECT_THROW(Load(greedy.Bytes()), ESkinDataError);
}

namespace {

class SkinFileReaderFileTest : public testing::Test {
protected:
    std::string SaveArchive(const std::string& bytes)
    {
        const std::string file = skins.File("skin.ssk");
        WriteFile(file, bytes);
        return file;
    }

    TTempFolder skins;
    TTempFolder temp;
    TFakeSystemServices services{temp.Path() + "/"};
};

} // namespace

TEST_F(SkinFileReaderFileTest, ExtractsThroughATemporaryFileNamedByAGuid)
{
    const std::string expected = temp.Path() + "/" + services.NextGuid();
    Tsk2SkinFileReader reader(Fixture("plain.ssk"), "", services);
    EXPECT_TRUE(reader.Loaded());
    EXPECT_EQ(reader.GetInteger("SKIN2_FORMCOLOR"), 0x515151);
    EXPECT_EQ(reader.GetFlag("SKIN2_TITLEFIVESECT"), 1);
    ASSERT_NE(reader.GetBitmap("SKIN2_BUTTON"), nullptr);
    EXPECT_EQ(reader.GetBitmap("SKIN2_BUTTON")->Pixel(0, 0), TColor(0x0000FF)); // red, as TColor
    EXPECT_EQ(services.removed, std::vector<std::string>{expected});
    EXPECT_EQ(temp.Count(), 0u);
}

TEST_F(SkinFileReaderFileTest, AddsTheMissingSeparatorToTheTemporaryFolder)
{
    TFakeSystemServices bare(temp.Path());
    const std::string expected = temp.Path() + "/" + bare.NextGuid();
    Tsk2SkinFileReader reader(Fixture("plain.ssk"), "", bare);
    EXPECT_EQ(bare.removed, std::vector<std::string>{expected});
}

TEST_F(SkinFileReaderFileTest, RefusedExtractionLeavesTheReaderNotLoaded)
{
    Tsk2SkinFileReader reader(Fixture("encrypted.ssk"), "", services);
    EXPECT_FALSE(reader.Loaded());
    EXPECT_TRUE(reader.Records().empty());
    EXPECT_EQ(temp.Count(), 0u);
    Tsk2SkinFileReader opened(Fixture("encrypted.ssk"), "secret", services);
    EXPECT_TRUE(opened.Loaded());
}

TEST_F(SkinFileReaderFileTest, FailedExtractionRaises)
{
    try {
        Tsk2SkinFileReader reader(Fixture("comment.ssk"), "", services);
        FAIL() << "no exception";
    } catch (const ESkinDataError& error) {
        EXPECT_STREQ(error.what(), "Failed to read skin file!");
    }
    EXPECT_EQ(temp.Count(), 0u);
}

TEST_F(SkinFileReaderFileTest, BadRecordsRaiseAndStillRemoveTheTemporaryFile)
{
    TSkinDataWriter data;
    data.AddInteger("SKIN2_A", 1);
    std::string bytes = data.Bytes();
    Put32(bytes, kFirst + kNext, kFirst);
    const std::string file = SaveArchive(SkinArchive(bytes));
    EXPECT_THROW(Tsk2SkinFileReader(file, "", services), ESkinDataError);
    EXPECT_EQ(services.removed.size(), 1u);
    EXPECT_EQ(temp.Count(), 0u);
}
