#pragma once

#include "platform/Backend.h"

namespace gui_tests
{

// The Qt backend of this test process, made once before the tests run.
extern platform::Backend* NativeBackend;

} // namespace gui_tests
