#pragma once

// Stand-ins for what the theme code meets: skinned controls (anything publishing UIStyle and
// FileTheme), a host form that records its frame refreshes, and system services whose program,
// Windows and system folders a test chooses.

#include "skin/SkinTestSupport.h"
#include "skin/themes/FileTheme.h"
#include "skin/themes/Styles.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/forms/Form.h"

#include <string>
#include <vector>

namespace themetest {

// What the doubles did, in order: "Name.UIStyle=WinXP", "Name.FileTheme=Theme" or "...=nil".
inline std::vector<std::string>& EventLog()
{
    static std::vector<std::string> log;
    return log;
}

// A skinned control: a class whose name starts "Tsui", publishing UIStyle and FileTheme, that
// logs every assignment and forgets a theme that goes, as the real controls do.
class TsuiFakeControl : public TWinControl {
public:
    explicit TsuiFakeControl(TComponent* owner) : TWinControl(owner) {}

    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TsuiFakeControl", &TWinControl::StaticClassInfo(),
                                     [](TComponent* owner) { return new TsuiFakeControl(owner); },
                                     [](TClassInfo& c) { Publish<TsuiFakeControl>(c); });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TsuiUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TsuiUIStyle value)
    {
        uiStyle_ = value;
        EventLog().push_back(Name() + ".UIStyle=" + UIStyleNames()[value]);
    }
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value)
    {
        fileTheme_ = value;
        EventLog().push_back(Name() + ".FileTheme=" + (value ? value->Name() : std::string("nil")));
    }

    template <class C> static void Publish(TClassInfo& c)
    {
        TPublisher<C>(c)
            .template Enum<TsuiUIStyle>("UIStyle", UIStyleNames(), &C::UIStyle, &C::SetUIStyle)
            .template Component<TsuiFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TWinControl::Notification(component, operation);
        if (operation == opRemove && component == fileTheme_) {
            fileTheme_ = nullptr;
            uiStyle_ = DeepBlue;
        }
    }

private:
    TsuiUIStyle uiStyle_ = DeepBlue;
    TsuiFileTheme* fileTheme_ = nullptr;
};

// The same control under another class name.
template <const char* ClassName_> class TRenamed : public TsuiFakeControl {
public:
    explicit TRenamed(TComponent* owner) : TsuiFakeControl(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info(ClassName_, &TsuiFakeControl::StaticClassInfo(),
                                     [](TComponent* owner) { return new TRenamed(owner); });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

inline constexpr char kSkinnedFormName[] = "TsuiForm";
inline constexpr char kUpperCaseName[] = "TSUIFakeControl";
inline constexpr char kLowerCaseName[] = "tsuiFakeControl";
// The skinned form as the theme code recognises it: by its class name.
using TsuiFormDouble = TRenamed<kSkinnedFormName>;
using TUpperCaseDouble = TRenamed<kUpperCaseName>;
using TLowerCaseDouble = TRenamed<kLowerCaseName>;

// A skinned-looking control that publishes FileTheme but no UIStyle.
class TsuiThemeOnly : public TWinControl {
public:
    explicit TsuiThemeOnly(TComponent* owner) : TWinControl(owner) {}
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info("TsuiThemeOnly", &TWinControl::StaticClassInfo(),
                                     [](TComponent* owner) { return new TsuiThemeOnly(owner); }, [](TClassInfo& c) {
                                         TPublisher<TsuiThemeOnly>(c).Component<TsuiFileTheme>(
                                             "FileTheme", &TsuiThemeOnly::FileTheme, &TsuiThemeOnly::SetFileTheme);
                                     });
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value)
    {
        fileTheme_ = value;
        EventLog().push_back(Name() + ".FileTheme=" + (value ? value->Name() : std::string("nil")));
    }

private:
    TsuiFileTheme* fileTheme_ = nullptr;
};

// A host form that records the flags of every SetWindowPos.
class TRecordingForm : public TForm {
public:
    explicit TRecordingForm(TComponent* owner) : TForm(owner) {}
    void SetWindowPos(int x, int y, int cx, int cy, uint32_t flags) override
    {
        windowPosFlags.push_back(flags);
        TForm::SetWindowPos(x, y, cx, cy, flags);
    }
    std::vector<uint32_t> windowPosFlags;
};

// File services over a real folder, with the program, Windows and system folders of the test's
// choosing (empty: none).
class TThemeServices : public skintest::TFakeSystemServices {
public:
    using TFakeSystemServices::TFakeSystemServices;
    std::string executable;
    std::string windowsFolder;
    std::string systemFolder;
    std::vector<std::string> existsAsked;

    std::string ExecutablePath() override { return executable; }
    std::string WindowsDirectory() override { return windowsFolder; }
    std::string SystemDirectory() override { return systemFolder; }
    bool FileExists(const std::string& path) override
    {
        existsAsked.push_back(path);
        return TFakeSystemServices::FileExists(path);
    }
};

// Installs services for the themes a layout creates, for the life of the object.
class TInstalledServices {
public:
    explicit TInstalledServices(SystemServices& services) : previous_(FileThemeServices())
    {
        SetFileThemeServices(&services);
    }
    ~TInstalledServices() { SetFileThemeServices(previous_); }
    TInstalledServices(const TInstalledServices&) = delete;
    TInstalledServices& operator=(const TInstalledServices&) = delete;

private:
    SystemServices* previous_;
};

} // namespace themetest
