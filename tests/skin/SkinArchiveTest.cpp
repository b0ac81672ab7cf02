#include "skin/SkinTestSupport.h"
#include "skin/archive/SkinArchive.h"
#include "skin/archive/SkinArchiveWriter.h"
#include "skin/archive/ZipCipher.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace skintest;

namespace {

const std::string kMember = "SKINDATA.SK2";

std::string MakeArchive(const std::vector<std::pair<std::string, std::string>>& members,
                        const std::string& password = {})
{
    TMemoryStream out;
    TSkinArchiveWriter writer(out);
    for (const auto& [name, bytes] : members)
        writer.AddMember(name, bytes, password);
    writer.Finish();
    return std::string(out.View());
}

uint32_t Get32(const std::string& bytes, size_t at)
{
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void Put32(std::string& bytes, size_t at, uint32_t value)
{
    std::memcpy(bytes.data() + at, &value, 4);
}

// Where the central directory's first header starts.
size_t CentralDirectory(const std::string& archive)
{
    return Get32(archive, archive.size() - 22 + 16);
}

// The bytes of one skin data member, as made by zip.
std::string Data()
{
    return ReadFile(Fixture("skindata.sk2"));
}

// An archive whose member is the raw deflate data given, recorded as `size` bytes.
std::string ArchiveOf(const std::string& deflate, uint32_t size)
{
    const std::string archive = MakeArchive({{kMember, "x"}});
    const size_t data = 30 + kMember.size();
    std::string rebuilt = archive.substr(0, data) + deflate + archive.substr(CentralDirectory(archive));
    const size_t directory = data + deflate.size();
    Put32(rebuilt, rebuilt.size() - 22 + 16, uint32_t(directory));
    Put32(rebuilt, directory + 24, size);
    return rebuilt;
}

// Deflate data written bit by bit: header fields and extra bits low bit first, Huffman codes
// high bit first, as RFC 1951 packs them.
class TDeflateBits {
public:
    TDeflateBits& Bits(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            Bit((value >> i) & 1);
        return *this;
    }
    TDeflateBits& Code(uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Bit((code >> i) & 1);
        return *this;
    }
    // A block header: the final flag, then the type (0 stored, 1 fixed, 2 dynamic).
    TDeflateBits& Header(bool final, int type) { return Bits(final ? 1 : 0, 1).Bits(uint32_t(type), 2); }
    // Fixed-code literals below 144 and the end of the block.
    TDeflateBits& Literals(const std::string& text)
    {
        for (unsigned char c : text)
            Code(0x30 + c, 8);
        return *this;
    }
    TDeflateBits& EndOfBlock() { return Code(0, 7); }
    // A fixed-code match of length 3 to 10 at a distance of 1 to 8.
    TDeflateBits& Match(int length, int distance)
    {
        Code(uint32_t(length - 2), 7);
        if (distance <= 4)
            return Code(uint32_t(distance - 1), 5);
        const int pair = (distance - 5) / 2; // codes 4 and 5 carry one extra bit each
        return Code(uint32_t(4 + pair), 5).Bits(uint32_t((distance - 5) % 2), 1);
    }
    // A stored block from the next byte boundary on, with the NLEN given rather than ~LEN.
    TDeflateBits& Stored(const std::string& bytes, uint16_t nlen)
    {
        bitCount_ = 0;
        const auto len = static_cast<uint16_t>(bytes.size());
        bytes_ += {char(len & 0xFF), char(len >> 8), char(nlen & 0xFF), char(nlen >> 8)};
        bytes_ += bytes;
        return *this;
    }
    // Bits left free in the last byte.
    int FreeBits() const { return bitCount_ == 0 ? 0 : 8 - bitCount_; }
    const std::string& Bytes() const { return bytes_; }

private:
    void Bit(uint32_t bit)
    {
        if (bitCount_ == 0)
            bytes_ += '\0';
        bytes_.back() = char(uint8_t(bytes_.back()) | bit << bitCount_);
        bitCount_ = (bitCount_ + 1) % 8;
    }

    std::string bytes_;
    int bitCount_ = 0;
};

class SkinArchiveTest : public testing::Test {
protected:
    // Extracts `archive` (bytes) through the file form; the output name is `out`.
    uint8_t Extract(const std::string& archive, const std::string& password = {}, const std::string& name = kMember)
    {
        WriteFile(folder.File("in.ssk"), archive);
        return ExtractSkinEntry(folder.File("in.ssk"), name, out, password);
    }

    TTempFolder folder;
    const std::string out = folder.File("out.sk2");
};

} // namespace

TEST_F(SkinArchiveTest, ArchivesMadeByZipExtract)
{
    for (const char* fixture : {"plain.ssk", "extra.ssk", "lower.ssk"}) {
        SCOPED_TRACE(fixture);
        ASSERT_EQ(ExtractSkinEntry(Fixture(fixture), kMember, out, ""), skExtracted);
        EXPECT_EQ(ReadFile(out), Data());
    }
}

TEST_F(SkinArchiveTest, NamesMatchWithoutRegardToAsciiCase)
{
    EXPECT_EQ(ExtractSkinEntry(Fixture("plain.ssk"), "skindata.Sk2", out, ""), skExtracted);
    EXPECT_EQ(ExtractSkinEntry(Fixture("plain.ssk"), "SKINDATA.SK", out, ""), skFailed);
    EXPECT_FALSE(Exists(out));
}

TEST_F(SkinArchiveTest, UsualZipStartIsRejectedAndSkStartAccepted)
{
    std::string archive = ReadFile(Fixture("plain.ssk"));
    archive[0] = 'P';
    EXPECT_EQ(Extract(archive), skFailed);
    EXPECT_FALSE(Exists(out));
    archive[0] = 'S';
    EXPECT_EQ(Extract(archive), skExtracted);
}

TEST_F(SkinArchiveTest, ArchiveCommentIsRejected)
{
    WriteFile(out, "an older file");
    EXPECT_EQ(ExtractSkinEntry(Fixture("comment.ssk"), kMember, out, ""), skFailed);
    EXPECT_FALSE(Exists(out)); // a failed extraction leaves nothing under the output name
}

TEST_F(SkinArchiveTest, ArchivesTooShortOrMissingFail)
{
    EXPECT_EQ(ExtractSkinEntry(folder.File("none.ssk"), kMember, out, ""), skFailed);
    for (const std::string& bytes : {std::string(), std::string("SK"), std::string("SK\3\4") + std::string(16, '\0')}) {
        EXPECT_EQ(Extract(bytes), skFailed);
        EXPECT_FALSE(Exists(out));
    }
}

TEST_F(SkinArchiveTest, MissingMemberCreatesNoOutput)
{
    EXPECT_EQ(Extract(MakeArchive({{"OTHER.SK2", "x"}})), skFailed);
    EXPECT_FALSE(Exists(out));
}

TEST_F(SkinArchiveTest, FolderAtTheOutputNameFailsAndStays)
{
    std::filesystem::create_directory(Utf8Path(out));
    EXPECT_EQ(ExtractSkinEntry(Fixture("plain.ssk"), kMember, out, ""), skFailed);
    EXPECT_TRUE(std::filesystem::is_directory(Utf8Path(out)));
}

TEST_F(SkinArchiveTest, ExistingOutputIsReplaced)
{
    WriteFile(out, std::string(5000, 'z'));
    EXPECT_EQ(ExtractSkinEntry(Fixture("plain.ssk"), kMember, out, ""), skExtracted);
    EXPECT_EQ(ReadFile(out), Data());
}

TEST_F(SkinArchiveTest, EncryptedMemberNeedsItsPassword)
{
    const std::string encrypted = Fixture("encrypted.ssk");
    EXPECT_EQ(ExtractSkinEntry(encrypted, kMember, out, "secret"), skExtracted);
    EXPECT_EQ(ReadFile(out), Data());
    EXPECT_EQ(ExtractSkinEntry(encrypted, kMember, out, ""), skRefused);
    EXPECT_FALSE(Exists(out));
    EXPECT_EQ(ExtractSkinEntry(encrypted, kMember, out, "Secret"), skRefused);
    EXPECT_FALSE(Exists(out));
}

TEST_F(SkinArchiveTest, UnencryptedMemberIgnoresThePassword)
{
    EXPECT_EQ(ExtractSkinEntry(Fixture("plain.ssk"), kMember, out, "anything"), skExtracted);
}

TEST_F(SkinArchiveTest, CheckByteComesFromTheCrcWithoutFlagBit3)
{
    const std::string archive = MakeArchive({{kMember, Data()}}, "pass");
    ASSERT_EQ(archive[6] & 8, 0);
    EXPECT_EQ(Extract(archive, "pass"), skExtracted);
    EXPECT_EQ(ReadFile(out), Data());
    EXPECT_EQ(Extract(archive, "PASS"), skRefused);
}

TEST_F(SkinArchiveTest, WrongPasswordThatPassesTheCheckByteIsRefused)
{
    const std::string archive = ReadFile(Fixture("encrypted.ssk"));
    // Find a wrong password whose decrypted check byte happens to match (about 1 in 256).
    const size_t local = 30 + 12; // local header and the name "SKINDATA.SK2"; zip -X adds no extra field
    const size_t directory = CentralDirectory(archive);
    const auto check = static_cast<uint8_t>(archive[directory + 13]); // high byte of the modification time
    std::string wrong;
    for (int i = 0; wrong.empty(); ++i) {
        const std::string candidate = "wrong" + std::to_string(i);
        TZipCipher cipher(candidate);
        std::string header = archive.substr(local, 12);
        cipher.Decrypt(reinterpret_cast<uint8_t*>(header.data()), header.size());
        if (static_cast<uint8_t>(header[11]) == check)
            wrong = candidate;
    }
    EXPECT_EQ(ExtractSkinEntry(Fixture("encrypted.ssk"), kMember, out, wrong), skRefused);
    EXPECT_FALSE(Exists(out));
}

TEST_F(SkinArchiveTest, RecordedSizeThatDiffersIsRefused)
{
    const std::string archive = ReadFile(Fixture("plain.ssk"));
    const size_t sizeField = CentralDirectory(archive) + 24;
    for (int delta : {-1, +1, -int(Data().size()) + 1}) {
        SCOPED_TRACE(delta);
        std::string patched = archive;
        Put32(patched, sizeField, Get32(patched, sizeField) + uint32_t(delta));
        EXPECT_EQ(Extract(patched), skRefused);
        EXPECT_FALSE(Exists(out));
    }
}

TEST_F(SkinArchiveTest, MemberThatInflatesToNothingFails)
{
    EXPECT_EQ(Extract(MakeArchive({{kMember, ""}})), skFailed);
    EXPECT_FALSE(Exists(out));
}

TEST_F(SkinArchiveTest, BrokenDeflateDataEndsAsRefusedOnceOutputExists)
{
    const std::string good = MakeArchive({{kMember, Data()}});
    const size_t data = 30 + kMember.size();

    std::string reserved = good; // first block header: final bit and the reserved type 3
    reserved[data] = 0x07;
    EXPECT_EQ(Extract(reserved), skRefused);
    EXPECT_FALSE(Exists(out));

    // The same with a recorded size of 0: an empty output of the right size keeps the failure.
    Put32(reserved, CentralDirectory(reserved) + 24, 0);
    EXPECT_EQ(Extract(reserved), skFailed);
    EXPECT_FALSE(Exists(out));

    // Data cut short: the stream ends before its final block.
    const std::string cut = MakeArchive({{kMember, std::string(100000, 'q') + Data()}});
    std::string truncated = cut.substr(0, data + 20) + cut.substr(cut.size() - 22 - 58);
    Put32(truncated, truncated.size() - 22 + 16, uint32_t(data + 20));
    EXPECT_EQ(Extract(truncated), skRefused);
    EXPECT_FALSE(Exists(out));
}

TEST_F(SkinArchiveTest, StoredBlocksGoByLenWhateverTheirNlenSays)
{
    // The whole member one final stored block with NLEN 0.
    const std::string text = "a skin's records";
    EXPECT_EQ(Extract(ArchiveOf(TDeflateBits().Header(true, 0).Stored(text, 0).Bytes(), uint32_t(text.size()))),
              skExtracted);
    EXPECT_EQ(ReadFile(out), text);

    // A stored block whose header shares a byte with the end of a fixed block, and a later
    // match that reaches back over it.
    TDeflateBits shared;
    shared.Header(false, 1).Literals("abc").EndOfBlock();
    ASSERT_GE(shared.FreeBits(), 3);
    shared.Header(false, 0).Stored("def", 0x1234).Header(true, 1).Match(3, 6).EndOfBlock();
    EXPECT_EQ(Extract(ArchiveOf(shared.Bytes(), 9)), skExtracted);
    EXPECT_EQ(ReadFile(out), "abcdefabc");

    // A stored block whose header runs into the next byte.
    TDeflateBits spilling;
    spilling.Header(false, 1).Literals("ab").Match(3, 2).EndOfBlock();
    ASSERT_LT(spilling.FreeBits(), 3);
    spilling.Header(true, 0).Stored("!", 0);
    EXPECT_EQ(Extract(ArchiveOf(spilling.Bytes(), 6)), skExtracted);
    EXPECT_EQ(ReadFile(out), "ababa!");

    // Lengths that straddle two reads of the archive: the first read ends after 16384 bytes.
    const std::string first(16384 - 5 - 2, 'p');
    TDeflateBits straddling;
    straddling.Header(false, 0).Stored(first, 7).Header(true, 0).Stored("tail", 7);
    EXPECT_EQ(Extract(ArchiveOf(straddling.Bytes(), uint32_t(first.size() + 4))), skExtracted);
    EXPECT_EQ(ReadFile(out), first + "tail");
}

TEST_F(SkinArchiveTest, TooManyCodeLengthsStopTheExtractionAsTheReservedTypeDoes)
{
    // A dynamic block header announcing 257 + 30 literal/length codes, or 1 + 30 distance codes.
    for (auto [hlit, hdist] : {std::pair{30u, 0u}, std::pair{0u, 30u}}) {
        SCOPED_TRACE(hlit);
        TDeflateBits bits;
        bits.Header(true, 2).Bits(hlit, 5).Bits(hdist, 5).Bits(15, 4).Bits(0, 32).Bits(0, 32);
        EXPECT_EQ(Extract(ArchiveOf(bits.Bytes(), 10)), skRefused);
        EXPECT_FALSE(Exists(out));
        EXPECT_EQ(Extract(ArchiveOf(bits.Bytes(), 0)), skFailed);
    }
}

TEST_F(SkinArchiveTest, ExtraFieldsAndCommentsBeforeTheMemberAreSkipped)
{
    // extra.ssk: a first member with extra fields and a file comment, then the skin data.
    const std::string archive = ReadFile(Fixture("extra.ssk"));
    const size_t first = CentralDirectory(archive);
    ASSERT_NE(archive.substr(first + 30, 2), std::string(2, '\0')) << "extra field expected";
    ASSERT_NE(archive.substr(first + 32, 2), std::string(2, '\0')) << "file comment expected";
    EXPECT_EQ(Extract(archive), skExtracted);
    EXPECT_EQ(ReadFile(out), Data());
}

TEST_F(SkinArchiveTest, LongNamesNeverMatchAndDoNotStopTheWalk)
{
    const std::string longName(300, 'A');
    const std::string archive = MakeArchive({{longName, "long"}, {kMember, Data()}});
    EXPECT_EQ(Extract(archive, "", longName), skFailed);
    EXPECT_EQ(Extract(archive), skExtracted);
    EXPECT_EQ(ReadFile(out), Data());
    const std::string limit(259, 'B');
    EXPECT_EQ(Extract(MakeArchive({{limit, "just fits"}}), "", limit), skExtracted);
    EXPECT_EQ(ReadFile(out), "just fits");
}

TEST_F(SkinArchiveTest, DirectoryOffsetsOutsideTheFileFail)
{
    std::string archive = ReadFile(Fixture("plain.ssk"));
    for (uint32_t offset : {0xFFFFFFF0u, uint32_t(archive.size() - 22), 1u}) {
        SCOPED_TRACE(offset);
        std::string patched = archive;
        Put32(patched, patched.size() - 22 + 16, offset);
        EXPECT_EQ(Extract(patched), skFailed);
        EXPECT_FALSE(Exists(out));
    }
    // A local header offset past the end: output was made, so the wrong size refuses it.
    Put32(archive, CentralDirectory(archive) + 42, 0x7FFFFFFF);
    EXPECT_EQ(Extract(archive), skRefused);
    EXPECT_FALSE(Exists(out));
}

TEST(SkinArchiveStreamTest, StreamsGiveTheSameResultsAsFiles)
{
    for (const char* fixture : {"plain.ssk", "extra.ssk", "encrypted.ssk", "comment.ssk"}) {
        SCOPED_TRACE(fixture);
        TMemoryStream archive;
        archive.LoadFromFile(Fixture(fixture));
        TMemoryStream output;
        const uint8_t result = ExtractSkinEntry(archive, kMember, output, "secret");
        if (std::string(fixture) == "comment.ssk") {
            EXPECT_EQ(result, skFailed);
        } else {
            EXPECT_EQ(result, skExtracted);
            EXPECT_EQ(output.View(), Data());
        }
    }
}

TEST(SkinArchiveStreamTest, InflatingStopsAtTheRecordedSize)
{
    // 64 MiB of zeros packs into some 64 KiB; the archive claims 100 bytes.
    std::string archive = MakeArchive({{kMember, std::string(64u << 20, '\0')}});
    Put32(archive, CentralDirectory(archive) + 24, 100);
    TMemoryStream in;
    in.WriteBuffer(archive.data(), int64_t(archive.size()));
    TMemoryStream output;
    EXPECT_EQ(ExtractSkinEntry(in, kMember, output, ""), skRefused);
    EXPECT_LE(output.Size(), 100);
}
