#include "tests/support/RecordingBackend.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/ProgressBar.h"
#include "platform/RunTimeError.h"
#include "platform/ScrollBar.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <sstream>
#include <stdexcept>

namespace testing_support
{

namespace
{

std::string Number(float value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string Flag(bool value)
{
    return value ? "1" : "0";
}

} // namespace

class RecordingControl final : public platform::LabelPeer,
                               public platform::CommandButtonPeer,
                               public platform::CheckBoxPeer,
                               public platform::PictureBoxPeer,
                               public platform::ShapePeer,
                               public platform::ScrollBarPeer,
                               public platform::ProgressBarPeer
{
public:
    RecordingControl(RecordingBackend& backend, platform::Control& control, const char* kind)
        : backend_(backend), control_(control), name_(control.QualifiedName())
    {
        backend_.Record(std::string("Create ") + kind + " " + name_);
        backend_.Add(*this);
    }
    ~RecordingControl() override { backend_.Remove(*this); }

    const std::string& Name() const { return name_; }
    platform::Control& Control() const { return control_; }
    bool checked = false;

    void SetVisible(bool visible) override { Set("Visible", Flag(visible)); }
    void SetBounds(const platform::PixelRect& b) override
    {
        Set("Bounds", std::to_string(b.x) + "," + std::to_string(b.y) + "," +
                          std::to_string(b.width) + "x" + std::to_string(b.height));
    }
    void SetCaption(std::string_view caption) override { Set("Caption", std::string(caption)); }
    void SetChecked(bool value) override
    {
        Set("Checked", Flag(value));
        checked = value;
    }
    void SetPicture(const platform::Bitmap* picture) override
    {
        Set("Picture",
            picture ? std::to_string(picture->Width()) + "x" + std::to_string(picture->Height())
                    : "none");
    }
    void SetBorder(bool sunken) override { Set("Border", Flag(sunken)); }
    void SetCursor(const platform::CursorImage* cursor) override
    {
        Set("Cursor", cursor ? "custom" : "default");
    }
    void SetToolTip(std::string_view text) override { Set("ToolTip", std::string(text)); }
    void Refresh() override { backend_.Record(name_ + ".Refresh"); }
    void SetRange(std::int16_t min, std::int16_t max) override
    {
        Set("Range", std::to_string(min) + ".." + std::to_string(max));
    }
    void SetValue(std::int16_t value) override { Set("Value", std::to_string(value)); }
    void SetRange(float min, float max) override { Set("Range", Number(min) + ".." + Number(max)); }
    void SetValue(float value) override { Set("Value", Number(value)); }

private:
    void Set(const char* property, const std::string& value)
    {
        backend_.Record(name_ + "." + property + "=" + value);
    }

    RecordingBackend& backend_;
    platform::Control& control_;
    std::string name_;
};

class RecordingWindow final : public platform::WindowPeer
{
public:
    RecordingWindow(RecordingBackend& backend, platform::Form& form, std::uintptr_t handle)
        : backend_(backend), form_(form), name_(form.Name()), handle_(handle)
    {
        backend_.Record("CreateWindow " + name_);
        backend_.Add(*this);
    }
    ~RecordingWindow() override
    {
        backend_.Remove(*this);
        backend_.Record("DestroyWindow " + name_);
    }

    const std::string& Name() const { return name_; }
    platform::Form& Form() const { return form_; }
    std::optional<platform::Region> shape;

    void SetCaption(std::string_view caption) override { Set("Caption", std::string(caption)); }
    void SetBorderStyle(platform::BorderStyle style) override
    {
        Set("BorderStyle", std::to_string(int(style)));
    }
    void SetSize(std::int32_t width, std::int32_t height) override
    {
        Set("Size", std::to_string(width) + "x" + std::to_string(height));
    }
    void SetMousePointer(platform::MousePointer pointer) override
    {
        Set("MousePointer", std::to_string(int(pointer)));
    }
    void SetVisible(bool visible) override { Set("Visible", Flag(visible)); }
    platform::WindowHandle Handle() const override { return {handle_}; }
    void SetShape(const platform::Region* region, bool redraw) override
    {
        Set("Shape", (region ? std::to_string(region->size()) + " rects" : std::string("none")) +
                         " redraw=" + Flag(redraw));
        if (region)
            shape = *region;
        else
            shape.reset();
    }
    void SetTopmost(bool topmost) override { Set("Topmost", Flag(topmost)); }
    void StartSystemMove() override { backend_.Record(name_ + ".StartSystemMove"); }
    void SetTabOrder(const std::vector<platform::ControlPeer*>& order) override
    {
        std::string names;
        for (auto* peer : order) {
            if (!names.empty())
                names += ",";
            names += dynamic_cast<RecordingControl*>(peer)->Control().Name();
        }
        Set("TabOrder", names);
    }

