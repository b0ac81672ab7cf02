// A small form shown through the SDL window host, for tests/desktop/sdl_window.sh to look at
// and drive from outside under Xvfb:
//   sdl_probe expect OUT.png
//       renders the form on the headless host and writes it as the picture the screen must
//       show; prints "window LEFT TOP WIDTH HEIGHT"
//   sdl_probe show LOG [box-first]
//       shows the form through the SDL host and appends what happens to LOG, one line each:
//       "workarea L T R B", "clipboard yes|no", "ready", "timer MS", "activate", "deactivate",
//       "click LEFT TOP CURSORX CURSORY", "key VK", "char N", "box RESULT" (F2 opens a message
//       box; box-first opens one as soon as the form is shown), "close", "done"; exits 0 when the
//       form was closed, 2 when the host cannot open
//   sdl_probe compare EXPECTED.png BEFORE.rgb AFTER.rgb SCREENW SCREENH LEFT TOP
//       checks a screenshot (raw 8-bit RGB, as ImageMagick's import writes it) against the
//       expected picture placed at LEFT, TOP: inside the window's shape every pixel must be the
//       expected one, outside it the screen must be what it was before the window came
#include "platform/DesktopHost.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"
#include "toolkit/application/Application.h"
#include "toolkit/application/Timer.h"
#include "toolkit/controls/Button.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/graphics/Region.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/messages/Messages.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kLayout = R"(
object ProbeForm: TForm
  Left = 120
  Top = 90
  BorderStyle = bsSingle
  Caption = 'SDL 探针 probe'
  ClientWidth = 300
  ClientHeight = 140
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  KeyPreview = True
  object Greeting: TLabel
    Left = 12
    Top = 12
    Caption = '你好, Merrowin! The quick brown fox.'
  end
  object Ok: TButton
    Left = 110
    Top = 96
    Width = 80
    Height = 25
    Caption = '&OK'
    Default = True
    TabOrder = 0
  end
end
)";

// The form's window minus a staircase triangle at the bottom-left corner, 16 rows high: row i
// from the bottom loses 16 - i pixels.
TRegion CutCorner(int width, int height)
{
    TRegion region(TRect(0, 0, width, height));
    for (int i = 0; i < 16; ++i)
        region = region.Subtract(TRegion(TRect(0, height - 1 - i, 16 - i, height - i)));
    return region;
}

// A 16 x 16 icon: a green square with a yellow diagonal, so that the caption shows it.
TBitmap Icon()
{
    TBitmap icon(16, 16);
    icon.SetPixelFormat(TPixelFormat::pf32bit);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            icon.Bits()[y * 16 + x] = (x == y || x + 1 == y) ? 0xFFFFD000u : 0xFF209040u;
    return icon;
}

TForm* BuildForm(TApplication& app)
{
    auto* form = app.CreateForm<TForm>();
    ReadLayout(*form, kLayout);
    TRegion shape = CutCorner(form->Width(), form->Height());
    form->SetWindowRgn(&shape, true);
    form->Icon().Assign(Icon());
    return form;
}

bool UsePinnedFonts()
{
    auto engine = std::make_shared<TFreeTypeFontEngine>(PinnedFontSet());
    if (engine->LoadedFaceCount() != 3) {
        std::fprintf(stderr, "sdl_probe: the pinned fonts are missing (scripts/install-deps installs them)\n");
        return false;
    }
    SetFontEngine(engine);
    return true;
}

