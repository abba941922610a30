#pragma once

#include "platform/Backend.h"

#include <memory>
#include <string>

namespace platform
{

// The backend this build was made with (chosen in the root CMakeLists.txt).
// Returns null, with a one-line reason in `error`, when the window system
// cannot be reached.
std::unique_ptr<Backend> CreateNativeBackend(int& argc, char** argv, std::string& error);

} // namespace platform
