#pragma once

// A shown form on the headless host for the skinned controls: input through the host's script
// commands, time through the virtual clock, pixels straight from the form's back buffer, and a
// ready file theme loaded from the built-in skin. Golden pictures are sheets of control
// pictures compared pixel for pixel with tests/golden/controls-*.png.

#include "skin/SkinTestSupport.h"
#include "skin/themes/FileTheme.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"
#include "toolkit/application/Application.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/BoxFontEngine.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/graphics/PngWriter.h"

#include "support/Golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace controltest {

struct ScriptFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr TColor kFormColor = 0x40A0C0;  // a colour no skin uses, so transparency shows

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousEngine_ = InstalledFontEngine();
        SetFontEngine(std::make_shared<TBoxFontEngine>());
        auto host = std::make_unique<HeadlessHost>();
        host->SetFailureHandler([](const std::string& message) { throw ScriptFailure(message); });
        host_ = host.get();
        app_ = std::make_unique<TApplication>(std::move(host));
        form = app_->CreateForm<TForm>();
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 320, 240);
        form->SetColor(kFormColor);
    }
    void TearDown() override
    {
        app_.reset();
        SetFontEngine(previousEngine_);
    }

    // The real fonts the golden pictures are drawn with.
    void UsePinnedFonts()
    {
        auto engine = std::make_shared<TFreeTypeFontEngine>(PinnedFontSet());
        ASSERT_EQ(engine->LoadedFaceCount(), 3) << "run scripts/install-deps to install the pinned fonts";
        SetFontEngine(engine);
    }

    void ShowForm()
    {
        form->Show();
        app_->ProcessMessages();
    }

    // One or more script commands separated by ";", then the loop runs what they queued.
    void Run(const std::string& commands)
    {
        size_t start = 0;
        while (start <= commands.size()) {
            size_t end = commands.find(';', start);
            if (end == std::string::npos)
                end = commands.size();
            std::string line = commands.substr(start, end - start);
            while (!line.empty() && line.front() == ' ')
                line.erase(line.begin());
            if (!line.empty() && !host_->RunCommand(line))
                throw ScriptFailure("cannot run: " + line);
            start = end + 1;
        }
        app_->ProcessMessages();
    }

    // Lets `ms` milliseconds of virtual time pass one at a time, so every timer due on the way
    // ticks at its own moment.
    void Advance(int ms)
    {
        for (int i = 0; i < ms; ++i) {
            app_->Sleep(1);
            app_->ProcessMessages();
        }
    }

    // The control's pixels as the form shows them now.
    TBitmap Capture(const TControl& control)
    {
        app_->ProcessMessages();
        form->PaintInvalid();
        const TRect r = control.VisibleWindowRect();
        TBitmap picture(r.Width(), r.Height());
        TCanvas canvas(picture);
        canvas.CopyRect(TRect(0, 0, r.Width(), r.Height()), form->BackBuffer(), r);
        return picture;
    }

    std::unique_ptr<TApplication> app_;
    HeadlessHost* host_ = nullptr;
    TForm* form = nullptr;

private:
    std::shared_ptr<FontEngine> previousEngine_;
};

// Services over a temporary folder for a file theme that loads the built-in skin.
class TSkinFixture {
public:
    skintest::TTempFolder temp;
    skintest::TFakeSystemServices services{temp.Path() + "/"};
};

// Pictures laid out in rows on a grey sheet with a gap around each.
class TSheet {
public:
    void Add(int row, const TBitmap& picture) { rows_.resize(std::max<size_t>(rows_.size(), size_t(row) + 1)), rows_[size_t(row)].push_back(picture); }

    TBitmap Render() const
    {
        constexpr int gap = 6;
        int width = 0, height = gap;
        for (const auto& row : rows_) {
            int w = gap, h = 0;
            for (const TBitmap& p : row) {
                w += p.Width() + gap;
                h = std::max(h, p.Height());
            }
            width = std::max(width, w);
            height += h + gap;
        }
        TBitmap sheet(width, height);
        TCanvas canvas(sheet);
        canvas.Brush().SetColor(TColor(0x808080));
        canvas.FillRect(TRect(0, 0, width, height));
        int y = gap;
        for (const auto& row : rows_) {
            int x = gap, h = 0;
            for (const TBitmap& p : row) {
                canvas.Draw(x, y, p);
                x += p.Width() + gap;
                h = std::max(h, p.Height());
            }
            y += h + gap;
        }
        return sheet;
    }

private:
    std::vector<std::vector<TBitmap>> rows_;
};

} // namespace controltest
