#include "platform/forms/forms.h"

#include <utility>

namespace forms {

namespace {

bool isList(Kind k) {
    return k == Kind::DropDownList || k == Kind::EditCombo || k == Kind::HiddenList ||
           k == Kind::DriveList;
}

// Lists whose text is nothing but their selected item.
bool textIsSelection(Kind k) {
    return k == Kind::DropDownList || k == Kind::DriveList;
}

// A copy, so that a handler may rewire or clear its own event while it runs.
void raise(const Toolkit& tk, const std::function<void()>& event) {
    if (!event || tk.ended())
        return;
    auto run = event;
    run();
}

void raise(const Toolkit& tk, const std::function<void(MouseButton)>& event, MouseButton b) {
    if (!event || tk.ended())
        return;
    auto run = event;
    run(b);
}

// What the backends may report as the user's doing.
bool acceptsInput(const Control& c) {
    return c.enabledWithContainers() && c.window.enabled() && c.window.loaded() &&
           !c.window.toolkit.ended();
}

} // namespace

// ---- Control -------------------------------------------------------------

Control::Control(Window& owner, int id_, Kind kind_, std::string name_)
    : id(id_), kind(kind_), name(std::move(name_)), window(owner) {}

void Control::changed(Prop p) { window.changed(*this, p); }

void Control::setCaption(const std::string& text) {
    if (caption_ == text)
        return;
    caption_ = text;
    changed(Prop::Caption);
}

void Control::setText(const std::string& text) {
    if (textIsSelection(kind)) {
        // Such a list can only show one of its items.
        for (int i = 0; i < listCount(); ++i)
            if (items_[static_cast<std::size_t>(i)].text == text) {
                setListIndex(i);
                return;
            }
        return;
    }
    if (text_ == text)
        return;
    text_ = text;
    if (!textIsSelection(kind) && listIndex_ >= 0 &&
        items_[static_cast<std::size_t>(listIndex_)].text != text)
        listIndex_ = -1;
    changed(Prop::Text);
    raise(window.toolkit, onChange);
}

void Control::setEnabled(bool on) {
    if (enabled_ == on)
        return;
    enabled_ = on;
    if (kind == Kind::Timer) {
        if (!window.loaded())
            return;
        if (on && interval_ > 0)
            window.toolkit.backend.startTimer(*this);
        else
            window.toolkit.backend.stopTimer(*this);
        return;
    }
    changed(Prop::Enabled);
}

void Control::setVisible(bool on) {
    if (visible_ == on)
        return;
    visible_ = on;
    changed(Prop::Visible);
}

void Control::move(const Rect& r) {
    rect_ = r;
    changed(Prop::Geometry);
}

void Control::setTooltip(const std::string& text) {
    if (tooltip_ == text)
        return;
    tooltip_ = text;
    changed(Prop::Tooltip);
}

void Control::setBackColor(long colour) {
    backColor = colour;
    changed(Prop::Colors);
}

void Control::setForeColor(long colour) {
    foreColor = colour;
    changed(Prop::Colors);
}

void Control::addItem(const std::string& text, long data) {
    items_.push_back(Item{text, data});
    changed(Prop::Items);
}

void Control::removeItem(int index) {
    if (index < 0 || index >= listCount())
        return;
    items_.erase(items_.begin() + index);
    if (index == listIndex_) {
        listIndex_ = -1;
        if (textIsSelection(kind))
            text_.clear();
    } else if (index < listIndex_) {
        --listIndex_;
    }
    changed(Prop::Items);
}

void Control::clear() {
    items_.clear();
    listIndex_ = -1;
    text_.clear();
    changed(Prop::Items);
}

long Control::itemData(int index) const {
    if (index < 0 || index >= listCount())
        return 0;
    return items_[static_cast<std::size_t>(index)].data;
}

void Control::setItemData(int index, long data) {
    if (index < 0 || index >= listCount())
        return;
    items_[static_cast<std::size_t>(index)].data = data;
}

std::string Control::list(int index) const {
    if (index < 0 || index >= listCount())
        return {};
    return items_[static_cast<std::size_t>(index)].text;
}

void Control::setListIndex(int index) {
    if (!isList(kind) || index < -1 || index >= listCount())
        return;
    listIndex_ = index;
    if (index >= 0)
        text_ = items_[static_cast<std::size_t>(index)].text;
    else if (textIsSelection(kind))
        text_.clear();
    changed(Prop::ListIndex);
    raise(window.toolkit, onClick);
}

void Control::setValue(int v) {
    v = v != 0 ? 1 : 0;
    if (value_ == v)
        return;
    value_ = v;
    changed(Prop::Value);
    if (kind == Kind::OptionButton && v == 1) {
        // Option buttons of one container form a group: one is on.
        for (const auto& other : window.controls())
            if (other.get() != this && other->kind == Kind::OptionButton &&
                other->container == container && other->value_ != 0) {
                other->value_ = 0;
                other->changed(Prop::Value);
            }
    }
    raise(window.toolkit, onClick);
}

void Control::setChecked(bool on) {
    if (checked_ == on)
        return;
    checked_ = on;
    changed(Prop::Checked);
}

void Control::setInterval(int ms) {
    if (interval_ == ms)
        return;
    interval_ = ms < 0 ? 0 : ms;
    if (kind != Kind::Timer || !window.loaded())
        return;
    // A new interval starts counting afresh, as a real window timer does.
    window.toolkit.backend.stopTimer(*this);
    if (enabled_ && interval_ > 0)
        window.toolkit.backend.startTimer(*this);
}

void Control::setFocus() { changed(Prop::Focus); }

void Control::userClick() {
    if (!acceptsInput(*this))
        return;
    switch (kind) {
    case Kind::CheckBox:
        setValue(value_ != 0 ? 0 : 1);
        break;
    case Kind::OptionButton:
        setValue(1);
        break;
    default:
        raise(window.toolkit, onClick);
        break;
    }
}

void Control::userText(const std::string& text) {
    if (!acceptsInput(*this) || text_ == text)
        return;
    text_ = text;
    if (!textIsSelection(kind) && listIndex_ >= 0 &&
        items_[static_cast<std::size_t>(listIndex_)].text != text)
        listIndex_ = -1;
    raise(window.toolkit, onChange);
}

void Control::userPick(int index) {
    if (!acceptsInput(*this) || index < 0 || index >= listCount())
        return;
    // The peer already shows the pick: the model follows without echoing it.
    listIndex_ = index;
    text_ = items_[static_cast<std::size_t>(index)].text;
    raise(window.toolkit, onClick);
}

void Control::userMouseDown(MouseButton b) {
    if (acceptsInput(*this))
        raise(window.toolkit, onMouseDown, b);
}

void Control::userMouseUp(MouseButton b) {
    if (acceptsInput(*this))
        raise(window.toolkit, onMouseUp, b);
}

void Control::timerTick() {
    if (ticking_ || !enabled_ || interval_ <= 0 || !window.loaded())
        return;
    ticking_ = true;
    raise(window.toolkit, onTimer);
    ticking_ = false;
}

bool Control::reachable() const {
    return acceptsInput(*this) && visibleWithContainers() && window.visible();
}

// ---- Window --------------------------------------------------------------

Window::Window(Toolkit& tk, std::string name_, std::string caption)
    : toolkit(tk), name(std::move(name_)), caption_(std::move(caption)) {}

Window::~Window() { unload(); }

Control& Window::add(int id, Kind kind, const std::string& controlName, const Rect& r,
                     const std::string& caption) {
    controls_.push_back(std::make_unique<Control>(*this, id, kind, controlName));
    Control& c = *controls_.back();
    // A control added to a live window gets its peer from the first change.
    c.move(r);
    c.setCaption(caption);
    return c;
}

Control* Window::find(int id) {
    for (auto& c : controls_)
        if (c->id == id)
            return c.get();
    return nullptr;
}

Control* Window::find(const std::string& controlName) {
    for (auto& c : controls_)
        if (c->name == controlName)
            return c.get();
    return nullptr;
}

void Window::changed(Prop p) {
    if (loaded())
        toolkit.backend.windowChanged(*this, p);
}

void Window::changed(Control& c, Prop p) {
    if (loaded())
        toolkit.backend.controlChanged(c, p);
}

void Window::setCaption(const std::string& text) {
    if (caption_ == text)
        return;
    caption_ = text;
    changed(Prop::Caption);
}

void Window::setLeft(int twips) {
    left_ = twips;
    changed(Prop::Geometry);
}

void Window::setTop(int twips) {
    top_ = twips;
    changed(Prop::Geometry);
}

void Window::setState(WindowState s) {
    if (state_ == s)
        return;
    state_ = s;
    changed(Prop::State);
}

void Window::setTopmost(bool on) {
    topmost_ = on;
    changed(Prop::Topmost);
}

void Window::setEnabled(bool on) {
    if (enabled_ == on)
        return;
    enabled_ = on;
    changed(Prop::Enabled);
}

void Window::load() {
    if (loaded() || toolkit.ended())
        return;
    toolkit.backend.createWindow(*this);
    for (auto& c : controls_)
        if (c->kind == Kind::Timer && c->enabled() && c->interval() > 0)
            toolkit.backend.startTimer(*c);
}

void Window::show() {
    load();
    if (!loaded())
        return;
    visible_ = true;
    toolkit.backend.showWindow(*this, true);
}

void Window::showModal(Window* ownerWindow) {
    if (modalDepth_ > 0 || toolkit.ended())
        return;
    load();
    if (!loaded())
        return;
    owner = ownerWindow;
    const bool ownerWasEnabled = owner && owner->enabled();
    if (owner)
        owner->setEnabled(false);
    ++modalDepth_;
    show();
    toolkit.backend.runModal(*this);
    --modalDepth_;
    if (owner) {
        owner->setEnabled(ownerWasEnabled);
        owner->changed(Prop::Focus);
    }
}

void Window::hide() {
    if (!visible_)
        return;
    visible_ = false;
    if (loaded())
        toolkit.backend.showWindow(*this, false);
}

void Window::unload() {
    if (!loaded())
        return;
    for (auto& c : controls_)
        if (c->kind == Kind::Timer)
            toolkit.backend.stopTimer(*c);
    visible_ = false;
    toolkit.backend.destroyWindow(*this);
    peer = nullptr;
    for (auto& c : controls_)
        c->peer = nullptr;
}

void Window::userMoved(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
    left_ = leftTwips;
    top_ = topTwips;
    width_ = widthTwips;
    height_ = heightTwips;
}

void Window::userState(WindowState s) { state_ = s; }

void Window::userClose() {
    if (!loaded() || toolkit.ended())
        return;
    if (onCloseRequest)
        raise(toolkit, onCloseRequest);
    else
        unload();
}

// ---- Toolkit -------------------------------------------------------------

void Toolkit::quit() {
    if (ended_)
        return;
    ended_ = true;
    backend.quit();
}

bool Control::enabledWithContainers() const {
    for (const Control* p = this; p; p = p->container)
        if (!p->enabled())
            return false;
    return true;
}

bool Control::visibleWithContainers() const {
    for (const Control* p = this; p; p = p->container)
        if (!p->visible())
            return false;
    return true;
}

} // namespace forms
