#pragma once
// Where a file helper counts what went wrong, so tools need not know where counts are kept.

#include <string_view>

namespace tessarin {

class ExceptionCounter {
 public:
  // Adds one to the count of `message`.
  virtual void LogException(std::string_view message) = 0;
  // LogException for a failed write the user is also told of.
  virtual void LogFailure(std::string_view message) = 0;

 protected:
  ~ExceptionCounter() = default;
};

}  // namespace tessarin
