#include "assets/WindowIcon.h"

#include <iterator>
#include <string_view>

namespace assets
{

// clang-format off
constexpr std::string_view kIcon[] = {
    "................",
    "................",
    ".KKKKKKKKKKKKK..",
    "KLLLLLLLLLLLLLK.",
    "KLKKKKKKKKKKKLK.",
    "KLKCWCWCWCWCKLK.",
    "KLKWDDDWCWCWKLK.",
    "KLKCWCWCWCWCKLK.",
    "KLKWDDDDDDDWKLK.",
    "KLKCWCWCWCWCKLK.",
    "KLKWDDDDDDDWKLK.",
    "KLKCWCWCWCWCKLK.",
    "KLKKKKKKKKKKKLK.",
    "KLLLLLLLLLLLLLK.",
    ".KKKKKKKKKKKKK..",
    "................",
};
// clang-format on

const PixelArt& WindowIcon()
{
    static const PixelArt art{16, 16, 0, 0, {std::begin(kIcon), std::end(kIcon)}};
    return art;
}

} // namespace assets
