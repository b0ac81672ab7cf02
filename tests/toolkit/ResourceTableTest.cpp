#include "toolkit/resources/ResourceTable.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

// A gzip member of the text, as the build packs a resource file.
std::vector<unsigned char> GzipMember(const std::string& text)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::vector<unsigned char> packed(deflateBound(&stream, text.size()) + 32);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::vector<unsigned char> Damaged(std::vector<unsigned char> member, size_t at)
{
    member[at] ^= 0x55;
    return member;
}

std::vector<unsigned char> Trailing(std::vector<unsigned char> member)
{
    member.push_back(0);
    return member;
}

}  // namespace

// The tables are static here as the build's own are: what a table unpacks belongs to its entries
// for the rest of the program.
TEST(ResourceTable, EntriesUnpackOnceAndMatchAnyCase)
{
    static const std::string text(5000, 'x');
    static const std::vector<unsigned char> member = GzipMember(text);
    ASSERT_LT(member.size(), text.size());
    static const TResourceEntry entries[] = {{"ALPHA", member.data(), member.size(), text.size()}};
    const TResourceTable table(entries, 1);
    const std::optional<std::string_view> first = table.Find("alpha");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, text);
    // A copy of the table hands out the very same bytes: nothing is unpacked twice.
    const std::optional<std::string_view> again = TResourceTable(entries, 1).Find("ALPHA");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->data(), first->data());
    EXPECT_FALSE(table.Find("ALPH"));
    EXPECT_FALSE(table.Find("ALPHAS"));
}

TEST(ResourceTable, AnEntryThatDoesNotUnpackToItsLengthIsMissing)
{
    static const std::string text = "the bytes of a file, packed";
    static const std::vector<unsigned char> member = GzipMember(text);
    static const std::vector<unsigned char> damaged = Damaged(member, member.size() / 2);
    static const std::vector<unsigned char> badSum = Damaged(member, member.size() - 6);  // the trailer's check sum
    static const std::vector<unsigned char> trailing = Trailing(member);
    static const TResourceEntry entries[] = {
        {"BADSUM", badSum.data(), badSum.size(), text.size()},
        {"CUT", member.data(), member.size() - 4, text.size()},
        {"DAMAGED", damaged.data(), damaged.size(), text.size()},
        {"LONGER", member.data(), member.size(), text.size() + 1},
        {"SHORTER", member.data(), member.size(), text.size() - 1},
        {"TRAILING", trailing.data(), trailing.size(), text.size()},
        {"WHOLE", member.data(), member.size(), text.size()},
    };
    const TResourceTable table(entries, std::size(entries));
    for (const char* name : {"BADSUM", "CUT", "DAMAGED", "LONGER", "SHORTER", "TRAILING"})
        EXPECT_FALSE(table.Find(name)) << name;
    ASSERT_TRUE(table.Find("WHOLE"));
    EXPECT_EQ(*table.Find("WHOLE"), text);
}
