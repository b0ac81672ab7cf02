#pragma once

#include "toolkit/controls/WinControl.h"
#include "toolkit/graphics/Picture.h"
#include "toolkit/graphics/Region.h"

#include <memory>
#include <optional>

class HostWindow;
class TResourceLocator;
struct HostEvent;
struct HostWindowParams;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Modal results, as buttons and ShowModal report them.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window. Its Left, Top, Width and Height are the window rectangle on the screen,
// frame included; the client rectangle comes from WM_NCCALCSIZE. The window procedure receives
// the non-client messages with the platform's numbers and meanings:
//   WM_NCCALCSIZE  whenever the frame may have changed (WParam 1, TNCCalcSizeParams in LParam);
//   WM_NCPAINT     when the frame needs painting; the default draws the classic frame and caption
//                  through WindowCanvas();
//   WM_NCACTIVATE  then WM_ACTIVATE on activation changes (WParam: active or not);
//   WM_SIZE        after the client size changed; WM_SHOWWINDOW when shown or hidden;
//   WM_NCHITTEST   for every mouse event (LParam: screen point), WM_NCLBUTTONDOWN and friends
//                  outside the client area; HTCAPTION starts a system move;
//   WM_KEYDOWN     when the form itself has the focus; WM_DESTROY when its window goes.
// The window exists from the first Show (or HandleNeeded) until the form is destroyed; painting
// goes into a back buffer of the window's size that the host presents.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Reads the form's layout (see TLayoutReader), then runs OnCreate; an error from OnCreate is
    // shown in the application's error box and the form is kept.
    void LoadLayout(std::string_view text, const TResourceLocator* resources);
    void DoCreate();

    // --- Window -------------------------------------------------------------------------------
    bool HandleAllocated() const { return hostWindow_ != nullptr; }
    void HandleNeeded();
    HostWindow* Host() const { return hostWindow_.get(); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TPicture& Icon() { return icon_; }
    // The window region: only its pixels belong to the window (the host applies it as the
    // shape). nullptr restores the plain rectangle. The form keeps its own copy.
    void SetWindowRgn(const TRegion* region, bool redraw);
    const std::optional<TRegion>& WindowRgn() const { return windowRegion_; }
    void SetBounds(int left, int top, int width, int height) override;
    bool Showing() const override { return Visible() && HandleAllocated(); }
    void SetVisible(bool value) override;

    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool Scaled = true;
    bool AutoScroll = false;
    bool KeyPreviewValue = false;
    bool KeyPreview() const { return KeyPreviewValue; }
    TComponent* Menu = nullptr;

    // --- Activation, closing, modality -----------------------------------------------------------
    bool Active() const { return active_; }
    void SetActive(bool value);
    void Close();
    bool CloseQuery();
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool IsModal() const { return modal_; }

    // --- Focus --------------------------------------------------------------------------------
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the keyboard focus, sending WM_KILLFOCUS, CM_EXIT, CM_FOCUSCHANGED (broadcast to all
    // controls, LParam: the new control), CM_ENTER and WM_SETFOCUS.
    void FocusControl(TWinControl* control);
    // The control (or one inside it) is going away or can no longer hold the focus.
    void DefocusControl(TWinControl* control);
    void SendCancelMode(TControl* sender);
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control);
    TControl* MouseControl() const { return mouseControl_; }
    void ControlRemoved(TControl* control);

    // --- Painting -----------------------------------------------------------------------------
    TBitmap& BackBuffer() { return backBuffer_; }
    TCanvas& Canvas() { return canvas_; }
    void InvalidateWindowRect(const TRect& rect);
    void InvalidateFrame();
    // Paints what is invalid and hands the changed pixels to the host.
    void PaintInvalid();
    void PaintWindowRect(const TRect& rect);
    void PaintControlNow(TWinControl* control);
    void MarkPresent(const TRect& rect);
    void Present();
    void Invalidate() override;
    void Repaint() override;

    // --- Input from the application ------------------------------------------------------------
    virtual void DispatchEvent(const HostEvent& event);

    // --- Events -------------------------------------------------------------------------------
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // Frame sizes of the default procedure: 4 for a sizing frame, 3 for a dialog frame, 1 for a
    // thin border; the caption is 19 pixels (16 for a tool window), separator line included.
    int FrameWidth() const;
    int CaptionHeight() const;

protected:
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    TRect DefaultClientRect(const TRect& window) const override;
    void PaintFrame(TCanvas& canvas) override;
    void PaintControl(TCanvas& canvas) override;
    void BoundsChanged(bool resized) override;
    void TextChanged() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void DestroyHandle();
    // What the host is told when the window is made.
    virtual void CreateParams(HostWindowParams& params);

private:
    void ApplyBorderStyle();
    void PlaceOnShow();
    void HandleDialogKey(TMessage& message);
    void DispatchMouse(const HostEvent& event);
    void DispatchKey(const HostEvent& event);
    void TrackMouse(TControl* hover);
    int HitTestDefault(TPoint window) const;
    TRect CloseButtonRect() const;
    void DrawCaption(TCanvas& canvas);

    TBorderStyle borderStyle_ = bsSizeable;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDesigned;
    TPicture icon_;
    std::unique_ptr<HostWindow> hostWindow_;
    TBitmap backBuffer_;
    TCanvas canvas_;
    TRect invalid_;
    TRect presentDirty_;
    std::optional<TRegion> windowRegion_;
    TRect normalBounds_;
    bool active_ = false;
    bool frameActive_ = false;
    bool modal_ = false;
    bool placed_ = false;
    bool closeButtonDown_ = false;
    int modalResult_ = mrNone;
    TWinControl* activeControl_ = nullptr;
    TControl* captureControl_ = nullptr;
    TControl* mouseControl_ = nullptr;
    // Double clicks: the last left press.
    TControl* lastDownControl_ = nullptr;
    uint64_t lastDownTime_ = 0;
    TPoint lastDownPoint_;
};