    std::unique_ptr<platform::LabelPeer> CreateLabel(platform::Label& c,
                                                     platform::ContainerPeer) override
    {
        return std::make_unique<RecordingControl>(backend_, c, "Label");
    }
    std::unique_ptr<platform::CommandButtonPeer>
    CreateCommandButton(platform::CommandButton& c, platform::ContainerPeer) override
    {
        return std::make_unique<RecordingControl>(backend_, c, "CommandButton");
    }
    std::unique_ptr<platform::CheckBoxPeer> CreateCheckBox(platform::CheckBox& c,
                                                           platform::ContainerPeer) override
    {
        auto peer = std::make_unique<RecordingControl>(backend_, c, "CheckBox");
        peer->checked = c.Value() == 1;
        return peer;
    }
    std::unique_ptr<platform::PictureBoxPeer> CreatePictureBox(platform::PictureBox& c,
                                                               platform::ContainerPeer) override
    {
        return std::make_unique<RecordingControl>(backend_, c, "PictureBox");
    }
    std::unique_ptr<platform::ShapePeer> CreateShape(platform::Shape& c,
                                                     platform::ContainerPeer) override
    {
        return std::make_unique<RecordingControl>(backend_, c, "Shape");
    }
    std::unique_ptr<platform::ScrollBarPeer> CreateScrollBar(platform::ScrollBar& c,
                                                             platform::ContainerPeer) override
    {
        return std::make_unique<RecordingControl>(backend_, c, "ScrollBar");
    }
    std::unique_ptr<platform::ProgressBarPeer> CreateProgressBar(platform::ProgressBar& c,
                                                                 platform::ContainerPeer) override
    {
        return std::make_unique<RecordingControl>(backend_, c, "ProgressBar");
    }

private:
    void Set(const char* property, const std::string& value)
    {
        backend_.Record(name_ + "." + property + "=" + value);
    }

    RecordingBackend& backend_;
    platform::Form& form_;
    std::string name_;
    std::uintptr_t handle_;
};

class RecordingTimer final : public platform::TimerPeer
{
public:
    RecordingTimer(RecordingBackend& backend, platform::Timer& timer)
        : backend_(backend), timer_(timer), name_(timer.QualifiedName())
    {
        backend_.Record("CreateTimer " + name_);
        backend_.Add(*this);
    }
    ~RecordingTimer() override { backend_.Remove(*this); }

    const std::string& Name() const { return name_; }
    platform::Timer& Timer() const { return timer_; }
    bool enabled = false;

