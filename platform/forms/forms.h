#pragma once
// The forms toolkit: windows, controls, menus and timers with the event
// rules written once here, whichever backend draws them.
//
// Event rules (the same in every backend):
//  - setValue on a check box or option button raises onClick only when the
//    value really changes;
//  - setListIndex raises onClick (also when set from code);
//  - setText raises onChange when the text really changes (also from code);
//  - a timer's onTimer is never re-entered: ticks that fall due while it
//    runs are dropped; other timers keep ticking;
//  - Window::showModal blocks until the window is hidden or unloaded, with
//    its owner disabled, while timers keep firing;
//  - Toolkit::doEvents runs what is pending once, then returns.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

class Backend;
class Toolkit;
class Window;

enum class Kind {
    Label,
    Button,
    TextBox,
    DropDownList, // combo box whose text is only its selected item
    EditCombo,    // combo box with an edit field
    HiddenList,   // list that is never shown, a value holder
    CheckBox,
    OptionButton,
    Frame,
    Line,
    HScrollBar,
    DriveList,
    PictureBox,
    ImageBox,
    Timer,
    MenuTop,  // an entry of the menu bar
    MenuItem, // an item inside a MenuTop
};

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0; // twips
};

struct Item {
    std::string text;
    long data = 0;
};

// What changed on a control or window, for the backend to mirror.
enum class Prop {
    Caption, Text, Enabled, Visible, Geometry, Tooltip, Font, Colors, Items,
    ListIndex, Value, Checked, State, Topmost, Focus, Interval
};

class Control {
public:
    Control(Window& owner, int id, Kind kind, std::string name);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const int id;
    const Kind kind;
    const std::string name;
    Window& window;
    Control* container = nullptr; // frame holding it, or the MenuTop of an item

    // Captions of labels, buttons, frames, check boxes, menus.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& text);
    // Text of text boxes and combo boxes (the selected item of a drop-down).
    const std::string& text() const { return text_; }
    void setText(const std::string& text);

    std::string tag; // free value holder

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    const Rect& rect() const { return rect_; }
    void move(const Rect& r);
    const std::string& tooltip() const { return tooltip_; }
    void setTooltip(const std::string& text);

    // Fonts and colours (0xBBGGRR; -1 = the system's default).
    std::string fontName;
    int fontSize = 0; // points; 0 = default
    bool bold = false;
    long foreColor = -1;
    long backColor = -1;
    bool border = false;
    bool centred = false;
    bool handCursor = false; // a pointing hand over the control: it opens something
    void setBackColor(long colour);
    void setForeColor(long colour);

    // Lists (combo boxes, hidden lists, the drive list).
    const std::vector<Item>& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    void addItem(const std::string& text, long data = 0);
    void removeItem(int index);
    void clear();
    long itemData(int index) const;
    void setItemData(int index, long data);
    std::string list(int index) const;
    int listIndex() const { return listIndex_; }
    void setListIndex(int index); // -1 = nothing selected

    // Check boxes and option buttons: 0 or 1.
    int value() const { return value_; }
    void setValue(int v);

    // Menu items.
    bool checked() const { return checked_; }
    void setChecked(bool on);

    // Timers.
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool timerEnabled() const { return enabled_; }
    void setTimerEnabled(bool on) { setEnabled(on); }

    void setFocus();

    // Events, wired by the window that owns the control.
    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void(MouseButton)> onMouseDown;
    std::function<void(MouseButton)> onMouseUp;
    std::function<void()> onTimer;

    // Called by backends when the user acts; they apply the event rules.
    void userClick();                        // button, label, menu item, check box
    void userText(const std::string& text);  // typed into an edit field
    void userPick(int index);                // picked from a list
    void userMouseDown(MouseButton b);
    void userMouseUp(MouseButton b);
    void timerTick();                        // the backend's timer fell due
    // Enabled and visible along the chain of containers: what a user can reach.
    bool reachable() const;
    // Enabled, or visible, together with every container that holds it.
    bool enabledWithContainers() const;
    bool visibleWithContainers() const;