int Expect(const std::string& out)
{
    auto host = std::make_unique<HeadlessHost>();
    HeadlessHost* headless = host.get();
    TApplication app(std::move(host));
    TForm* form = BuildForm(app);
    form->Show();
    app.ProcessMessages();
    if (!headless->SaveShot(out)) {
        std::fprintf(stderr, "sdl_probe: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("window %d %d %d %d\n", form->Left(), form->Top(), form->Width(), form->Height());
    return 0;
}

class Log {
public:
    explicit Log(const std::string& file) : out_(file, std::ios::app) {}
    void Line(const std::string& text)
    {
        out_ << text << '\n';
        out_.flush();
    }
    bool Good() const { return out_.good(); }

private:
    std::ofstream out_;
};

int Show(const std::string& logFile, bool boxFirst)
{
    std::string why;
    std::unique_ptr<WindowHost> host = OpenDesktopHost(why);
    if (!host) {
        std::fprintf(stderr, "sdl_probe: no desktop host: %s\n", why.c_str());
        return 2;
    }
    Log log(logFile);
    if (!log.Good())
        return 1;
    TApplication app(std::move(host));
    TForm* form = BuildForm(app);
    app.SetMainForm(form);
    auto* ok = form->Find<TButton>("Ok");
    ok->OnClick = [&](TObject*) {
        HostPoint cursor = app.Host().CursorPos();
        log.Line("click " + std::to_string(form->Left()) + " " + std::to_string(form->Top()) + " " +
                 std::to_string(cursor.x) + " " + std::to_string(cursor.y));
    };
    form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        log.Line("key " + std::to_string(key));
        if (key == 0x71)  // F2
            log.Line("box " + std::to_string(app.MessageBox("盒子 box", "Probe box", MB_OK)));
    };
    form->OnActivate = [&](TObject*) { log.Line("activate"); };
    form->OnDeactivate = [&](TObject*) { log.Line("deactivate"); };
    form->OnKeyPress = [&](TObject*, char32_t& key) { log.Line("char " + std::to_string(static_cast<uint32_t>(key))); };
    form->OnClose = [&](TObject*, TCloseAction&) { log.Line("close"); };

    auto* timer = new TTimer(form);
    const uint64_t started = app.Now();
    timer->SetInterval(150);
    timer->SetOnTimer([&](TObject*) {
        timer->SetEnabled(false);
        log.Line("timer " + std::to_string(app.Now() - started));
    });

    form->Show();
    // A box at once, while the display still reports the form's own activation.
    if (boxFirst)
        log.Line("box " + std::to_string(app.MessageBox("盒子 box", "Probe box", MB_OK)));
    app.ProcessMessages();
    HostRect work = app.Host().WorkArea({form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height()});
    log.Line("workarea " + std::to_string(work.left) + " " + std::to_string(work.top) + " " + std::to_string(work.right) +
             " " + std::to_string(work.bottom));
    log.Line(std::string("clipboard ") + (app.Host().SetClipboardText("merrowin") ? "yes" : "no"));
    log.Line("ready");
    app.Run();
    log.Line("done");
    return 0;
}

bool ReadFile(const std::string& name, std::vector<unsigned char>& bytes)
{
    std::ifstream in(name, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int Compare(char** args)
{
    TBitmap expected;
    std::vector<unsigned char> before, after;
    if (!LoadPngFromFile(args[0], expected) || !ReadFile(args[1], before) || !ReadFile(args[2], after)) {
        std::fprintf(stderr, "sdl_probe: cannot read the pictures\n");
        return 1;
    }
    const int screenW = std::atoi(args[3]), screenH = std::atoi(args[4]);
    const int left = std::atoi(args[5]), top = std::atoi(args[6]);
    const size_t screenBytes = static_cast<size_t>(screenW) * static_cast<size_t>(screenH) * 3;
    if (screenW <= 0 || screenH <= 0 || before.size() != screenBytes || after.size() != screenBytes) {
        std::fprintf(stderr, "sdl_probe: the screenshots are not %dx%d RGB\n", screenW, screenH);
        return 1;
    }
    long inside = 0, outside = 0, wrong = 0;
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) {
            const int sx = left + x, sy = top + y;
            if (sx < 0 || sy < 0 || sx >= screenW || sy >= screenH)
                continue;
            const size_t at = (static_cast<size_t>(sy) * static_cast<size_t>(screenW) + static_cast<size_t>(sx)) * 3;
            const uint32_t want = expected.Bits()[y * expected.Width() + x];
            const bool inShape = (want >> 24) != 0;
            const unsigned char* ref = inShape ? nullptr : &before[at];
            const unsigned char rgb[3] = {static_cast<unsigned char>(want >> 16), static_cast<unsigned char>(want >> 8),
                                          static_cast<unsigned char>(want)};
            const unsigned char* wanted = inShape ? rgb : ref;
            (inShape ? inside : outside)++;
            if (after[at] == wanted[0] && after[at + 1] == wanted[1] && after[at + 2] == wanted[2])
                continue;
            if (++wrong <= 10)
                std::printf("pixel %d,%d (%s): screen %02x%02x%02x, expected %02x%02x%02x\n", x, y,
                            inShape ? "window" : "outside the shape", after[at], after[at + 1], after[at + 2], wanted[0],
                            wanted[1], wanted[2]);
        }
    std::printf("compared %ld window pixels and %ld outside the shape: %ld differ\n", inside, outside, wrong);
    return wrong == 0 && inside > 0 && outside > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "compare" && argc == 9)
        return Compare(argv + 2);
    const bool boxFirst = argc == 4 && std::string(argv[3]) == "box-first";
    if ((mode == "expect" && argc == 3) || (mode == "show" && (argc == 3 || boxFirst))) {
        if (!UsePinnedFonts())
            return 1;
        return mode == "expect" ? Expect(argv[2]) : Show(argv[2], boxFirst);
    }
    std::fprintf(stderr, "usage: sdl_probe expect OUT.png | show LOG [box-first] | compare EXPECTED.png BEFORE.rgb AFTER.rgb W H X Y\n");
    return 2;
}
