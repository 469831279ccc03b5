#pragma once

#include <initializer_list>
#include <string>

namespace K4KTest {

// A frame written as numbers.
inline std::string octets(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s.push_back(char(v));
    return s;
}

} // namespace K4KTest
