// Opens a toolkit form through the Win32 window host with the GDI font engine and reports what
// happened, one UTF-8 line per fact on standard output ("name=value"). run_window_probe.sh runs
// it under Wine on a virtual X display, drives it with synthetic input and checks the lines, the
// screenshots and the file it leaves ("clicked.txt" in the current folder, once the button is
// clicked). Exit status: 0 after the button was clicked and its message box answered, 1 when the
// host cannot open, 2 when nobody clicked within the watchdog's time.
#include "platform/CommandLine.h"
#include "platform/DesktopHost.h"
#include "platform/FontEngine.h"
#include "toolkit/application/Application.h"
#include "toolkit/application/Timer.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Label.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/graphics/Region.h"

#include "WindowProbeLayout.h"

// Windows last: its macros would rename parts of the toolkit's headers.
#include "platform/win32/Win32Window.h"
#include <windows.h>
// <windows.h> renames MessageBox to its wide function, which would rename the toolkit's method.
#undef MessageBox

#include <cstdio>
#include <numeric>
#include <string>

namespace {

using namespace window_probe;

const char* const kTitle = "Merrowin window probe";
const char* const kLatinLine = "Merrowin window probe";
const char* const kChineseLine = "窗口探针：中文字形";
const char* const kClipboardText = "剪贴板 clipboard";
const char* const kQuestion = "按钮已按下，继续吗？";
const char* const kQuestionCaption = "Probe question";
constexpr uint32_t kWatchdogMs = 30000;

void Line(const std::string& name, const std::string& value)
{
    std::printf("%s=%s\n", name.c_str(), value.c_str());
    std::fflush(stdout);
}

std::string YesNo(bool value) { return value ? "yes" : "no"; }

int Covered(const TCoverageMask& mask)
{
    int count = 0;
    for (uint8_t c : mask.coverage)
        count += c >= 128 ? 1 : 0;
    return count;
}

// A missing-glyph box is hollow; 中 has a stroke through its middle.
bool CentreCovered(const TCoverageMask& mask)
{
    if (mask.width < 3 || mask.height < 3)
        return false;
    for (int x = mask.width / 2 - 1; x <= mask.width / 2 + 1; ++x)
        if (mask.At(x, mask.height / 2) >= 128)
            return true;
    return false;
}

void ProbeFonts(FontEngine& engine)
{
    const TFontRequest tahoma{"Tahoma", -11, false, false};
    const TFontMetrics m = engine.Metrics(tahoma);
    Line("font.ascent", std::to_string(m.ascent));
    Line("font.descent", std::to_string(m.descent));
    Line("font.internal", std::to_string(m.internalLeading));
    Line("font.average", std::to_string(m.averageCharWidth));
    Line("font.underline", std::to_string(m.underlinePosition) + "," + std::to_string(m.underlineThickness));
    Line("font.strikeout", std::to_string(m.strikeoutPosition) + "," + std::to_string(m.strikeoutThickness));
    Line("font.cell13", std::to_string(engine.Metrics({"Tahoma", 13, false, false}).Height()));

    const std::string mixed = std::string(kLatinLine) + " " + kChineseLine;
    const std::vector<int> advances = engine.Advances(tahoma, mixed);
    const TTextRun run = engine.Render(tahoma, mixed);
    Line("font.count", std::to_string(advances.size()));
    Line("font.run", YesNo(std::accumulate(advances.begin(), advances.end(), 0) == run.advance && run.advance > 0));
    Line("font.latin", std::to_string(Covered(engine.Render(tahoma, "M").mask)));

    const TTextRun zhong = engine.Render(tahoma, "中");
    const TTextRun wen = engine.Render(tahoma, "文");
    Line("font.cjk.advance", std::to_string(zhong.advance));
    Line("font.cjk.centre", YesNo(CentreCovered(zhong.mask)));
    Line("font.cjk.distinct", YesNo(zhong.mask.coverage != wen.mask.coverage && Covered(wen.mask) > 10));

    const TFontRequest bold{"Tahoma", -11, true, false};
    Line("font.bold.wider", YesNo(engine.Render(bold, kLatinLine).advance > engine.Render(tahoma, kLatinLine).advance));
    Line("font.control", std::to_string(engine.Advances(tahoma, "\t").at(0)));
    Line("font.invalid", std::to_string(engine.Advances(tahoma, "\xFF\xFE").size()));
}

std::string ReadClipboard()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "(cannot open)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (size > 1) {
                text.resize(static_cast<size_t>(size));
                WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
                text.pop_back();
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void ProbeHost(WindowHost& host)
{
    const HostRect work = host.WorkArea({kLeft, kTop, kLeft + kWidth, kTop + kHeight});
    Line("workarea", std::to_string(work.left) + "," + std::to_string(work.top) + "," + std::to_string(work.right) +
                         "," + std::to_string(work.bottom));
    // Wine's tick count follows the real clock in steps, later when the machine is busy.
    const uint64_t start = host.NowMs();
    host.Pause(200);
    const uint64_t paused = host.NowMs() - start;
    Line("pause", YesNo(paused >= 100 && paused < 5000));
    Line("clipboard.set", YesNo(host.SetClipboardText(kClipboardText)));
    Line("clipboard", ReadClipboard());
}

class ProbeForm {
public:
    explicit ProbeForm(TApplication& app) : app_(app), form_(app.CreateForm<TForm>())
    {
        form_->SetBorderStyle(bsDialog);
        form_->SetCaption(kTitle);
        form_->SetBounds(kLeft, kTop, kWidth, kHeight);
        form_->SetColor(TColor(kRed | kGreen << 8 | kBlue << 16));
        form_->Font().SetName("Tahoma");
        form_->Font().SetHeight(-11);
        form_->KeyPreviewValue = true;
        TRegion shape = TRegion::FromRect(TRect(0, 0, kWidth, kHeight))
                            .Subtract(TRegion::FromRect(TRect(kWidth - kCut, kHeight - kCut, kWidth, kHeight)));
        form_->SetWindowRgn(&shape, false);

        auto* label = new TLabel(form_);
        label->SetParent(form_);
        label->SetAutoSize(false);
        label->SetTransparent(true);
        label->SetBounds(kLabelLeft, kLabelTop, kLabelWidth, kLabelHeight);
        label->SetCaption(std::string(kLatinLine) + "\n" + kChineseLine);

        auto* button = new TButton(form_);
        button->SetParent(form_);
        button->SetBounds(kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight);
        button->SetCaption("按钮 Button");
        button->OnClick = [this](TObject*) { Clicked(); };

        form_->OnKeyPress = [](TObject*, char32_t& key) { Line("char", std::to_string(unsigned(key))); };
        form_->OnActivate = [](TObject*) { Line("activated", "yes"); };

        // Once the form has been painted and presented, the script may take its picture.
        ready_ = new TTimer(form_);
        ready_->SetInterval(300);
        ready_->SetOnTimer([this](TObject*) {
            ready_->SetEnabled(false);
            Line("ready", std::to_string(form_->Left()) + "," + std::to_string(form_->Top()));
        });
        auto* watchdog = new TTimer(form_);
        watchdog->SetInterval(kWatchdogMs);
        watchdog->SetOnTimer([this](TObject*) {
            Line("timeout", "yes");
            status_ = 2;
            app_.Terminate();
        });
    }

