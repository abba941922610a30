#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support
{

// Passes when every expected line occurs in `calls`, in the given order (other
// lines may come between them); otherwise names the first one missing.
inline ::testing::AssertionResult InOrder(const std::vector<std::string>& calls,
                                          const std::vector<std::string>& expected)
{
    std::size_t at = 0;
    for (const std::string& line : expected) {
        while (at < calls.size() && calls[at] != line)
            ++at;
        if (at == calls.size()) {
            std::string all;
            for (const auto& c : calls)
                all += "\n  " + c;
            return ::testing::AssertionFailure()
                   << "missing, or out of order: \"" << line << "\"; the calls were:" << all;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

} // namespace testing_support
