#pragma once
// Directory paths compared as paths: "/a/b", "/a/b/", "/a//b" and "/a/./b" name one
// directory, "/a/B" another (Linux names are case-sensitive). Bytes that are not UTF-8 stay
// as they are.

#include <string>
#include <string_view>

namespace tessarin {

// The path with "//" and "/./" folded and one trailing separator; empty stays empty. ".."
// is kept, as it may cross a symbolic link.
std::string NormalDir(std::string_view path);

bool SameDir(std::string_view a, std::string_view b);

// "~" and "~/..." with `home` in front; every other text as it is.
std::string ExpandHome(std::string_view path, std::string_view home);

}  // namespace tessarin
