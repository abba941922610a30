// The gui tests run the real backend on a real X server with a window manager.

#include "tests/gui/GuiEnvironment.h"

#include "platform/NativeBackend.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace gui_tests
{
platform::Backend* NativeBackend = nullptr;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::string error;
    auto backend = platform::CreateNativeBackend(argc, argv, error);
    if (!backend) {
        std::fprintf(stderr, "the gui tests need an X server: %s\n", error.c_str());
        return 1;
    }
    gui_tests::NativeBackend = backend.get();
    return RUN_ALL_TESTS();
}
