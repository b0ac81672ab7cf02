#pragma once

#include "toolkit/components/Component.h"
#include "toolkit/controls/ControlTypes.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/Font.h"
#include "toolkit/graphics/Geometry.h"
#include "toolkit/messages/Messages.h"

#include <string>

class TWinControl;
class TCustomForm;

// A visible element: a rectangle in its parent's client area that paints itself and receives
// input, all through messages. Controls never touch the platform: the form they live in owns
// the back buffer they paint into, and the application feeds them the input.
//
// Every message goes through WindowProc, which starts out as WndProc and may be replaced (a
// hook keeps the old value and calls it). WndProc handles what a class knows and passes the
// rest to its base class, ending in DefaultHandler.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // --- Place --------------------------------------------------------------------------------
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    // Has its own window-like area (a TWinControl); the others paint as part of their parent.
    virtual bool IsWindowed() const { return false; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

    // The client area in the control's own coordinates.
    virtual TRect ClientRect() const { return TRect(0, 0, width_, height_); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    virtual void SetClientSize(int width, int height);
    // Where the client area's (0, 0) lies in the control's bounds (non-zero for framed controls).
    virtual TPoint ClientOffset() const { return {0, 0}; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);

    // --- State --------------------------------------------------------------------------------
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents up to a shown form.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& value) { font_.Assign(value); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // Caption and Text are one value.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& value) { SetText(value); }

    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value) { biDiMode_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }

    // --- Z-order: siblings later in the parent's list are on top ----------------------------
    void BringToFront();
    void SendToBack();

    // --- Painting -----------------------------------------------------------------------------
    // Marks the control's area for painting at the next idle moment.
    virtual void Invalidate();
    // Paints the control's area now.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints whatever is marked, now.
    void Update();

    // --- Messages -----------------------------------------------------------------------------
    TWndMethod WindowProc;
    TLResult Perform(uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);

    // --- Coordinates --------------------------------------------------------------------------
    // The form the control lives in (the control itself for a form), or nullptr.
    TCustomForm* ParentForm() const;
    // The control's client (0, 0) in the window pixels of its form, and on the screen.
    TPoint ClientToWindow(TPoint p) const;
    TPoint WindowToClient(TPoint p) const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // Its bounds in its form's window pixels, cut to what its parents let through.
    TRect VisibleWindowRect() const;

    // --- Mouse --------------------------------------------------------------------------------
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // The deepest visible, enabled control at p (client coordinates); this one when none.
    virtual TControl* ControlAtPos(TPoint p);

    // --- Events -------------------------------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    // The action a button-like control runs instead of OnClick; kept for the classic protocol.
    virtual void Click();

    void Loaded() override;

protected:
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    // Paints the client area; the canvas is set up for this control, origin at its client (0, 0).
    virtual void PaintControl(TCanvas& canvas);

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Resize();
    virtual void ColorChanged() {}
    virtual void FontChanged();
    virtual void TextChanged() {}
    // Called when a SetBounds moved or resized it.
    virtual void BoundsChanged(bool resized);
    void RequestAlign();

    // Keeps clicks honest: a release counts as a click only when the press was ours.
    bool clicking_ = false;

private:
    friend class TWinControl;
    void HandleMouse(TMessage& message);
    void ParentFontChanged();
    void ParentColorChanged();

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    std::string text_;
    std::string hint_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool showHint_ = false;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csDoubleClicks;
};

// A control without a window of its own (a label): it paints as part of its parent, beneath the
// parent's windowed controls, and its canvas is valid while it paints.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCanvas& Canvas() { return canvas_; }

protected:
    void PaintControl(TCanvas& canvas) final;
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

// Whether ch is the mnemonic of caption: the character after a single "&" (any case).
bool IsAccel(char32_t ch, const std::string& caption);

// The toolkit's shift state from a key message's data (bit 29: Alt) and the keys held now.
TShiftState KeyDataToShiftState(TLParam keyData);
// Turns a mouse message's WParam (MK_ bits) into a shift state.
TShiftState MouseKeysToShiftState(TWParam keys);
