#include "toolkit/application/Application.h"

#include "toolkit/application/Timer.h"
#include "toolkit/forms/CustomForm.h"
#include "toolkit/forms/MessageForm.h"
#include "toolkit/layout/StandardClasses.h"
#include "toolkit/messages/Messages.h"

#include <algorithm>
#include <climits>

TApplication* Application = nullptr;

TApplication::TApplication(std::unique_ptr<WindowHost> host) : TComponent(nullptr), host_(std::move(host))
{
    if (Application)
        throw EInvalidOperation("应用程序对象已经存在");
    if (!host_)
        throw EInvalidOperation("没有窗口宿主");
    Application = this;
    RegisterStandardClasses();
}

TApplication::~TApplication()
{
    // Forms go while Application still answers: their destructors talk to it.
    Destroying();
    while (ComponentCount() > 0) {
        TComponent* component = Components(ComponentCount() - 1);
        RemoveComponent(component);
        delete component;
    }
    Application = nullptr;
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_)
        mainForm_ = nullptr;
}

// --- The loop -------------------------------------------------------------------------------

void TApplication::Run()
{
    if (mainForm_ && !mainForm_->Visible())
        Guarded([&] { mainForm_->Show(); });
    while (!terminated_ && mainForm_)
        HandleMessage();
}

void TApplication::HandleMessage()
{
    FireDueTimers();
    PaintAll();
    HostEvent event;
    if (host_->WaitEvent(event, NextDeadline()))
        Guarded([&] { Dispatch(event); });
}

void TApplication::ProcessMessages()
{
    for (;;) {
        FireDueTimers();
        PaintAll();
        if (!host_->HasPendingEvents())
            return;
        HostEvent event;
        if (!host_->WaitEvent(event, 0))
            return;
        Guarded([&] { Dispatch(event); });
    }
}

void TApplication::Dispatch(const HostEvent& event)
{
    if (event.type == HostEventType::KeyDown || event.type == HostEventType::KeyUp ||
        event.type == HostEventType::MouseDown || event.type == HostEventType::MouseUp ||
        event.type == HostEventType::MouseMove || event.type == HostEventType::MouseWheel ||
        event.type == HostEventType::Char) {
        shift_ = 0;
        if (event.shift & hsShift)
            shift_ |= ssShift;
        if (event.shift & hsCtrl)
            shift_ |= ssCtrl;
        if (event.shift & hsAlt)
            shift_ |= ssAlt;
    }
    TCustomForm* form = FindForm(event.window);
    if (!form)
        return;
    // While a modal form is up, the other windows take no input and cannot be closed.
    TCustomForm* modal = ModalForm();
    bool input = event.type != HostEventType::Activate && event.type != HostEventType::Deactivate;
    if (modal && form != modal && input)
        return;
    form->DispatchEvent(event);
}

void TApplication::PaintAll()
{
    for (TCustomForm* form : std::vector<TCustomForm*>(forms_)) {
        if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
            continue;
        form->PaintInvalid();
        form->Present();
    }
}

// --- Timers ---------------------------------------------------------------------------------

void TApplication::AddTimer(TTimer* timer)
{
    if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end())
        timers_.push_back(timer);
}

void TApplication::RemoveTimer(TTimer* timer) { timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end()); }

uint64_t TApplication::NextDeadline() const
{
    uint64_t deadline = UINT64_MAX;
    for (TTimer* timer : timers_)
        if (timer->Running())
            deadline = std::min(deadline, timer->Due());
    return deadline;
}

// Every timer due now ticks once, the earliest first (ties in the order they started).
void TApplication::FireDueTimers()
{
    uint64_t now = Now();
    std::vector<TTimer*> due;
    for (TTimer* timer : timers_)
        if (timer->Running() && timer->Due() <= now)
            due.push_back(timer);
    std::stable_sort(due.begin(), due.end(), [](TTimer* a, TTimer* b) { return a->Due() < b->Due(); });
    for (TTimer* timer : due) {
        // An earlier handler may have stopped or freed this one.
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end() || !timer->Running() || timer->Due() > now)
            continue;
        Guarded([&] { timer->Tick(); });
    }
}

// --- Forms ----------------------------------------------------------------------------------

bool TApplication::Active() const
{
    return std::any_of(forms_.begin(), forms_.end(), [](TCustomForm* form) { return form->Active(); });
}

void TApplication::AddForm(TCustomForm* form)
{
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TApplication::RemoveForm(TCustomForm* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
    if (form == mainForm_ && form->IsDestroying())
        mainForm_ = nullptr;
}

TCustomForm* TApplication::FindForm(int windowId) const
{
    for (TCustomForm* form : forms_)
        if (form->Host() && form->Host()->Id() == windowId)
            return form;
    return nullptr;
}

bool TApplication::HasForm(const TCustomForm* form) const
{
    return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

TCustomForm* TApplication::ActiveForm() const
{
    for (TCustomForm* form : forms_)
        if (form->Active())
            return form;
    return nullptr;
}

void TApplication::PopModal(TCustomForm* form) { modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end()); }

// --- Boxes and errors -----------------------------------------------------------------------

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    int native = host_->NativeMessageBox(text, caption, flags);
    if (native >= 0)
        return native;
    TMessageForm box(nullptr, text, caption, flags);
    return box.ShowModal();
}

std::string TApplication::ErrorBoxText(const std::string& message)
{
    if (message.empty())
        return message;
    // The last character's first byte: any non-ASCII character is greater than "." too.
    size_t last = message.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(message[last]) & 0xC0) == 0x80)
        --last;
    if (static_cast<unsigned char>(message[last]) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

void TApplication::ShowException(const std::exception& error)
{
    MessageBox(ErrorBoxText(error.what()), title_, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        MessageBox(ErrorBoxText("未知错误"), title_, MB_OK | MB_ICONSTOP);
    }
}
