#pragma once
// Windowed controls. Each C++ control class registers a window class under its own class name
// (native controls are superclassed: "TListBox" behaves as "LISTBOX"), one static window
// procedure binds the object at creation, and every message goes through hooks that other
// components may install at run time, then through the control's virtual WndProc.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/GdiOwners.h"

namespace vl {

enum class TAlign { None, Top, Bottom, Left, Right, Client };

struct TMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
};

using TNotifyEvent = std::function<void(TObject* sender)>;
using TShiftState = unsigned;  // MK_SHIFT / MK_CONTROL style bits: ssShift, ssAlt, ssCtrl below
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
enum class TMouseButton { Left, Right, Middle };
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

// A message hook: returns true when it handled the message (msg.result is then the answer).
using TWindowHook = std::function<bool(TMessage& msg)>;

// The hooks installed on one window, by identifier.
class TWindowHookList {
public:
    int Add(TWindowHook hook);
    void Remove(int id);
    // Offers `msg` to the hooks, newest first, until one handles it; true when one did. A hook
    // may remove itself or others while they run.
    bool Run(TMessage& msg) const;
    // The same for the hooks installed before hook `id` only (what `id` would reach if it
    // were not there).
    bool RunOlderThan(int id, TMessage& msg) const;

private:
    struct Hook {
        int id;
        TWindowHook fn;
    };
    std::vector<Hook> hooks_;
    int nextId_ = 1;
};

// Window creation parameters a control class fills in.
struct TCreateParams {
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    std::string baseClass;    // native class to superclass ("LISTBOX"), empty for our own
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = nullptr;
};

TShiftState KeyboardShiftState();

// The accelerator character an '&' marks in a caption ("&Add": 'A'; "&&" is a plain '&'), or 0.
char AccelChar(const std::string& caption);
// True when `caption` marks `key` (of either case) as its accelerator.
bool IsAccelChar(char key, const std::string& caption);

class TWinControl : public TComponent {
    VL_DECLARE_CLASS()
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // --- window
    HWND Handle();  // creates the window (and its parents') on first use
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Finds the control bound to a window of this framework.
    static TWinControl* FromHandle(HWND hwnd);

