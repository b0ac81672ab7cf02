#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/streams/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>* gLog = nullptr;

void Log(const std::string& line)
{
    if (gLog)
        gLog->push_back(line);
}

// Records its creation, every setter and its end of loading, as a skinned control would see them.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* owner) : TComponent(owner) { Log("create"); }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(
            "TProbe", &TComponent::StaticClassInfo(), [](TComponent* owner) { return new TProbe(owner); },
            [](TClassInfo& c) {
                TPublisher<TProbe>(c)
                    .Integer("Style", [](const TProbe& p) { return p.style; },
                             [](TProbe& p, int v) {
                                 p.style = v;
                                 Log(p.Name() + ".Style=" + std::to_string(v) + (p.IsLoading() ? " loading" : ""));
                             })
                    .Component<TProbe>("Theme", [](const TProbe& p) { return p.theme; },
                                       [](TProbe& p, TProbe* v) {
                                           p.theme = v;
                                           Log(p.Name() + ".Theme=" + (v ? v->Name() : "nil"));
                                       })
                    .Binary("SkinData", nullptr, [](TProbe& p, const std::string& v) {
                        p.data = v;
                        Log(p.Name() + ".SkinData=" + std::to_string(v.size()));
                    })
                    .Picture("Picture", nullptr, [](TProbe& p, const TPictureValue& v) { p.picture = v; })
                    .Collection("Items", nullptr, [](TProbe& p, const TPropertyValue::Items& v) { p.items = v; })
                    .Event<TNotifyEvent>("OnPing", [](TProbe& p, const TNotifyEvent& e) { p.onPing = e; });
            });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void SetName(const std::string& name) override
    {
        TComponent::SetName(name);
        Log("name " + name);
    }
    void Loaded() override
    {
        TComponent::Loaded();
        Log(Name() + " loaded");
    }

    int style = 0;
    TProbe* theme = nullptr;
    std::string data;
    TPictureValue picture;
    TPropertyValue::Items items;
    TNotifyEvent onPing;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove && component == theme)
            theme = nullptr;
    }
};

class LayoutReader : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterClass(TProbe::StaticClassInfo());
        gLog = &log;
    }
    void TearDown() override { gLog = nullptr; }
    std::vector<std::string> log;
};

std::string PngOf(int width, int height, TColor color)
{
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, color);
    TMemoryStream stream;
    WritePng(bitmap, stream);
    return std::string(stream.View());
}

}  // namespace

// The order a window's creation relies on: components in stored order with their values set at
// once, references to components stored later only after the whole layout, then Loaded.
TEST_F(LayoutReader, ReferencesAreResolvedAfterTheWholeLayoutThenLoaded)
{
    TProbe root(nullptr);
    TMemoryResourceLocator resources;
    resources.Add("skin.ssk", std::string(29, 'x'));
    ReadLayout(root, R"(
object Root: TProbe
  object Button: TProbe
    Style = 3
    Theme = Skin
    Style = 0
  end
  object Skin: TProbe
    Style = 1
    SkinData = {skin.ssk}
  end
  object Manager: TProbe
    Theme = Skin
  end
end)", &resources);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "create", "name Root",
                       "create", "name Button", "Button.Style=3 loading", "Button.Style=0 loading",
                       "create", "name Skin", "Skin.Style=1 loading", "Skin.SkinData=29",
                       "create", "name Manager",
                       "Button.Theme=Skin", "Manager.Theme=Skin",
                       "Root loaded", "Button loaded", "Skin loaded", "Manager loaded"}));
    EXPECT_FALSE(root.Find<TProbe>("Button")->IsLoading());
    EXPECT_EQ(root.Find<TProbe>("Manager")->theme, root.FindComponent("Skin"));
}

TEST_F(LayoutReader, ControlsNestInTheirEnclosingObjectsAndTakeTheirValues)
{
    TForm form(nullptr);
    ReadLayout(form, R"(
object Form1: TForm
  BorderStyle = bsDialog
  ClientWidth = 300
  ClientHeight = 200
  Caption = '标题 ''quoted'''#13#10 +
    'second line'
  object Pages: TPageControl
    Align = alClient
    Style = tsFlatButtons
    ActivePage = Sheet2
    object Sheet1: TTabSheet
      TabVisible = False
    end
    object Sheet2: TTabSheet
      TabVisible = False
      object Note: TLabel
        Left = 8
        Top = 16
        Anchors = [akLeft, akTop, akRight]
        Font.Style = [fsBold, fsItalic]
        Font.Charset = GB2312_CHARSET
        Font.Color = $00515151
        Caption = 'Hello'
      end
      object Text: TMemo
        ScrollBars = ssBoth
        Lines.Strings = (
          'one'
          '二')
      end
    end
  end
end)");
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.Caption(), "标题 'quoted'\r\nsecond line");
    auto* pages = form.Find<TPageControl>("Pages");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->Parent(), &form);
    EXPECT_EQ(pages->Width(), 300);  // aligned after loading
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    auto* note = form.Find<TLabel>("Note");
    EXPECT_EQ(note->Parent(), form.FindComponent("Sheet2"));
    EXPECT_EQ(note->Owner(), &form);
    EXPECT_EQ(note->Font().Style(), unsigned(fsBold | fsItalic));
    EXPECT_EQ(note->Font().Charset(), GB2312_CHARSET);
    EXPECT_EQ(note->Font().Color(), 0x515151);
    EXPECT_EQ(form.Find<TMemo>("Text")->Lines(), (std::vector<std::string>{"one", "二"}));
}

