// The soak tests run the real backend on a real X server with a window manager.

#include "platform/NativeBackend.h"
#include "tests/soak/ProgramUnderSoak.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::string error;
    auto backend = platform::CreateNativeBackend(argc, argv, error);
    if (!backend) {
        std::fprintf(stderr, "the soak tests need an X server: %s\n", error.c_str());
        return 1;
    }
    soak::NativeBackend = backend.get();
    return RUN_ALL_TESTS();
}
