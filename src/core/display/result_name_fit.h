#pragma once
// The result name beside the project name in a cell: shortened from its front, so its end
// (the part that tells results apart) stays visible.

#include <functional>
#include <string>
#include <string_view>

namespace tessarin {

// `name` when width(name) does not exceed `available`; otherwise "..." followed by as much of
// the end of the name as is narrower than `available`, never less than one character.
std::string ShortenResultName(std::string_view name, int available,
                              const std::function<int(std::string_view)>& width);

}  // namespace tessarin
