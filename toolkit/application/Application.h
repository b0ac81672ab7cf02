#pragma once

#include "platform/WindowHost.h"
#include "toolkit/components/Component.h"
#include "toolkit/controls/ControlTypes.h"
#include "toolkit/graphics/Picture.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TTimer;

// The program's one application object: title and icon, the main form, the message loop, the
// timers, the clock, message boxes and the error box. Creating it installs it as `Application`;
// it owns the forms made with CreateForm and frees them when it goes.
//
// The host supplies windows, input, the clock and pauses, so a test runs the same loop against
// the headless host with virtual time.
class TApplication : public TComponent {
public:
    explicit TApplication(std::unique_ptr<WindowHost> host);
    ~TApplication() override;

    WindowHost& Host() { return *host_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    TPicture& Icon() { return icon_; }

    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T, class... Args> T* CreateForm(Args&&... args)
    {
        T* form = new T(this, std::forward<Args>(args)...);
        if (!mainForm_)
            mainForm_ = form;
        return form;
    }

    // --- The loop -----------------------------------------------------------------------------
    // Shows the main form and handles messages until Terminate (closing the main form does it).
    void Run();
    // Handles one event, waiting for it (timers fire while waiting).
    void HandleMessage();
    // Handles every event already waiting, and due timers, without waiting.
    void ProcessMessages();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    // --- Time ---------------------------------------------------------------------------------
    uint64_t Now() { return host_->NowMs(); }
    // A pause through the host's clock; the headless clock moves on at once.
    void Sleep(uint32_t milliseconds) { host_->Pause(milliseconds); }

    // --- Boxes and errors ----------------------------------------------------------------------
    // A modal message box (MB_ flags, ID result): the host's own where it has one, else the
    // toolkit's: "确定", "是(&Y)", "否(&N)", "取消".
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
    // The standard error box: stop icon, OK, the title as caption, ErrorBoxText as text.
    void ShowException(const std::exception& error);
    // For use inside a catch block: shows the error being handled.
    void HandleException();
    // The message as the error box shows it: a "." is added when its last character is greater
    // than "." (so "流读取错误" gets one and "Done." or "Oops!" do not).
    static std::string ErrorBoxText(const std::string& message);
    // Runs f; an exception it throws is shown in the error box instead of passing on.
    template <class F> void Guarded(F&& f)
    {
        try {
            f();
        } catch (...) {
            HandleException();
        }
    }

    // --- State kept for the toolkit -------------------------------------------------------------
    TShiftState KeyShiftState() const { return shift_; }
    // One of the application's forms is the active window.
    bool Active() const;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    TCustomForm* FindForm(int windowId) const;
    bool HasForm(const TCustomForm* form) const;
    TCustomForm* ActiveForm() const;
    void PushModal(TCustomForm* form) { modal_.push_back(form); }
    void PopModal(TCustomForm* form);
    TCustomForm* ModalForm() const { return modal_.empty() ? nullptr : modal_.back(); }
    void AddTimer(TTimer* timer);
    void RemoveTimer(TTimer* timer);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Dispatch(const HostEvent& event);
    void FireDueTimers();
    uint64_t NextDeadline() const;
    void PaintAll();

    std::unique_ptr<WindowHost> host_;
    std::string title_;
    TPicture icon_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TShiftState shift_ = 0;
    std::vector<TCustomForm*> forms_;
    std::vector<TCustomForm*> modal_;
    std::vector<TTimer*> timers_;
};

// The application object while one exists, else nullptr.
extern TApplication* Application;
