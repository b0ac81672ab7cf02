#include "platform/headless/HeadlessHost.h"

#include "platform/PixelScale.h"
#include "platform/headless/HeadlessWindow.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/PngWriter.h"
#include "toolkit/streams/FileStream.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// A 1024 x 768 screen with a 30-pixel task bar at the bottom.
constexpr HostRect kWorkArea{0, 0, 1024, 738};
constexpr uint64_t kGraceMs = 60000;

// What the host does on a failure unless told otherwise: says it and ends the program.
[[noreturn]] void SayAndExit(const std::string& message)
{
    std::fputs(("headless: " + message + "\n").c_str(), stderr);
    std::fflush(stderr);
    std::exit(3);
}

// The Win32 answer IDs the script names.
constexpr int kIdOk = 1, kIdYes = 6, kIdNo = 7;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    for (size_t i = 0; i < line.size();) {
        while (i < line.size() && Blank(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !Blank(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool ParseInt(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty() || text.size() > 12)
        return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' && value >= low && value <= high;
}

struct KeyName {
    const char* name;
    int vk;
    char32_t character;
};

constexpr KeyName kKeys[] = {
    {"return", 0x0D, 13}, {"enter", 0x0D, 13},  {"escape", 0x1B, 27}, {"space", 0x20, U' '}, {"tab", 0x09, 9},
    {"backspace", 0x08, 8}, {"delete", 0x2E, 0}, {"insert", 0x2D, 0}, {"home", 0x24, 0},     {"end", 0x23, 0},
    {"pageup", 0x21, 0},  {"pagedown", 0x22, 0}, {"left", 0x25, 0},   {"up", 0x26, 0},       {"right", 0x27, 0},
    {"down", 0x28, 0},
};

}  // namespace

HeadlessHost::HeadlessHost(std::string script)
{
    AppendScript(script);
    onFailure_ = [](const std::string& message) { SayAndExit(message); };
}

HeadlessHost::~HeadlessHost()
{
    // Windows still open belong to their forms; they must not call back into a host that is gone.
    windows_.clear();
}

void HeadlessHost::AppendScript(const std::string& script)
{
    for (size_t start = 0; start < script.size();) {
        size_t end = script.find('\n', start);
        if (end == std::string::npos)
            end = script.size();
        std::string line = script.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
        start = end + 1;
    }
}

std::unique_ptr<HeadlessHost> HeadlessHost::FromEnvironment()
{
    int scale = 1;
    if (const char* text = std::getenv("MERROWIN_SCALE"); text && *text) {
        if (std::string(text) != "1" && std::string(text) != "2")
            SayAndExit(std::string("MERROWIN_SCALE is 1 or 2, not ") + text);
        scale = text[0] - '0';
    }
    std::string script;
    if (const char* file = std::getenv("MERROWIN_SCRIPT"); file && *file) {
        try {
            TFileStream in(file, TFileStream::fmOpenRead);
            script.resize(static_cast<size_t>(in.Size()));
            in.ReadBuffer(script.data(), static_cast<int64_t>(script.size()));
        } catch (const std::exception&) {
            SayAndExit(std::string("cannot read the script ") + file);
        }
    }
    auto host = std::make_unique<HeadlessHost>(script);
    host->SetScale(scale);
    return host;
}

std::unique_ptr<HostWindow> HeadlessHost::NewWindow(const HostWindowParams& params)
{
    auto window = std::make_unique<HeadlessWindow>(*this, nextId_++, params);
    windows_.insert(windows_.begin(), window.get());
    if (!mainWindow_ && !params.messageBox)
        mainWindow_ = window->Id();
    return window;
}

void HeadlessHost::Forget(HeadlessWindow* window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    if (moving_ == window)
        moving_ = nullptr;
    if (mainWindow_ == window->Id())
        mainWindow_ = -1;
}

void HeadlessHost::Raise(HeadlessWindow* window)
{
    auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end())
        return;
    windows_.erase(it);
    windows_.push_back(window);
}

HeadlessWindow* HeadlessHost::ActiveWindow() const
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->Visible() && !(*it)->Minimised())
            return *it;
    return nullptr;
}

HeadlessWindow* HeadlessHost::WindowById(int id) const
{
    for (HeadlessWindow* window : windows_)
        if (window->Id() == id)
            return window;
    return nullptr;
}

HostRect HeadlessHost::WorkArea(const HostRect& nearWindow)
{
    (void)nearWindow;
    return kWorkArea;
}

int HeadlessHost::NativeMessageBox(const std::string&, const std::string&, unsigned) { return -1; }

bool HeadlessHost::SetClipboardText(const std::string& text)
{
    clipboard_ = text;
    return true;
}

