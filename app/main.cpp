#include "app/Windows.h"
#include "platform/NativeBackend.h"
#include "platform/Runtime.h"

#include <cstdio>

int main(int argc, char** argv)
{
    std::string error;
    auto backend = platform::CreateNativeBackend(argc, argv, error);
    if (!backend) {
        std::fprintf(stderr, "rasterblick: %s\n", error.c_str());
        return 1;
    }
    platform::Runtime runtime(*backend);
    app::RegisterWindows(runtime);
    return runtime.Run(app::StartupWindow);
}