    int Status() const { return status_; }

private:
    void Clicked()
    {
        const HostPoint cursor = app_.Host().CursorPos();
        Line("clicked", std::to_string(cursor.x) + "," + std::to_string(cursor.y));
        Line("form", std::to_string(form_->Left()) + "," + std::to_string(form_->Top()));
        if (FILE* marker = std::fopen("clicked.txt", "wb")) {
            std::fputs("clicked\n", marker);
            std::fclose(marker);
        }
        CheckIcon();
        MinimiseAndRestore();
        const int answer = app_.MessageBox(kQuestion, kQuestionCaption, MB_YESNO | MB_ICONQUESTION);
        Line("answer", std::to_string(answer));
        status_ = 0;
        form_->Close();
    }

    // A picture for the taskbar: the window then carries an icon of its own, not the class's.
    void CheckIcon()
    {
        HWND window = static_cast<Win32Window*>(form_->Host())->Handle();
        TBitmap picture(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                picture.ScanLine(y)[x] = (x + y) % 4 ? 0xFF336699u : 0x00000000u;
        form_->Icon().Assign(picture);
        const auto big = SendMessageW(window, WM_GETICON, ICON_BIG, 0);
        const auto small = SendMessageW(window, WM_GETICON, ICON_SMALL, 0);
        Line("icon", YesNo(big != 0 && big == small));
        form_->Icon().Clear();
        Line("icon.cleared", YesNo(SendMessageW(window, WM_GETICON, ICON_BIG, 0) == 0));
    }

    // As the taskbar button does it: system commands to the window, which the toolkit carries out.
    void MinimiseAndRestore()
    {
        HWND window = static_cast<Win32Window*>(form_->Host())->Handle();
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        app_.ProcessMessages();
        Line("minimised", YesNo(form_->WindowState() == wsMinimized && IsIconic(window)));
        PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        app_.ProcessMessages();
        Line("restored", YesNo(form_->WindowState() == wsNormal && !IsIconic(window) && IsWindowVisible(window)));
    }

    TApplication& app_;
    TForm* form_;
    TTimer* ready_ = nullptr;
    int status_ = 2;
};

} // namespace

int main()
{
    SetBinaryStandardOutput();
    std::string why;
    std::unique_ptr<WindowHost> host = OpenDesktopHost(why);
    if (!host) {
        Line("host", "none: " + why);
        return 1;
    }
    Line("host", DesktopHostName());
    std::shared_ptr<FontEngine> engine = CreatePlatformFontEngine();
    ProbeFonts(*engine);
    ProbeHost(*host);
    SetFontEngine(engine);

    TApplication app(std::move(host));
    app.SetTitle("window probe");
    ProbeForm probe(app);
    app.Run();
    Line("done", std::to_string(probe.Status()));
    return probe.Status();
}
