// Compares two screenshots of the virtual display, one taken before the window probe started and
// one while its form was up, against where the probe put the form (WindowProbeLayout.h). Prints
// "FAIL: ..." for each check that does not hold and exits 1 then, else 0.
//   window_shot_check BEFORE.png AFTER.png
#include "toolkit/graphics/PngWriter.h"

#include "WindowProbeLayout.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>

namespace {

using namespace window_probe;

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

std::string Text(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class Check {
public:
    Check(const TBitmap& before, const TBitmap& after) : before_(before), after_(after) {}

    void Expect(bool condition, const std::string& what)
    {
        if (!condition) {
            std::printf("FAIL: %s\n", what.c_str());
            ++failures_;
        }
    }
    int Failures() const { return failures_; }

    uint32_t At(int x, int y) const { return after_.ScanLine(y)[x] & 0xFFFFFFu; }
    bool Changed(int x, int y) const { return (before_.ScanLine(y)[x] & 0xFFFFFFu) != At(x, y); }

    // The smallest rectangle holding every pixel the probe changed.
    Rect ChangedBounds() const
    {
        Rect r{after_.Width(), after_.Height(), 0, 0};
        for (int y = 0; y < after_.Height(); ++y)
            for (int x = 0; x < after_.Width(); ++x)
                if (Changed(x, y)) {
                    r.left = std::min(r.left, x), r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1), r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    }

    int CountChanged(const Rect& r) const { return Count(r, [&](int x, int y) { return Changed(x, y); }); }

    int CountNot(const Rect& r, uint32_t colour) const { return Count(r, [&](int x, int y) { return At(x, y) != colour; }); }

private:
    template <class Test> int Count(const Rect& r, Test test) const
    {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += test(x, y) ? 1 : 0;
        return count;
    }

    const TBitmap& before_;
    const TBitmap& after_;
    int failures_ = 0;
};

Rect OnScreen(int clientX, int clientY, int width, int height)
{
    const int x = kLeft + kClientLeft + clientX, y = kTop + kClientTop + clientY;
    return {x, y, x + width, y + height};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_shot_check BEFORE.png AFTER.png\n");
        return 2;
    }
    TBitmap before, after;
    try {
        if (!LoadPngFromFile(argv[1], before) || !LoadPngFromFile(argv[2], after)) {
            std::printf("FAIL: the screenshots are not 8-bit RGB PNG files\n");
            return 1;
        }
    } catch (const std::exception& error) {
        std::printf("FAIL: %s\n", error.what());
        return 1;
    }
    if (before.Width() != 1024 || before.Height() != 768 || after.Width() != 1024 || after.Height() != 768) {
        std::printf("FAIL: the screenshots are not of a 1024 x 768 screen\n");
        return 1;
    }
    Check check(before, after);

    // Place and size: the probe changed the screen exactly over its window rectangle.
    const Rect window{kLeft, kTop, kLeft + kWidth, kTop + kHeight};
    const Rect changed = check.ChangedBounds();
    check.Expect(changed == window, "the window covers " + Text(changed) + ", not " + Text(window));

    // Shape: inside the cut corner the screen is as it was; right next to it the form is there.
    const Rect cut{window.right - kCut, window.bottom - kCut, window.right, window.bottom};
    check.Expect(check.CountChanged(cut) == 0, "the cut corner " + Text(cut) + " is not the background");
    check.Expect(check.Changed(cut.left - 1, cut.top + kCut / 2) && check.Changed(cut.left + kCut / 2, cut.top - 1),
                 "the window does not reach the cut corner");

    // The form's colour in an empty part of the client area.
    const uint32_t form = kRed << 16 | kGreen << 8 | kBlue;
    const Rect empty = OnScreen(200, 60, 40, 20);
    check.Expect(check.CountNot(empty, form) == 0, "the client area " + Text(empty) + " is not the form's colour");

    // Text in both lines of the label: pixels of another colour than the form's.
    const Rect latin = OnScreen(kLabelLeft, kLabelTop, kLabelWidth, kLineHeight);
    const Rect chinese = OnScreen(kLabelLeft, kLabelTop + kLineHeight, kLabelWidth, kLineHeight);
    const int latinInk = check.CountNot(latin, form), chineseInk = check.CountNot(chinese, form);
    std::printf("ink: latin %d, chinese %d\n", latinInk, chineseInk);
    check.Expect(latinInk >= 60, "too little text in the label's Latin line " + Text(latin));
    check.Expect(chineseInk >= 60, "too little text in the label's Chinese line " + Text(chinese));
    return check.Failures() == 0 ? 0 : 1;
}