    void SetInterval(std::int32_t ms) override
    {
        backend_.Record(name_ + ".Interval=" + std::to_string(ms));
    }
    void SetEnabled(bool value) override
    {
        backend_.Record(name_ + ".Enabled=" + Flag(value));
        enabled = value;
    }

private:
    RecordingBackend& backend_;
    platform::Timer& timer_;
    std::string name_;
};

RecordingBackend::RecordingBackend() = default;
RecordingBackend::~RecordingBackend() = default;

void RecordingBackend::FailOn(std::string prefix, int number)
{
    failures_.emplace_back(std::move(prefix), number);
}

void RecordingBackend::Record(std::string line)
{
    for (auto it = failures_.begin(); it != failures_.end(); ++it) {
        if (line.rfind(it->first, 0) == 0) {
            const int number = it->second;
            failures_.erase(it);
            calls.push_back("FAILED " + line);
            throw platform::RunTimeError(number, "injected failure at " + line);
        }
    }
    calls.push_back(std::move(line));
}

void RecordingBackend::Add(RecordingWindow& w)
{
    windows_[w.Name()] = &w;
}
void RecordingBackend::Remove(RecordingWindow& w)
{
    windows_.erase(w.Name());
}
void RecordingBackend::Add(RecordingControl& c)
{
    controls_[c.Name()] = &c;
}
void RecordingBackend::Remove(RecordingControl& c)
{
    controls_.erase(c.Name());
}
void RecordingBackend::Add(RecordingTimer& t)
{
    timers_[t.Name()] = &t;
}
void RecordingBackend::Remove(RecordingTimer& t)
{
    timers_.erase(t.Name());
}

RecordingControl& RecordingBackend::FindControl(std::string_view name) const
{
    auto it = controls_.find(name);
    if (it == controls_.end())
        throw std::logic_error("no control " + std::string(name) + " exists");
    return *it->second;
}

void RecordingBackend::Click(std::string_view name)
{
    RecordingControl& peer = FindControl(name);
    platform::Control& control = peer.Control();
    if (auto* button = dynamic_cast<platform::CommandButton*>(&control))
        button->PeerClicked();
    else if (auto* box = dynamic_cast<platform::CheckBox*>(&control))
        box->PeerToggled(box->Value() != 1);
    else if (auto* picture = dynamic_cast<platform::PictureBox*>(&control))
        picture->PeerClicked();
    else
        throw std::logic_error(std::string(name) + " takes no click");
}

void RecordingBackend::MouseDown(std::string_view name, platform::MouseEventArgs args)
{
    auto* picture = dynamic_cast<platform::PictureBox*>(&FindControl(name).Control());
    if (!picture)
        throw std::logic_error(std::string(name) + " takes no mouse press here");
    picture->PeerMouseDown(args);
}

void RecordingBackend::Tick(std::string_view name)
{
    auto it = timers_.find(name);
    if (it == timers_.end())
        throw std::logic_error("no timer " + std::string(name) + " runs");
    if (it->second->enabled)
        it->second->Timer().PeerTick();
}

void RecordingBackend::Close(std::string_view name)
{
    auto it = windows_.find(name);
    if (it == windows_.end())
        throw std::logic_error("no window " + std::string(name) + " exists");
    it->second->Form().PeerCloseRequested();
}

bool RecordingBackend::WindowExists(std::string_view name) const
{
    return windows_.find(name) != windows_.end();
}

bool RecordingBackend::ControlExists(std::string_view name) const
{
    return controls_.find(name) != controls_.end();
}

bool RecordingBackend::TimerEnabled(std::string_view name) const
{
    auto it = timers_.find(name);
    return it != timers_.end() && it->second->enabled;
}

const platform::Region* RecordingBackend::ShapeOf(std::string_view name) const
{
    auto it = windows_.find(name);
    if (it == windows_.end() || !it->second->shape)
        return nullptr;
    return &*it->second->shape;
}

std::vector<std::string> RecordingBackend::CallsStartingWith(std::string_view prefix) const
{
    std::vector<std::string> result;
    for (const auto& call : calls)
        if (call.rfind(prefix, 0) == 0)
            result.push_back(call);
    return result;
}

int RecordingBackend::IndexOf(std::string_view call) const
{
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (calls[i] == call)
            return int(i);
    return -1;
}

std::unique_ptr<platform::WindowPeer> RecordingBackend::CreateWindow(platform::Form& form)
{
    return std::make_unique<RecordingWindow>(*this, form, nextHandle_++);
}

std::unique_ptr<platform::TimerPeer> RecordingBackend::CreateTimer(platform::Timer& timer)
{
    return std::make_unique<RecordingTimer>(*this, timer);
}

void RecordingBackend::MessageBox(std::string_view text, std::string_view title)
{
    Record("MessageBox " + std::string(text) + " | " + std::string(title));
}

platform::ScreenMetrics RecordingBackend::Screen()
{
    Record("Screen");
    return screen;
}

void RecordingBackend::DoEvents()
{
    Record("DoEvents");
    if (pendingEvents)
        pendingEvents();
}

platform::WindowHandle RecordingBackend::DesktopWindow()
{
    Record("DesktopWindow");
    return {DesktopHandle};
}

std::int32_t RecordingBackend::ShellExecute(const platform::ShellExecuteRequest& r)
{
    Record("ShellExecute " + std::to_string(r.owner.value) + " | " + r.verb + " | " + r.file +
           " | " + r.parameters + " | " + r.directory + " | " + std::to_string(r.showCommand));
    return shellResult;
}

int RecordingBackend::RunEventLoop()
{
    Record("RunEventLoop");
    if (whileRunning)
        whileRunning();
    return 0;
}

void RecordingBackend::Quit()
{
    Record("Quit");
}

} // namespace testing_support
