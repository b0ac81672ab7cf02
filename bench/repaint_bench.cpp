// A full repaint of a wizard-sized form (client 467 x 397): frame and caption, labels, a page
// control and a memo with both scroll bars full of Chinese text, through the toolkit's whole
// paint path (messages, clipping, every control). Next to it, in the same run, a plain memcpy
// of as many pixels as the window has: the least that presenting a frame costs.
#include "platform/FontEngine.h"
#include "platform/headless/HeadlessHost.h"
#include "toolkit/application/Application.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/layout/LayoutReader.h"

#include "FormRepaint.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const char* const kLayout = R"(
object BenchForm: TForm
  BorderStyle = bsDialog
  Caption = '安装程序'
  ClientWidth = 467
  ClientHeight = 397
  object Title: TLabel
    Left = 168
    Top = 8
    Width = 289
    Height = 33
    AutoSize = False
    WordWrap = True
    Font.Style = [fsBold]
    Caption = '欢迎使用 Flash 墙纸安装程序'
  end
  object Line1: TLabel
    Left = 168
    Top = 40
    Width = 289
    Height = 41
    AutoSize = False
    WordWrap = True
    Caption = '下面将要安装 Flash 墙纸到系统中并设置为默认墙纸. '
  end
  object Line2: TLabel
    Left = 168
    Top = 88
    Caption = '推荐先关闭其它非必要程序以确保安装成功.'
  end
  object Licence: TMemo
    Left = 8
    Top = 120
    Width = 451
    Height = 200
    ReadOnly = True
    ScrollBars = ssBoth
  end
end)";

struct Fixture {
    Fixture()
    {
        SetFontEngine(CreatePlatformFontEngine());
        app = std::make_unique<TApplication>(std::make_unique<HeadlessHost>());
        form = app->CreateForm<TForm>();
        ReadLayout(*form, kLayout);
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += "请仔细阅读以下条款。安装、复制或以其他方式使用本软件,即表示您同意受本协议条款的约束。\r\n";
        form->Find<TMemo>("Licence")->SetText(text);
        form->Show();
        app->ProcessMessages();
    }
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void BM_RepaintForm(benchmark::State& state)
{
    RepaintWhole(state, *Shared().form);
}
BENCHMARK(BM_RepaintForm)->Unit(benchmark::kMicrosecond);

// The baseline: copying the window's pixels once.
void BM_MemcpyWindowPixels(benchmark::State& state)
{
    CopyPixelsOnce(state, *Shared().form);
}
BENCHMARK(BM_MemcpyWindowPixels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
