#pragma once

// A headless application for the skinned form and title bar: message boxes are recorded and
// answered OK, every message the host form receives is logged, the built-in skin loads into a
// file theme, and golden pictures are compared with tests/golden/form-*.png.

#include "skin/SkinTestSupport.h"
#include "skin/controls/Form.h"
#include "skin/themes/FileTheme.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/headless/HeadlessWindow.h"
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

namespace formtest {

class TBoxRecordingHost : public HeadlessHost {
public:
    std::vector<std::string> boxes;
    int NativeMessageBox(const std::string& text, const std::string&, unsigned) override
    {
        boxes.push_back(text);
        return IDOK;
    }
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousEngine_ = InstalledFontEngine();
        SetFontEngine(std::make_shared<TBoxFontEngine>());
        auto host = std::make_unique<TBoxRecordingHost>();
        host->SetFailureHandler([](const std::string& message) { throw std::runtime_error(message); });
        host_ = host.get();
        app_ = std::make_unique<TApplication>(std::move(host));
        form = app_->CreateForm<TForm>();
        form->SetBorderStyle(bsDialog);
        form->SetBounds(100, 50, 467, 397);
        form->SetCaption("Skinned");
        TWndMethod inner = form->WindowProc;
        form->WindowProc = [this, inner](TMessage& message) {
            messages.push_back(message.Msg);
            inner(message);
        };
    }
    void TearDown() override
    {
        theme_ = nullptr;
        app_.reset();
        SetFontEngine(previousEngine_);
    }

    void UsePinnedFonts()
    {
        auto engine = std::make_shared<TFreeTypeFontEngine>(PinnedFontSet());
        ASSERT_EQ(engine->LoadedFaceCount(), 3) << "run scripts/install-deps to install the pinned fonts";
        SetFontEngine(engine);
    }

    // A ready file theme owned by the host form, loaded from the built-in skin.
    TsuiFileTheme* BuiltInSkin()
    {
        if (!theme_) {
            theme_ = new TsuiFileTheme(form, services_);
            theme_->SetThemeFile(MERROWIN_BUILTIN_SKIN);
        }
        return theme_;
    }

    void ShowForm()
    {
        form->Show();
        app_->ProcessMessages();
        form->PaintInvalid();
    }

    void Run(const std::string& command)
    {
        if (!host_->RunCommand(command))
            throw std::runtime_error("cannot run: " + command);
        app_->ProcessMessages();
        form->PaintInvalid();
    }

    // The window as the host shows it: pixels outside its shape are transparent.
    TBitmap Shot()
    {
        app_->ProcessMessages();
        form->PaintInvalid();
        HeadlessWindow* window = host_->WindowById(form->Host()->Id());
        std::vector<uint32_t> pixels = host_->Snapshot(*window);
        TBitmap picture(form->Width(), form->Height());
        std::copy(pixels.begin(), pixels.begin() + std::ptrdiff_t(picture.Width()) * picture.Height(), picture.Bits());
        return picture;
    }

    int Count(uint32_t msg) const { return int(std::count(messages.begin(), messages.end(), msg)); }

    std::unique_ptr<TApplication> app_;
    TBoxRecordingHost* host_ = nullptr;
    TForm* form = nullptr;
    std::vector<uint32_t> messages;

private:
    skintest::TTempFolder temp_;
    skintest::TFakeSystemServices services_{temp_.Path() + "/"};
    TsuiFileTheme* theme_ = nullptr;
    std::shared_ptr<FontEngine> previousEngine_;
};

// Pictures side by side on a grey sheet, so that transparent corners show.
inline TBitmap Sheet(const std::vector<TBitmap>& pictures)
{
    constexpr int gap = 8;
    int width = gap, height = 0;
    for (const TBitmap& p : pictures) {
        width += p.Width() + gap;
        height = std::max(height, p.Height());
    }
    TBitmap sheet(width, height + 2 * gap);
    TCanvas canvas(sheet);
    canvas.Brush().SetColor(TColor(0x808080));
    canvas.FillRect(TRect(0, 0, sheet.Width(), sheet.Height()));
    int x = gap;
    for (const TBitmap& p : pictures) {
        for (int y = 0; y < p.Height(); ++y)
            for (int i = 0; i < p.Width(); ++i) {
                uint32_t pixel = p.ScanLine(y)[i];
                if ((pixel >> 24) != 0)
                    sheet.ScanLine(y + gap)[x + i] = pixel | 0xFF000000u;
            }
        x += p.Width() + gap;
    }
    return sheet;
}

} // namespace formtest
