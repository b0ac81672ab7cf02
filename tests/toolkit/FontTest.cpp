#include "toolkit/CanvasTestSupport.h"

#include "platform/freetype/FreeTypeFontEngine.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/graphics/SystemColors.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

TEST(Font, SizeAndHeightConvertAtNinetySixDotsPerInch)
{
    TFont font;
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(16);  // a cell height gives a negative size
    EXPECT_EQ(font.Size(), -12);
}

TEST(Font, ChangesNotifyOnceAndCopiesLeaveTheHandlerBehind)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&changes] { ++changes; };
    font.SetStyle(fsBold | fsUnderline);
    font.SetStyle(fsBold | fsUnderline);
    font.SetColor(clRed);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(font.HasStyle(fsBold));
    EXPECT_FALSE(font.HasStyle(fsItalic));

    TFont other;
    other.SetName("宋体");
    font.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(font, other);
    font.Assign(other);  // nothing differs: no notification
    EXPECT_EQ(changes, 3);

    const TFont copy = font;
    EXPECT_FALSE(copy.OnChange);
    EXPECT_EQ(copy, font);
    EXPECT_EQ(copy.Request().face, "宋体");
}

TEST(FontEngine, DecodesInvalidUtf8ByteByByte)
{
    EXPECT_EQ(DecodeUtf8("a\xE4\xB8\xAD"), U"a中");
    EXPECT_EQ(DecodeUtf8("\xE4\xB8"), U"\uFFFD\uFFFD");           // cut short
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
}

// Typed text from the desktop hosts goes through the same decoder: whatever an input method
// sends reaches the controls as characters.
TEST(FontEngine, DecodesEverySequenceLength)
{
    EXPECT_EQ(DecodeUtf8("a"), U"a");
    EXPECT_EQ(DecodeUtf8("\xC3\xA9"), U"\u00E9");
    EXPECT_EQ(DecodeUtf8("中文"), U"中文");
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80!"), U"\U0001F600!");
    EXPECT_EQ(DecodeUtf8("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");
    EXPECT_EQ(DecodeUtf8(""), U"");
}

TEST(FontEngine, EachMalformedByteBecomesOneReplacementCharacter)
{
    EXPECT_EQ(DecodeUtf8("\x80" "a"), U"\uFFFDa");                          // stray continuation
    EXPECT_EQ(DecodeUtf8("\xE4\xB8" "A"), U"\uFFFD\uFFFDA");                 // cut short by ASCII
    EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), U"\uFFFD\uFFFD\uFFFD");            // overlong, three bytes
    EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), U"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
    EXPECT_EQ(DecodeUtf8("\xFF"), U"\uFFFD");
}

TEST(FontEngine, KeepsEmbeddedNulsAsCharacters)
{
    EXPECT_EQ(DecodeUtf8(std::string_view("a\0b", 3)), std::u32string(U"a\0b", 3));
}

// The pinned fonts: these tests need the packages scripts/install-deps installs.
class PinnedFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { engine_ = std::make_shared<TFreeTypeFontEngine>(PinnedFontSet()); }
    static void TearDownTestSuite() { engine_.reset(); }

    void SetUp() override
    {
        ASSERT_EQ(engine_->LoadedFaceCount(), 3) << "run scripts/install-deps to install the pinned fonts";
        previous_ = InstalledFontEngine();
        SetFontEngine(engine_);
    }
    void TearDown() override { SetFontEngine(previous_); }

    static std::shared_ptr<TFreeTypeFontEngine> engine_;
    std::shared_ptr<FontEngine> previous_;
};

std::shared_ptr<TFreeTypeFontEngine> PinnedFonts::engine_;

TEST_F(PinnedFonts, DialogFontHasTheClassicMetrics)
{
    const TFontMetrics m = engine_->Metrics({"Tahoma", -11, false, false});
    EXPECT_EQ(m.ascent, 11);
    EXPECT_EQ(m.descent, 2);
    EXPECT_EQ(m.internalLeading, 2);
    EXPECT_EQ(m.averageCharWidth, 5);
    TCanvas canvas;
    EXPECT_EQ(canvas.TextHeight("W"), 13);
    EXPECT_EQ(canvas.TextWidth("W"), engine_->Advances({"Tahoma", -11, false, false}, "W")[0]);
}

