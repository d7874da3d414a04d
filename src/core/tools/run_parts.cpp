#include "core/tools/run_parts.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace tessarin {

void RunParts(std::size_t count, std::size_t threads,
              const std::function<void(std::size_t)>& work) {
  std::vector<std::exception_ptr> errors(count);
  std::atomic<std::size_t> next{0};
  const auto run = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        errors[i] = std::current_exception();
      }
    }
  };
  std::vector<std::thread> started;
  for (std::size_t t = 1; t < std::min(threads, count); ++t) {
    try {
      started.emplace_back(run);
    } catch (const std::system_error&) {
      break;  // the threads there are take the rest
    }
  }
  run();
  for (std::thread& thread : started)
    thread.join();
  for (const std::exception_ptr& error : errors) {
    if (error)
      std::rethrow_exception(error);
  }
}

}  // namespace tessarin
