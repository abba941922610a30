#include "platform/win32/Win32.h"

#include <climits>

namespace platform::win32
{

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > std::size_t(INT_MAX))
        return {};
    const int length = int(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring wide(std::size_t(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty() || utf16.size() > std::size_t(INT_MAX))
        return {};
    const int length = int(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string narrow(std::size_t(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

} // namespace platform::win32
