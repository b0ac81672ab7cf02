// The sample form rendered by the headless host, compared pixel for pixel with a reviewed
// picture (regenerate with MERROWIN_UPDATE_GOLDEN=1 and look at it before committing).
#include "ToolkitTestSupport.h"
#include "support/Golden.h"

#include "platform/freetype/FreeTypeFontEngine.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/layout/LayoutReader.h"

#include <cstdio>
#include <filesystem>

namespace {

// A dialog of the wizard's size: a wrapped Chinese heading, a page control whose tabs are all
// hidden, and on its first page a memo with both scroll bars and more text than fits.
const char* const kSampleLayout = R"(
object SampleForm: TForm
  BorderStyle = bsDialog
  Caption = '示例窗口 Sample'
  ClientWidth = 467
  ClientHeight = 397
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  object Heading: TLabel
    Left = 8
    Top = 8
    Width = 451
    Height = 33
    AutoSize = False
    WordWrap = True
    Font.Style = [fsBold]
    Caption = '欢迎使用 Flash 墙纸安装程序。下面将要安装墙纸到系统中并设置为默认墙纸。'
  end
  object Pages: TPageControl
    Left = 0
    Top = 48
    Width = 467
    Height = 349
    Style = tsFlatButtons
    TabStop = False
    ActivePage = First
    object First: TTabSheet
      TabVisible = False
      object Hint: TLabel
        Left = 8
        Top = 4
        Caption = '请阅读下面的许可协议:'
        Transparent = True
      end
      object Licence: TMemo
        Left = 8
        Top = 24
        Width = 451
        Height = 200
        ReadOnly = True
        ScrollBars = ssBoth
        WordWrap = False
      end
    end
    object Second: TTabSheet
      TabVisible = False
    end
  end
end
)";

std::string LicenceText()
{
    std::string text;
    const char* lines[] = {
        "最终用户许可协议",
        "",
        "请仔细阅读以下条款。安装、复制或以其他方式使用本软件,即表示您同意受本协议条款的约束。",
        "1. 许可授予:在遵守本协议各项条款的前提下,您可以在一台计算机上安装和使用本软件的一份副本。",
        "2. 限制:您不得对本软件进行反向工程、反编译或反汇编,法律明确允许的范围除外。",
        "3. 版权:本软件受著作权法和国际条约的保护,所有权利均予保留。",
        "4. 免责声明:本软件按“现状”提供,不附带任何明示或暗示的保证。",
        "5. 终止:如果您未能遵守本协议的条款,本许可将自动终止。",
        "The quick brown fox jumps over the lazy dog. 0123456789",
    };
    for (int round = 0; round < 3; ++round)
        for (const char* line : lines)
            text += std::string(line) + "\r\n";
    return text;
}

}  // namespace

TEST_F(ToolkitTest, SampleFormMatchesTheGoldenPicture)
{
    auto engine = std::make_shared<TFreeTypeFontEngine>(PinnedFontSet());
    ASSERT_EQ(engine->LoadedFaceCount(), 3) << "run scripts/install-deps to install the pinned fonts";
    SetFontEngine(engine);

    auto* form = app_->CreateForm<TForm>();
    ReadLayout(*form, kSampleLayout);
    form->Find<TMemo>("Licence")->SetText(LicenceText());
    form->SetPosition(poScreenCenter);
    form->Show();
    app_->ProcessMessages();

    const std::string shot = (std::filesystem::temp_directory_path() / "merrowin-sample-form.png").string();
    ASSERT_TRUE(host_->RunCommand("shot " + shot));
    TBitmap actual;
    ASSERT_TRUE(LoadPngFromFile(shot, actual));
    std::remove(shot.c_str());
    EXPECT_EQ(actual.Width(), 467 + 6);
    EXPECT_EQ(actual.Height(), 397 + 6 + 19);

    ExpectGolden(actual, "sample-form.png");
}
