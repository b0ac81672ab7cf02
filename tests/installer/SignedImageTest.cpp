#include "PeBytes.h"
#include "installer/payload/ContainerWriter.h"
#include "installer/payload/DecompileStream.h"
#include "installer/payload/SignedImage.h"

#include <gtest/gtest.h>

namespace {

const std::string kMovie = "FWS movie movie movie movie movie movie";
const std::string kText = "1\r\nTitle\r\n";

std::string InstallerFrom(const std::string& stub)
{
    TMemoryStream out;
    TContainerWriter writer(out);
    writer.AddRaw(stub);
    writer.AddPacked(kMovie);
    writer.AddPacked(kText);
    writer.Finish();
    return std::string(out.View());
}

int64_t EndOf(const std::string& file)
{
    return ContainerEnd(reinterpret_cast<const uint8_t*>(file.data()), static_cast<int64_t>(file.size()));
}

std::optional<TCertificateTable> TableOf(const std::string& file)
{
    // A copy of exactly the given size, so that a read past it is a sanitizer's finding.
    std::vector<uint8_t> bytes(file.begin(), file.end());
    return FindCertificateTable(bytes.data(), static_cast<int64_t>(bytes.size()));
}

} // namespace

TEST(SignedImage, SignedInstallersOfBothWidthsReadAsBeforeSigningWhateverThePadding)
{
    for (bool wide : {true, false}) {
        PeLayout layout;
        layout.wide = wide;
        // Stubs of eight successive lengths make the signing tool pad with 0 to 7 zero bytes.
        for (size_t extra = 0; extra < 8; ++extra) {
            const std::string stub = PeImage(layout) + std::string(extra, '\x01');
            const std::string installer = InstallerFrom(stub);
            const std::string file = Signed(installer, layout);
            SCOPED_TRACE("PE32+ " + std::to_string(wide) + ", padding " + std::to_string(file.size() - 1200 - installer.size()));
            EXPECT_EQ(EndOf(file), static_cast<int64_t>(installer.size()));

            TMemoryStream stream;
            Fill(stream, file);
            TDecompileStream container;
            container.Decompile(stream);
            ASSERT_EQ(container.Count(), 3);
            EXPECT_EQ(container.StoredSize(0), static_cast<int32_t>(stub.size()));
            EXPECT_EQ(container.GetStream(1, true)->View(), kMovie);
            EXPECT_EQ(container.GetStream(2, true)->View(), kText);
            // The stub comes back as signed: the signing tool wrote the table's place into it.
            EXPECT_EQ(container.GetStream(0, false)->View(), file.substr(0, stub.size()));
        }
    }
}

TEST(SignedImage, FindsTheTableAndTheImageEndInBothHeaderWidths)
{
    for (bool wide : {true, false}) {
        PeLayout layout;
        layout.wide = wide;
        layout.sections = {{0x400, 0x300}, {0x200, 0x100}, {0x900, 0}}; // not in file order; one empty
        std::string image = PeImage(layout);
        SetSecurityDirectory(image, layout, 0x1234, 0x56);
        const auto table = TableOf(image);
        ASSERT_TRUE(table);
        EXPECT_EQ(table->offset, 0x1234);
        EXPECT_EQ(table->size, 0x56);
        EXPECT_EQ(table->imageEnd, 0x700);
    }
}

TEST(SignedImage, EveryOtherFileIsReadToItsEnd)
{
    PeLayout layout;
    const std::string installer = InstallerFrom(PeImage(layout));
    EXPECT_FALSE(TableOf(installer)) << "an unsigned image has an empty security directory";
    EXPECT_EQ(EndOf(installer), static_cast<int64_t>(installer.size()));
    EXPECT_EQ(EndOf(InstallerFrom("MZ not a PE image")), static_cast<int64_t>(InstallerFrom("MZ not a PE image").size()));

    std::string file = Signed(installer, layout);
    const std::string signedFile = file;
    const auto table = TableOf(file);
    ASSERT_TRUE(table);

    file = signedFile + "tail";
    EXPECT_EQ(EndOf(file), static_cast<int64_t>(file.size())) << "a table that does not end the file";
    file = installer + signedFile.substr(static_cast<size_t>(table->offset));
    SetSecurityDirectory(file, layout, static_cast<uint32_t>(installer.size()), static_cast<uint32_t>(table->size));
    EXPECT_EQ(EndOf(file), static_cast<int64_t>(installer.size())) << "a table right after the count, unpadded";
    file = signedFile;
    SetSecurityDirectory(file, layout, 0x700, static_cast<uint32_t>(file.size() - 0x700));
    EXPECT_EQ(EndOf(file), static_cast<int64_t>(file.size())) << "a table inside the last section";
    file = signedFile;
    SetSecurityDirectory(file, layout, 0xFFFFFFF0u, 0x20);
    EXPECT_EQ(EndOf(file), static_cast<int64_t>(file.size())) << "a table past the end";
    file = signedFile;
    SetSecurityDirectory(file, layout, 0, static_cast<uint32_t>(file.size()));
    EXPECT_EQ(EndOf(file), static_cast<int64_t>(file.size())) << "a table over the whole file";
}

TEST(SignedImage, ASignedStubWithoutPayloadEndsWhereItsTableBegins)
{
    PeLayout layout;
    const std::string stub = PeImage(layout) + "\x01\x02\x03"; // padded with 5 zeros when signed
    const std::string file = Signed(stub, layout);
    EXPECT_EQ(EndOf(file), static_cast<int64_t>((stub.size() + 7) / 8 * 8));
}

TEST(SignedImage, HeadersThatDoNotHoldTogetherAreNoImage)
{
    PeLayout layout;
    std::string image = PeImage(layout);
    SetSecurityDirectory(image, layout, 0x800, 0x10);
    ASSERT_TRUE(TableOf(image));
    const size_t headersEnd = OptionalHeaderOffset(layout) + 112 + 16 * 8 + 2 * 40;
    for (size_t cut = 0; cut < headersEnd; ++cut)
        EXPECT_FALSE(TableOf(image.substr(0, cut))) << "headers cut at " << cut;

    auto without = [&](size_t offset, uint32_t value, int bytes) {
        std::string changed = image;
        PutAt(changed, offset, value, bytes);
        return TableOf(changed).has_value();
    };
    EXPECT_FALSE(without(0, 'Z' | 'M' << 8, 2)) << "no MZ";
    EXPECT_FALSE(without(0x3C, 0xFFFFFFFCu, 4)) << "e_lfanew far past the end";
    EXPECT_FALSE(without(0x3C, static_cast<uint32_t>(image.size() - 2), 4)) << "e_lfanew at the last bytes";
    EXPECT_FALSE(without(layout.lfanew, 0x00004551, 4)) << "no PE signature";
    EXPECT_FALSE(without(OptionalHeaderOffset(layout), 0x107, 2)) << "an unknown optional header";
    EXPECT_FALSE(without(OptionalHeaderOffset(layout) + 108, 4, 4)) << "no security directory among four";
    EXPECT_FALSE(without(layout.lfanew + 4 + 16, 112 + 4 * 8, 2)) << "an optional header too short for it";
    EXPECT_FALSE(without(layout.lfanew + 4 + 16, 0xFFFF, 2)) << "an optional header past the end";
    EXPECT_FALSE(without(layout.lfanew + 4 + 2, 0xFFFF, 2)) << "a section table past the end";
}