TEST_F(LayoutReader, ResourcesAndCollectionsAndEvents)
{
    TProbe root(nullptr);
    int pings = 0;
    root.DefineHandler("RootPing", TNotifyEvent([&](TObject*) { ++pings; }));
    TMemoryResourceLocator resources;
    resources.Add("side.png", PngOf(3, 2, clRed));
    ReadLayout(root, R"(
object Root: TProbe
  Picture = {side.png}
  OnPing = RootPing
  Items = <
    item
      Align = suiLeft
      Width = 60
      Pic = {side.png}
    end
    item
      Caption = 'x'
    end>
end)", &resources);
    ASSERT_NE(root.picture, nullptr);
    EXPECT_EQ(root.picture->Width(), 3);
    EXPECT_EQ(root.picture->Pixel(0, 0), clRed);
    ASSERT_EQ(root.items.size(), 2u);
    EXPECT_EQ(root.items[0].Find("align")->AsString(), "suiLeft");
    EXPECT_EQ(root.items[0].Find("Width")->AsInteger(), 60);
    EXPECT_EQ(root.items[0].Find("Pic")->AsPicture()->Height(), 2);
    EXPECT_EQ(root.items[1].Find("Caption")->AsString(), "x");
    ASSERT_TRUE(root.onPing);
    root.onPing(&root);
    EXPECT_EQ(pings, 1);
}

TEST_F(LayoutReader, MistakesAreReportedWithTheirLine)
{
    TProbe root(nullptr);
    auto message = [&](const std::string& text) -> std::string {
        try {
            ReadLayout(root, text);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(message("object R: TProbe\n  Style = 'x\nend"), "第 2 行: 字符串未结束");
    EXPECT_EQ(message("object R: TProbe\n  Style 3\nend"), "第 2 行: 需要 '='");
    EXPECT_EQ(message("object R: TProbe\n  Style = 3\n"), "第 3 行: 需要 'end'");
    EXPECT_EQ(message("object R: TProbe\n  Style = 99999999999\nend"), "第 2 行: 数值超出范围");
    EXPECT_EQ(message("object R: TProbe\n  Bogus = 1\nend"), "属性 Bogus 不存在");
    EXPECT_EQ(message("object R: TProbe\n  object X: TUnknown\n  end\nend"), "类 TUnknown 未找到");
    EXPECT_EQ(message("object R: TProbe\n  SkinData = {missing.ssk}\nend"), "资源 missing.ssk 未找到");
    EXPECT_EQ(message("object R: TProbe\n  Theme = Nobody\nend"), "第 2 行: 未找到组件 Nobody");
    EXPECT_EQ(message("object R: TProbe\n  Style = True\nend"), "第 2 行: 无效的属性值 (Style)");
    EXPECT_EQ(message("object R: TProbe\n  OnPing = NoSuchHandler\nend"), "无效的属性值");
    EXPECT_EQ(message("object R: TForm\nend"), "类 TForm 未找到");
    EXPECT_FALSE(root.IsLoading());
}

TEST_F(LayoutReader, DeepNestingIsRefusedBeforeItHurts)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "object A" + std::to_string(i) + ": TProbe\n";
    for (int i = 0; i < 100; ++i)
        text += "end\n";
    EXPECT_THROW(TLayoutParser::Parse(text), EParserError);
    std::string items = "object R: TProbe\n Items = ";
    for (int i = 0; i < 100; ++i)
        items += "< item X = ";
    EXPECT_THROW(TLayoutParser::Parse(items), EParserError);
}

TEST_F(LayoutReader, NumbersFollowTheirNotation)
{
    TLayoutObject o = TLayoutParser::Parse("object R: T\n A = -2147483648\n B = $80000005\n C = #20013#25991\nend");
    EXPECT_EQ(o.properties[0].value.integer, -2147483648LL);
    EXPECT_EQ(o.properties[1].value.integer, static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(o.properties[2].value.text, "中文");
    EXPECT_THROW(TLayoutParser::Parse("object R: T\n A = 2147483648\nend"), EParserError);
    EXPECT_THROW(TLayoutParser::Parse("object R: T\n A = #55296\nend"), EParserError);  // a lone surrogate
}

TEST(FolderResourceLocator, ServesOnlyPlainNamesInsideItsFolder)
{
    TFolderResourceLocator locator("/tmp");
    EXPECT_FALSE(locator.Find("../etc/passwd"));
    EXPECT_FALSE(locator.Find("/etc/passwd"));
    EXPECT_FALSE(locator.Find("a\\b"));
    EXPECT_FALSE(locator.Find(".hidden"));
    EXPECT_FALSE(locator.Find("no-such-resource-here.bmp"));
}