    void* peer = nullptr; // backend's native object

private:
    void changed(Prop p);
    std::string caption_, text_, tooltip_;
    bool enabled_ = true, visible_ = true, checked_ = false;
    Rect rect_;
    std::vector<Item> items_;
    int listIndex_ = -1;
    int value_ = 0;
    int interval_ = 0;
    bool ticking_ = false;
};

enum class WindowState { Normal = 0, Minimized = 1 };

class Window {
public:
    Window(Toolkit& toolkit, std::string name, std::string caption);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Toolkit& toolkit;
    const std::string name;

    // Controls are created in design order and live as long as the window.
    Control& add(int id, Kind kind, const std::string& name, const Rect& r,
                 const std::string& caption = {});
    Control* find(int id);
    Control* find(const std::string& name);
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& text);
    std::string tag;
    int clientWidth = 0, clientHeight = 0; // twips
    int iconId = 0;                        // resource id of the window's icon

    // Outer position and size in twips.
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setLeft(int twips);
    void setTop(int twips);

    WindowState state() const { return state_; }
    void setState(WindowState s);
    bool topmost() const { return topmost_; }
    void setTopmost(bool on);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }

    bool loaded() const { return peer != nullptr; }
    // Creates the native window (once); design state as built by add().
    void load();
    void show();
    // Shows the window modally, owned by owner, and returns when it is
    // hidden or unloaded (or the program ended).
    void showModal(Window* owner);
    void hide();
    // Destroys the native window; the object and its controls stay.
    void unload();

    // Asked when the user closes the window; the window decides.
    std::function<void()> onCloseRequest;
    // After the user moved or resized the window, the backend reports the
    // new outer geometry here.
    void userMoved(int leftTwips, int topTwips, int widthTwips, int heightTwips);
    void userState(WindowState s);
    // The user asked to close the window: onCloseRequest decides, else it unloads.
    void userClose();

    void* peer = nullptr;
    Window* owner = nullptr;

private:
    friend class Control;
    friend class Toolkit;
    void changed(Prop p);
    void changed(Control& c, Prop p);
    std::vector<std::unique_ptr<Control>> controls_;
    std::string caption_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    WindowState state_ = WindowState::Normal;
    bool topmost_ = false, enabled_ = true, visible_ = false;
    int modalDepth_ = 0;
};

enum MessageBoxFlags : unsigned {
    MB_OK_ = 0x0,
    MB_ICONERROR_ = 0x10,
    MB_ICONWARNING_ = 0x30,
    MB_ICONINFORMATION_ = 0x40,
};

// What a backend does: native peers, drawing, input, the message loop.
class Backend {
public:
    virtual ~Backend() = default;
    virtual void createWindow(Window& w) = 0;
    virtual void destroyWindow(Window& w) = 0;
    virtual void windowChanged(Window& w, Prop p) = 0;
    virtual void controlChanged(Control& c, Prop p) = 0;
    virtual void showWindow(Window& w, bool show) = 0;
    // Runs the message loop until w is no longer visible or the program ended.
    virtual void runModal(Window& w) = 0;
    virtual void doEvents() = 0;
    // Runs the message loop until the program ends.
    virtual int run() = 0;
    virtual void startTimer(Control& timer) = 0;
    virtual void stopTimer(Control& timer) = 0;
    virtual int messageBox(Window* owner, const std::string& text, const std::string& title,
                           unsigned flags) = 0;
    virtual int twipsPerPixelX() = 0;
    virtual int twipsPerPixelY() = 0;
    virtual std::uintptr_t nativeHandle(const Window& w) = 0;
    virtual void quit() = 0;
};

class Toolkit {
public:
    explicit Toolkit(Backend& b) : backend(b) {}
    Backend& backend;
    void doEvents() { backend.doEvents(); }
    int messageBox(Window* owner, const std::string& text, const std::string& title,
                   unsigned flags = MB_OK_) {
        return backend.messageBox(owner, text, title, flags);
    }
    // Ends the message loops; nothing runs after it.
    void quit();
    bool ended() const { return ended_; }

private:
    bool ended_ = false;
};

} // namespace forms