void HeadlessHost::Fail(const std::string& message) { onFailure_(message); }

// --- Waiting --------------------------------------------------------------------------------

bool HeadlessHost::WaitEvent(HostEvent& event, uint64_t deadlineMs)
{
    for (;;) {
        while (!queue_.empty()) {
            event = queue_.front();
            queue_.pop_front();
            if (!FilterMove(event))
                return true;
        }
        if (deadlineMs <= now_)
            return false;
        if (waitUntil_) {
            if (deadlineMs <= *waitUntil_) {
                now_ = deadlineMs;
                return false;
            }
            now_ = *waitUntil_;
            waitUntil_.reset();
            continue;
        }
        if (TakeCommand())
            continue;
        // The script is used up.
        if (!scriptEnded_)
            scriptEnded_ = now_;
        if (!closeSent_) {
            closeSent_ = true;
            if (WindowById(mainWindow_)) {
                HostEvent close;
                close.type = HostEventType::Close;
                close.window = mainWindow_;
                queue_.push_back(close);
                continue;
            }
        }
        if (deadlineMs != UINT64_MAX && deadlineMs - *scriptEnded_ <= kGraceMs) {
            now_ = deadlineMs;
            return false;
        }
        Fail("the script is used up and the program still waits");
        return false;
    }
}

// While a window is being moved with the mouse, moves go to the window, not to the program,
// and the release ends the move.
bool HeadlessHost::FilterMove(const HostEvent& event)
{
    if (!moving_)
        return false;
    if (event.type == HostEventType::MouseMove) {
        HostRect from = moveFrom_;
        int dx = cursor_.x - moveStart_.x, dy = cursor_.y - moveStart_.y;
        HostRect to{from.left + dx, from.top + dy, from.right + dx, from.bottom + dy};
        moving_->SetBounds(to);
        HostEvent moved;
        moved.type = HostEventType::Moved;
        moved.window = moving_->Id();
        moved.x = to.left;
        moved.y = to.top;
        queue_.push_front(moved);
        return true;
    }
    if (event.type == HostEventType::MouseUp) {
        moving_ = nullptr;
        return true;
    }
    return false;
}

void HeadlessHost::StartMove(HeadlessWindow* window)
{
    moving_ = window;
    moveStart_ = cursor_;
    moveFrom_ = window->Bounds();
}

// --- The script -----------------------------------------------------------------------------

