#pragma once

#include "platform/Peers.h"

#include <memory>

namespace platform
{
class Form;
}

namespace platform::qt
{

std::unique_ptr<WindowPeer> MakeWindow(Form& form);

} // namespace platform::qt
