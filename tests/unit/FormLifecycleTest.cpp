// The forms run time's promises that the windows rely on: windows by name,
// load/show/hide/unload, setters that raise events before they return, and the
// end of the program when the last window unloads.

#include "platform/CheckBox.h"
#include "platform/Form.h"
#include "platform/RunTimeError.h"
#include "platform/Runtime.h"
#include "platform/ScrollBar.h"
#include "platform/Services.h"
#include "tests/support/CallOrder.h"
#include "tests/support/RecordingBackend.h"

#include <gtest/gtest.h>

namespace
{

using testing_support::InOrder;
using testing_support::RecordingBackend;

class Probe : public platform::Form
{
public:
    explicit Probe(std::string name) : Form(std::move(name), {.caption = "Probe"}) {}

    platform::CheckBox Box{*this, "Box", {}, {.caption = "Box"}};
    platform::ScrollBar Bar{*this, "Bar", {}, {.min = 1, .max = 200, .value = 1, .index = 1}};

    int loads = 0;
    int unloads = 0;
    bool cancelUnload = false;
    std::vector<std::string> events;

    void Form_Load() override { ++loads; }
    void Form_Unload(bool& cancel) override
    {
        ++unloads;
        cancel = cancelUnload;
    }
};

class FormLifecycle : public ::testing::Test
{
protected:
    FormLifecycle()
    {
        runtime.Register("A", [] { return std::make_unique<Probe>("A"); });
        runtime.Register("B", [] { return std::make_unique<Probe>("B"); });
    }
    Probe& A() { return static_cast<Probe&>(runtime.Named("A")); }
    Probe& B() { return static_cast<Probe&>(runtime.Named("B")); }

    RecordingBackend backend;
    platform::Runtime runtime{backend};
};

TEST_F(FormLifecycle, AWindowExistsOnceAndIsCreatedHiddenOnFirstUse)
{
    EXPECT_EQ(&platform::Forms("A"), &A());
    EXPECT_FALSE(A().IsLoaded());
    EXPECT_FALSE(backend.WindowExists("A"));

    A().Load();
    A().Load();
    EXPECT_EQ(A().loads, 1);
    EXPECT_TRUE(backend.WindowExists("A"));
    EXPECT_FALSE(A().Visible());
    EXPECT_TRUE(backend.CallsStartingWith("A.Visible").empty());
    EXPECT_THROW(runtime.Named("Nobody"), platform::RunTimeError);
}

TEST_F(FormLifecycle, ShowLoadsFirstAndHideKeepsTheWindowLoaded)
{
    A().Show();
    EXPECT_EQ(A().loads, 1);
    EXPECT_TRUE(InOrder(backend.calls, {"CreateWindow A", "A.Visible=1"}));
    A().Hide();
    EXPECT_TRUE(A().IsLoaded());
    EXPECT_EQ(backend.calls.back(), "A.Visible=0");
}

TEST_F(FormLifecycle, UnloadingAWindowThatIsNotLoadedDoesNothingAndLoadsNothing)
{
    A().Unload();
    EXPECT_EQ(A().loads, 0);
    EXPECT_EQ(A().unloads, 0);
    EXPECT_FALSE(backend.WindowExists("A"));
}

TEST_F(FormLifecycle, UnloadRaisesItsEventAndMayBeRefused)
{
    A().Load();
    A().cancelUnload = true;
    A().Unload();
    EXPECT_TRUE(A().IsLoaded());
    A().cancelUnload = false;
    A().Unload();
    EXPECT_EQ(A().unloads, 2);
    EXPECT_FALSE(A().IsLoaded());
    EXPECT_FALSE(backend.WindowExists("A"));

    // Loaded again, it starts from its layout and raises its load anew.
    A().Box.SetValue(1);
    EXPECT_EQ(A().loads, 2);
    A().Unload();
    A().Load();
    EXPECT_EQ(A().Box.Value(), 0);
}

TEST_F(FormLifecycle, SettingACheckBoxRaisesClickBeforeTheSetterReturnsOnlyOnChange)
{
    A().Load();
    int clicks = 0;
    int valueSeen = -1;
    A().Box.Click = [&] {
        ++clicks;
        valueSeen = A().Box.Value();
    };
    A().Box.SetValue(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(valueSeen, 1);
    A().Box.SetValue(1);
    EXPECT_EQ(clicks, 1);

    // A user's switch raises the same click; errors of its handler do not
    // escape into the event loop.
    A().Box.Click = [&] {
        ++clicks;
        throw platform::RunTimeError(5, "handler failed");
    };
    EXPECT_NO_THROW(backend.Click("A.Box"));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(A().Box.Value(), 0);
    // From code, the handler's error reaches the code that set the value.
    EXPECT_THROW(A().Box.SetValue(1), platform::RunTimeError);
}

TEST_F(FormLifecycle, SettingADifferentScrollValueRaisesChangeWithTheElementIndex)
{
    A().Load();
    std::vector<std::pair<std::int16_t, std::int16_t>> changes;
    A().Bar.Change = [&](std::int16_t index) { changes.emplace_back(index, A().Bar.Value()); };
    A().Bar.SetValue(2);
    A().Bar.SetValue(2);
    A().Bar.SetValue(195);
    EXPECT_EQ(changes, (std::vector<std::pair<std::int16_t, std::int16_t>>{{1, 2}, {1, 195}}));
    EXPECT_THROW(A().Bar.SetValue(201), platform::RunTimeError);
    EXPECT_EQ(A().Bar.Value(), 195);
}

TEST_F(FormLifecycle, TheProgramEndsWhenTheLastWindowUnloads)
{
    backend.whileRunning = [&] {
        B().Load();
        A().Unload();
        EXPECT_TRUE(backend.CallsStartingWith("Quit").empty());
        backend.Close("B");
    };
    EXPECT_EQ(runtime.Run("A"), 0);
    EXPECT_TRUE(
        InOrder(backend.calls, {"RunEventLoop", "DestroyWindow A", "DestroyWindow B", "Quit"}));
    EXPECT_FALSE(runtime.AnyLoaded());
}

TEST_F(FormLifecycle, AFailedWindowCreationLeavesNothingLoaded)
{
    backend.FailOn("Create CheckBox A.Box");
    EXPECT_THROW(A().Load(), platform::RunTimeError);
    EXPECT_FALSE(A().IsLoaded());
    EXPECT_FALSE(backend.WindowExists("A"));
    EXPECT_FALSE(runtime.AnyLoaded());
}

} // namespace
