#pragma once

#include <string_view>

namespace logo
{

// The maker's web address, as the logo shows it and its tooltip names it.
inline constexpr std::string_view HomePageHost = "www.rasterblick.example";
// The home page the logo opens: the host, with no path.
inline constexpr std::string_view HomePageUrl = "http://www.rasterblick.example";

} // namespace logo