TEST_F(PinnedFonts, ChineseComesFromTheFallbackFaceAtFullWidth)
{
    const std::vector<int> advances = engine_->Advances({"Tahoma", -11, false, false}, "a中文\t");
    ASSERT_EQ(advances.size(), 4u);
    EXPECT_EQ(advances[1], 12);  // the 12-pixel strike
    EXPECT_EQ(advances[2], 12);
    EXPECT_EQ(advances[3], 0);   // control characters take no room
    const TTextRun run = engine_->Render({"Tahoma", -11, false, false}, "中");
    EXPECT_EQ(run.advance, 12);
    EXPECT_GT(run.mask.width, 8);
    // A strike is drawn without grey: every pixel is fully on or off.
    for (uint8_t c : run.mask.coverage)
        EXPECT_TRUE(c == 0 || c == 255);
}

TEST_F(PinnedFonts, NamesAreMatchedAmongThePinnedFacesOnly)
{
    const auto render = [](const std::string& face, bool bold) {
        return engine_->Render({face, -11, bold, false}, "Merrowin").mask.coverage;
    };
    EXPECT_EQ(render("tahoma", false), render("Tahoma", false));
    EXPECT_EQ(render("No Such Face", false), render("Tahoma", false));
    EXPECT_EQ(render("No Such Face", true), render("Tahoma", true));
    EXPECT_NE(render("Tahoma", true), render("Tahoma", false));
}

TEST_F(PinnedFonts, OtherSizesAndStylesStillRender)
{
    for (int height : {-8, -11, -12, -16, -24, 13}) {
        const TTextRun run = engine_->Render({"Tahoma", height, false, true}, "Ag中");
        EXPECT_GT(run.advance, 0) << height;
        EXPECT_EQ(run.mask.coverage.size(), size_t(run.mask.width) * size_t(run.mask.height));
    }
}

TEST(FontEngine, MissingFontFilesGiveBoxesNotFailures)
{
    TFreeTypeFontEngine engine(TFontSet{{{"/nonexistent/font.ttf", 0}}, {{"/nonexistent/cjk.ttc", 0}}});
    EXPECT_EQ(engine.LoadedFaceCount(), 0);
    const TTextRun run = engine.Render({"Tahoma", -11, false, false}, "ab");
    EXPECT_GT(run.advance, 0);
    EXPECT_GT(engine.Metrics({"Tahoma", -11, false, false}).Height(), 0);
}

namespace {

std::filesystem::path GoldenFolder() { return std::filesystem::path(__FILE__).parent_path().parent_path() / "golden"; }

// The wizard's text: white on the form colour and black on the button face, normal and bold.
TBitmap TextSample()
{
    TBitmap bitmap(360, 84);
    TCanvas canvas(bitmap);
    canvas.Brush().SetColor(TColor(0x515151));
    canvas.FillRect(TRect(0, 0, 360, 42));
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(TRect(0, 42, 360, 84));
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const char* lines[] = {"Didar Ediziveda Merrowin 安装向导 - 我接受许可协议", "下一步(N) > 取消 完成 墙纸 Setup 1.0 gjpqy"};
    for (int block = 0; block < 2; ++block) {
        canvas.Font().SetColor(block == 0 ? clWhite : clBlack);
        for (int style = 0; style < 2; ++style) {
            canvas.Font().SetStyle(style == 0 ? 0u : TFontStyles(fsBold));
            canvas.TextOut(4, block * 42 + 4 + style * 17, lines[style]);
        }
    }
    return bitmap;
}

} // namespace

TEST_F(PinnedFonts, TextSampleMatchesTheGoldenPicture)
{
    const TBitmap sample = TextSample();
    const std::string golden = (GoldenFolder() / "text-tahoma-11.png").string();
    if (std::getenv("MERROWIN_UPDATE_GOLDEN")) {
        SavePngToFile(sample, golden);
        GTEST_SKIP() << "wrote " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing; MERROWIN_UPDATE_GOLDEN=1 writes it";
    TBitmap expected;
    ASSERT_TRUE(LoadPngFromFile(golden, expected));
    ASSERT_EQ(expected.Width(), sample.Width());
    ASSERT_EQ(expected.Height(), sample.Height());
    int differing = 0;
    for (int y = 0; y < sample.Height(); ++y)
        for (int x = 0; x < sample.Width(); ++x)
            differing += sample.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(differing, 0);
}
