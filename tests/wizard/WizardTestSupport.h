#pragma once

// The wizard in this process: a headless application whose script the test writes, the Linux
// system services over a temporary home, and an installer file made the way merrowin-pack makes
// one. Message boxes are drawn by the toolkit (so pictures show them) and recorded.

#include "installer/payload/ContainerWriter.h"
#include "installer/project/Project.h"
#include "installer/wizard/MerrowinForm.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/headless/HeadlessWindow.h"
#include "platform/PosixTestFolder.h"
#include "platform/posix/PosixSystemServices.h"
#include "skin/themes/FileTheme.h"
#include "support/Golden.h"
#include "toolkit/application/Application.h"
#include "toolkit/graphics/FontEngineSlot.h"
#include "toolkit/streams/FileStream.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace wizardtest {

struct Box {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// Records every message box and lets the toolkit draw it.
class TRecordingHost : public HeadlessHost {
public:
    using HeadlessHost::HeadlessHost;
    std::vector<Box> boxes;
    int NativeMessageBox(const std::string& text, const std::string& caption, unsigned flags) override
    {
        boxes.push_back({text, caption, flags});
        return -1;
    }
};

struct Payload {
    std::string title = "春日方块";
    std::vector<std::string> license = {"第一条: 仅供个人使用.", "Second line."};
    std::string movie = std::string("FWS\x06", 4) + std::string(300, '\x5a');
    int droppedLines = 0; // lines cut from the end of the settings text
};

class WizardTest : public PosixTestFolder {
protected:
    void SetUp() override
    {
        PosixTestFolder::SetUp();
        documents = home + "/Documents";
        temporary = root + "/tmp";
        std::filesystem::create_directories(documents);
        WriteFile(home + "/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
        std::filesystem::create_directories(temporary);
        ::setenv("TMPDIR", temporary.c_str(), 1);
        previousEngine_ = InstalledFontEngine();
        auto engine = std::make_shared<TFreeTypeFontEngine>(PinnedFontSet());
        ASSERT_EQ(engine->LoadedFaceCount(), 3) << "run scripts/install-deps to install the pinned fonts";
        SetFontEngine(engine);
        services = std::make_unique<PosixSystemServices>();
        SetFileThemeServices(services.get());
        RegisterWizardClasses();
        installer = root + "/setup";
    }

    void TearDown() override
    {
        form = nullptr;
        app.reset();
        SetFileThemeServices(nullptr);
        SetFontEngine(previousEngine_);
        PosixTestFolder::TearDown();
    }

    // Writes an installer file: a stand-in program, then the movie and the project packed.
    void WriteInstaller(const Payload& payload = Payload())
    {
        TProject project;
        project.Title = payload.title;
        project.License.Clear();
        for (const std::string& line : payload.license)
            project.License.Add(line);
        project.LicenseCount = project.License.Count();
        project.BackgroundColor = 0xFFFFFF;
        project.SaveToStream();
        std::string settings(project.ProjectStream.View());
        for (int i = 0; i < payload.droppedLines; ++i)
            settings.erase(settings.rfind("\r\n", settings.size() - 3) + 2);
        TFileStream file(installer, TFileStream::fmCreate);
        TContainerWriter writer(file);
        writer.AddRaw("a program");
        writer.AddPacked(payload.movie);
        writer.AddPacked(settings);
        writer.Finish();
    }

    // Creates the wizard as the program does, with the script to run.
    void Start(const std::string& script, std::vector<std::string> arguments = {})
    {
        auto recording = std::make_unique<TRecordingHost>(script);
        recording->SetFailureHandler([](const std::string& message) { throw std::runtime_error(message); });
        host = recording.get();
        app = std::make_unique<TApplication>(std::move(recording));
        app->SetTitle("Didar Ediziveda 安装程序");
        LoadWizardIcon(app->Icon());
        form = app->CreateForm<TMerrowinForm>(TWizardContext{services.get(), installer, std::move(arguments)});
    }

    // Start, then the message loop until the script is used up and the window closed.
    void Run(const std::string& script, std::vector<std::string> arguments = {})
    {
        Start(script, std::move(arguments));
        app->Run();
    }

    // "click X Y" on the middle of a control of the wizard, in window pixels.
    std::string ClickOn(const char* name) const
    {
        auto* control = dynamic_cast<TControl*>(form->FindComponent(name));
        EXPECT_NE(control, nullptr) << name;
        if (!control)
            return "";
        const TPoint centre = control->ClientToScreen(TPoint(control->Width() / 2, control->Height() / 2));
        return "click " + std::to_string(centre.X - form->Left()) + " " + std::to_string(centre.Y - form->Top()) + "\n";
    }

    // The script runs once the window exists: Start, then Script(...) and app->Run().
    void Script(const std::string& lines) { host->AppendScript(lines); }

    // A script line "check NAME" runs the check of that name at that point of the script.
    void Check(const std::string& name, std::function<void()> check)
    {
        checks_[name] = std::move(check);
        host->SetCommandHook([this](const std::string& line) {
            auto found = checks_.find(line.substr(line.find(' ') + 1));
            if (line.rfind("check ", 0) != 0 || found == checks_.end())
                return false;
            found->second();
            ++checksRun;
            return true;
        });
    }
    int checksRun = 0;

    template <class T> T* Find(const char* name) const
    {
        T* component = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(component, nullptr) << name;
        return component;
    }

    // The active window as the screen shows it.
    TBitmap Shot() const
    {
        TBitmap picture;
        const std::string file = root + "/shot.png";
        EXPECT_TRUE(host->SaveShot(file));
        EXPECT_TRUE(LoadPngFromFile(file, picture));
        std::filesystem::remove(file);
        return picture;
    }

    std::string TargetFolder(const std::string& title = "春日方块") const
    {
        return documents + "/我的 Flash 墙纸/" + title + "/";
    }

    // Every file the program may have written (under the home and temporary folders, but for
    // the user's folder settings), relative to the root, sorted.
    std::vector<std::string> FilesWritten() const
    {
        std::vector<std::string> files;
        for (const std::string& folder : {home, temporary})
            for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
                if (entry.is_regular_file() && entry.path().filename() != "user-dirs.dirs")
                    files.push_back(std::filesystem::relative(entry.path(), root).string());
        std::sort(files.begin(), files.end());
        return files;
    }

    std::string documents;
    std::string temporary;
    std::string installer;
    std::unique_ptr<PosixSystemServices> services;
    std::unique_ptr<TApplication> app;
    TRecordingHost* host = nullptr;
    TMerrowinForm* form = nullptr;

private:
    std::shared_ptr<FontEngine> previousEngine_;
    std::map<std::string, std::function<void()>> checks_;
};

} // namespace wizardtest
