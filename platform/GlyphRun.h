#pragma once

#include "platform/FontEngine.h"

#include <algorithm>
#include <vector>

// Puts a run's glyph masks together, for the font engines: each glyph's mask is placed with its
// first pixel at (x, y) in run coordinates (x from the first pen position, y from the top of the
// line); where glyphs overlap, the higher coverage wins. The masks must outlive the builder.
class TGlyphRunBuilder {
public:
    void Place(const TCoverageMask& mask, int x, int y)
    {
        if (mask.width <= 0 || mask.height <= 0)
            return;
        if (placed_.empty()) {
            left_ = x, top_ = y, right_ = x + mask.width, bottom_ = y + mask.height;
        } else {
            left_ = std::min(left_, x), top_ = std::min(top_, y);
            right_ = std::max(right_, x + mask.width), bottom_ = std::max(bottom_, y + mask.height);
        }
        placed_.push_back({&mask, x, y});
    }

    TTextRun Finish(int advance) const
    {
        TTextRun run;
        run.advance = advance;
        if (placed_.empty())
            return run;
        TCoverageMask& out = run.mask;
        out.left = left_;
        out.top = top_;
        out.width = right_ - left_;
        out.height = bottom_ - top_;
        out.coverage.assign(size_t(out.width) * size_t(out.height), 0);
        for (const Placed& p : placed_) {
            const int x0 = p.x - left_, y0 = p.y - top_;
            for (int y = 0; y < p.mask->height; ++y)
                for (int x = 0; x < p.mask->width; ++x) {
                    uint8_t& target = out.coverage[size_t(y0 + y) * size_t(out.width) + size_t(x0 + x)];
                    target = std::max(target, p.mask->At(x, y));
                }
        }
        return run;
    }

private:
    struct Placed {
        const TCoverageMask* mask;
        int x;
        int y;
    };
    std::vector<Placed> placed_;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};
