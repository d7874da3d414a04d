#pragma once
// Work split into parts that run at once on several threads.

#include <cstddef>
#include <functional>

namespace tessarin {

// Runs `work`(0) .. `work`(count - 1) on up to `threads` threads and waits for all of them.
// The first exception thrown, in the order of the indices, is thrown again here.
void RunParts(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work);

}  // namespace tessarin