    // --- parent and children
    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TWinControl* Controls(int i) const { return controls_.at(static_cast<size_t>(i)); }
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return parent_; }
    // The form this control sits on (itself for a form).
    class TForm* ParentForm() const;

    // --- geometry (relative to the parent's client area)
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual int ClientWidth();
    virtual int ClientHeight();
    virtual void SetClientWidth(int w);
    virtual void SetClientHeight(int h);
    RECT ClientRect();
    POINT ClientToScreen(POINT p);
    POINT ScreenToClient(POINT p);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    // Lays out the children with an alignment (top strips first, then bottom, left, right, client).
    void Realign();

    // --- state
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // True when this control and all its parents are visible and have windows on screen.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& text) { SetText(text); }
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& text);
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TFont* Font() { return &font_; }
    const TFont& FontRef() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    HCURSOR CursorHandle() const { return cursor_; }
    int Cursor() const { return cursorId_; }
    void SetCursor(int cursorId);  // crDefault 0, crHandPoint -21, crNone -1 ...
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h) { hint_ = h; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }
    bool MouseInControl() const { return mouseInside_; }

    // --- focus
    bool Focused() const;
    virtual bool CanFocus() const;
    void SetFocus();

    // --- painting
    void Invalidate();
    void Update();
    void Repaint() { Invalidate(); Update(); }
    // Asks the parent to paint its client area, as seen under this control, into `dc`
    // (for controls that look see-through).
    void PaintParentBackground(HDC dc);

    // --- messages
    // Hooks run newest first before the control's own WndProc; a hook that returns true ends it.
    int AddWindowHook(TWindowHook hook);
    void RemoveWindowHook(int id);
    // From inside hook `hookId`: runs the message through what lies behind that hook (the older
    // hooks, then the control's own WndProc), so that a hook can act after the window's own
    // handling. msg.result holds the answer.
    void PassOn(int hookId, TMessage& msg);
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The window procedure the class was registered over (DefWindowProc or the native control's).
    LRESULT DefaultHandler(TMessage& msg);

    // --- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Offered an accelerator character (Alt+letter or a plain letter in a dialog); returns true
    // when this control's caption marks that letter and it acted on it.
    virtual bool DialogChar(char key);
    // Sends the click event; buttons and check boxes override to act as if clicked.
    virtual void Click();
    // Enter and Escape in a dialog: Enter clicks the focused button control, else the default
    // button; Escape clicks the cancel button.
    virtual bool IsDefaultButton() const { return false; }
    virtual bool IsCancelButton() const { return false; }
    virtual bool IsButtonControl() const { return false; }
    // Enter and Escape offered by the form to every visible, enabled control before it looks
    // for its default and cancel buttons (not while the focused control takes every key);
    // `shift` holds the modifier keys. Returns true when this control acted on the key.
    virtual bool DialogKeyPressed(WORD /*key*/, TShiftState /*shift*/) { return false; }

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Called once the window exists: apply state kept while there was no window.
    virtual void WindowCreated();
    virtual void WndProc(TMessage& msg);
    // Paints the control; dc is WM_PAINT's device context (BeginPaint's or the one passed in
    // wParam). The default fills with the control's colour.
    virtual void Paint(HDC dc, const RECT& clip);
    virtual bool HasOwnPaint() const { return true; }  // false for native controls

    // Change notifications for subclasses.
    virtual void FontChanged();
    virtual void TextChanged();
    virtual void EnabledChanged() {}
    virtual void VisibleChanged() {}
    virtual void ColorChanged();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resized();
    // The part of the client area that aligned children fill (inside frames and bevels).
    virtual void AdjustClientRect(RECT& /*rect*/) {}
    // Every control of a form hears when the focus moves to `focused`.
    virtual void FocusChanged(TWinControl* /*focused*/) {}
    // Notifications a native control sends to its parent, reflected back to it.
    virtual void CommandNotify(WORD /*code*/) {}
    virtual bool DrawItem(DRAWITEMSTRUCT&) { return false; }
    virtual bool MeasureItem(MEASUREITEMSTRUCT&) { return false; }
    // WM_CTLCOLOR* for this native control; return a brush or null for the default.
    virtual HBRUSH CtlColor(HDC dc);

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    // Takes `text` as the control's text without sending it to the window, which already
    // shows it (an edit the user typed into).
    void StoreText(const std::string& text);
    // Changes the visible flag without touching the window (forms manage their own showing).
    void SetVisibleFlagOnly(bool v) { visible_ = v; }
    // The brush of the control's colour, owned by the control.
    HBRUSH ColorBrush();
    // Sets or clears style bits (`which`: GWL_STYLE or GWL_EXSTYLE) of the window, if there is
    // one; the Frame variant also has the system recompute the frame, for border styles.
    void ChangeWindowStyle(int which, DWORD bits, bool on);
    void ChangeFrameStyle(int which, DWORD bits, bool on);
    void ParentFontChanged();
    void ParentColorChanged();

    friend class TForm;
    friend class TApplication;
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Dispatch(TMessage& msg);
    void InsertControl(TWinControl* child);
    void RemoveControl(TWinControl* child);
    void UpdateBoundsFromWindow();
    void TrackMouse();
    void RegisterWindowClass(const TCreateParams& params, std::string& className);
    WNDPROC BaseProc() const;

    HWND handle_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> controls_;  // children in tab order
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::None;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    uint32_t color_ = 0xFF00000F;  // button face
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    bool tabStop_ = false;
    int cursorId_ = 0;
    HCURSOR cursor_ = nullptr;
    std::string hint_;
    bool showHint_ = false;
    bool mouseInside_ = false;
    bool inSetBounds_ = false;
    TGdiBrush brush_;  // the colour's brush, made when first asked for
    TWindowHookList hooks_;
    int dispatchDepth_ = 0;
};

// A cursor identifier from a form description: a number or a name ("crHandPoint").
int CursorFromPropValue(const TPropValue& value);

// Cursor identifiers for SetCursor.
enum : int { crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeAll = -22,
             crHandPoint = -21, crHourGlass = -11, crNo = -18 };

// Catches whatever a handler threw and passes it to the application's central handler.
// Use at every Win32 callback boundary.
void HandleCallbackException(TObject* sender) noexcept;
// The same, as the boundary function of a THiddenWindow (framework/HiddenWindow.h), whose
// sender is a TObject or null.
inline void CentralBoundary(void* sender) noexcept { HandleCallbackException(static_cast<TObject*>(sender)); }

}  // namespace vl