bool HeadlessHost::TakeCommand()
{
    while (nextLine_ < lines_.size()) {
        const std::string& line = lines_[nextLine_++];
        std::vector<std::string> words = Words(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        if (!RunCommand(line))
            Fail("line " + std::to_string(nextLine_) + ": cannot apply \"" + line + "\"");
        return true;
    }
    return false;
}

bool HeadlessHost::RunCommand(const std::string& line)
{
    std::vector<std::string> words = Words(line);
    if (words.empty())
        return false;
    std::string command = Lower(words[0]);
    long long a = 0, b = 0;
    if ((command == "click" || command == "down" || command == "up" || command == "move") && words.size() == 3 &&
        ParseInt(words[1], -32768, 32767, a) && ParseInt(words[2], -32768, 32767, b)) {
        const int x = Unscale(static_cast<int>(a), scale_), y = Unscale(static_cast<int>(b), scale_);
        if (command == "click")
            return Mouse(HostEventType::MouseMove, x, y) && Mouse(HostEventType::MouseDown, x, y) &&
                   Mouse(HostEventType::MouseUp, x, y);
        if (command == "down")
            return Mouse(HostEventType::MouseMove, x, y) && Mouse(HostEventType::MouseDown, x, y);
        if (command == "up")
            return Mouse(HostEventType::MouseMove, x, y) && Mouse(HostEventType::MouseUp, x, y);
        return Mouse(HostEventType::MouseMove, x, y);
    }
    if (command == "wheel" && words.size() == 2 && ParseInt(words[1], -100, 100, a)) {
        HeadlessWindow* window = ActiveWindow();
        if (!window)
            return false;
        HostEvent event;
        event.type = HostEventType::MouseWheel;
        event.window = window->Id();
        event.x = cursor_.x - window->Bounds().left;
        event.y = cursor_.y - window->Bounds().top;
        event.wheelDelta = static_cast<int>(a) * 120;
        event.shift = buttons_;
        queue_.push_back(event);
        return true;
    }
    if (command == "wait" && words.size() == 2 && ParseInt(words[1], 0, 24LL * 3600 * 1000, a)) {
        waitUntil_ = now_ + static_cast<uint64_t>(a);
        return true;
    }
    if (command == "key" && words.size() == 2)
        return Key(words[1]);
    if (command == "answer" && words.size() == 2)
        return Answer(Lower(words[1]));
    if (command == "shot" && words.size() == 2)
        return SaveShot(words[1]);
    return commandHook_ && commandHook_(line);
}

bool HeadlessHost::Mouse(HostEventType type, int x, int y)
{
    HeadlessWindow* window = ActiveWindow();
    if (!window)
        return false;
    cursor_ = {window->Bounds().left + x, window->Bounds().top + y};
    if (type == HostEventType::MouseDown)
        buttons_ |= hsLeftButton;
    HostEvent event;
    event.type = type;
    event.window = window->Id();
    event.x = x;
    event.y = y;
    event.button = HostButton::Left;
    event.shift = buttons_;
    if (type == HostEventType::MouseUp)
        buttons_ &= ~unsigned(hsLeftButton);
    queue_.push_back(event);
    return true;
}

bool HeadlessHost::Key(const std::string& command)
{
    HeadlessWindow* window = ActiveWindow();
    if (!window)
        return false;
    unsigned shift = 0;
    std::string rest = command;
    for (;;) {
        std::string lower = Lower(rest);
        if (lower.rfind("alt+", 0) == 0) {
            shift |= hsAlt;
            rest = rest.substr(4);
        } else if (lower.rfind("ctrl+", 0) == 0) {
            shift |= hsCtrl;
            rest = rest.substr(5);
        } else if (lower.rfind("shift+", 0) == 0) {
            shift |= hsShift;
            rest = rest.substr(6);
        } else {
            break;
        }
    }
    int vk = 0;
    char32_t character = 0;
    std::string name = Lower(rest);
    if (rest.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9'))) {
        char c = name[0];
        bool letter = c >= 'a' && c <= 'z';
        vk = letter ? c - 'a' + 'A' : c;
        character = static_cast<char32_t>(letter && (shift & hsShift) ? c - 'a' + 'A' : c);
        if (letter && (shift & hsCtrl))
            character = static_cast<char32_t>(c - 'a' + 1);
    } else if (name.size() >= 2 && name[0] == 'f') {
        long long n = 0;
        if (!ParseInt(name.substr(1), 1, 12, n))
            return false;
        vk = 0x70 + static_cast<int>(n) - 1;
    } else {
        for (const KeyName& key : kKeys)
            if (name == key.name) {
                vk = key.vk;
                character = key.character;
            }
    }
    if (!vk)
        return false;
    if ((shift & hsCtrl) && (shift & hsAlt))
        character = 0;
    HostEvent event;
    event.window = window->Id();
    event.shift = shift | buttons_;
    event.key = vk;
    event.type = HostEventType::KeyDown;
    queue_.push_back(event);
    if (character) {
        event.type = HostEventType::Char;
        event.character = character;
        queue_.push_back(event);
    }
    event.type = HostEventType::KeyUp;
    event.character = 0;
    queue_.push_back(event);
    return true;
}

bool HeadlessHost::Answer(const std::string& name)
{
    int answer = name == "yes" ? kIdYes : name == "no" ? kIdNo : name == "ok" ? kIdOk : 0;
    if (!answer)
        return false;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        HeadlessWindow* window = *it;
        if (!window->Visible() || !window->IsMessageBox())
            continue;
        if (!(window->Answers() & (1u << answer)))
            return false;
        HostEvent event;
        event.type = HostEventType::Answer;
        event.window = window->Id();
        event.answer = answer;
        queue_.push_back(event);
        return true;
    }
    return false;
}

// --- Pictures -------------------------------------------------------------------------------

std::vector<uint32_t> HeadlessHost::Snapshot(const HeadlessWindow& window) const
{
    std::vector<uint32_t> pixels = window.Pixels();
    int w = window.PixelWidth();
    for (int y = 0; y < window.PixelHeight(); ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t& p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            p = window.InShape(x, y) ? (p | 0xFF000000u) : 0;
        }
    return pixels;
}

bool HeadlessHost::SaveShot(const std::string& fileName) const
{
    HeadlessWindow* window = ActiveWindow();
    if (!window || window->PixelWidth() == 0 || window->PixelHeight() == 0)
        return false;
    const std::vector<uint32_t> pixels = Snapshot(*window);
    const int width = window->PixelWidth(), height = window->PixelHeight();
    const std::vector<uint32_t> scaled = ScaledPicture(pixels.data(), width, height, scale_);
    TBitmap bitmap(width * scale_, height * scale_);
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    std::copy(scaled.begin(), scaled.end(), bitmap.Bits());
    try {
        SavePngToFile(bitmap, fileName);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}
