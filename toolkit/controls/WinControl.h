#pragma once

#include "toolkit/controls/Control.h"
#include "toolkit/controls/ScrollInfo.h"

#include <memory>
#include <vector>

// Parameters of WM_NCCALCSIZE (LParam) as the platform lays them out: rgrc[0] comes in as the
// proposed window rectangle and goes out as the client rectangle, both in the coordinates of
// the window's parent (the screen for a form).
struct TWindowPos {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    uint32_t flags = 0;
};
struct TNCCalcSizeParams {
    TRect rgrc[3];
    TWindowPos* lppos = nullptr;
};

// A control with a window-like area of its own: it has children, a frame computed through
// WM_NCCALCSIZE, the keyboard focus, a tab order, and paints through WM_NCPAINT,
// WM_ERASEBKGND and WM_PAINT. For WM_ERASEBKGND and WM_PAINT a non-zero WParam is the TCanvas to
// paint into (the "device context"); WM_PAINT into a given canvas paints the control and its
// windowless children, never its windowed children.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool IsWindowed() const override { return true; }

    // --- Children, in z-order (last on top) --------------------------------------------------
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    TControl* ControlAtPos(TPoint p) override;
    // Sends the message to every child until one sets a non-zero result.
    void Broadcast(TMessage& message);

    // --- Frame ------------------------------------------------------------------------------
    TRect ClientRect() const override;
    TPoint ClientOffset() const override { return clientRect_.TopLeft(); }
    void SetClientSize(int width, int height) override;
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // Window style bits (WS_...) and extended bits (WS_EX_...), as GetWindowLong reads them.
    uint32_t WindowLong(int index) const;
    void SetWindowLong(int index, uint32_t value);
    // Re-computes the frame (SWP_FRAMECHANGED) and/or moves and sizes, sending the messages the
    // platform sends: WM_NCCALCSIZE, then WM_SIZE when the client size changed, WM_MOVE.
    virtual void SetWindowPos(int x, int y, int cx, int cy, uint32_t flags);
    void SetBounds(int left, int top, int width, int height) override;

    // --- Focus and tab order ------------------------------------------------------------------
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // Showing and enabled, and so are all its parents.
    virtual bool CanFocus() const;
    bool Focused() const;
    // Gives it the focus; raises EInvalidOperation ("无法聚焦禁用或不可见的窗口") when it cannot take it.
    virtual void SetFocus();
    // The focusable windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    void SelectFirst();

    // --- Painting -----------------------------------------------------------------------------
    void Invalidate() override;
    void Repaint() override;
    // Canvases over the control's area in its form's back buffer: the whole window (frame
    // included, origin at the window's top-left) and the client area (origin and clip at the
    // client rectangle). Valid until the next call; drawing through them shows at the next
    // presentation.
    TCanvas& WindowCanvas();
    TCanvas& ClientCanvas();
    // Paints the frame, background, contents and children into `canvas`, whose origin lies at
    // the control's top-left corner (frame included).
    void PaintTree(TCanvas& canvas);

    // --- Scroll bars of the frame (WS_HSCROLL, WS_VSCROLL) -------------------------------------
    // The platform's scroll-bar information query: bar geometry (screen pixels), thumb offsets
    // and state flags. A control without that bar answers with STATE_SYSTEM_INVISIBLE.
    virtual bool GetScrollBarInfo(int32_t objectId, TScrollBarInfo& info);
    // The bar's range, page, position and track position (SB_HORZ or SB_VERT).
    virtual bool GetScrollInfo(int bar, TScrollInfo& info);

    // --- Events -------------------------------------------------------------------------------
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void Loaded() override;
    // Lays out the aligned and anchored children again.
    void Realign();

protected:
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void BoundsChanged(bool resized) override;
    virtual void AlignControls(TRect& rect);
    // Paints the frame (WM_NCPAINT's default): the client area is excluded already.
    virtual void PaintFrame(TCanvas& windowCanvas);
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Recomputes the client rectangle through WM_NCCALCSIZE.
    void UpdateClientRect(uint32_t flags);
    virtual TRect DefaultClientRect(const TRect& window) const;

    TRect clientRect_;  // in the control's own coordinates
    uint32_t style_ = 0;
    uint32_t exStyle_ = 0;

private:
    friend class TControl;
    friend class TCustomForm;
    void HandleKey(TMessage& message);
    void HandleChar(TMessage& message);
    void FixupTabList();
    void PaintClient(TCanvas& canvas, bool withWindowedChildren);
    void AlignOne(TControl* control, TRect& rect);

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int borderWidth_ = 0;
    bool tabStop_ = false;
    int wantedTabOrder_ = -1;
    int aligning_ = 0;
    TCanvas windowCanvas_;
    TCanvas clientCanvas_;
};

// A windowed control that paints itself with Paint() on its Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCanvas& Canvas() { return canvas_; }

protected:
    void PaintControl(TCanvas& canvas) final;
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

// An operation that is not possible in the control's state.
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
