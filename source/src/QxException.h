#pragma once
// The tracker's validation error; what() is the message.
#include <stdexcept>
#include <string>

namespace korvel {
namespace telemetry {

class QxException : public std::runtime_error {
 public:
  QxException(const char* file, const char* function, int line, const std::string& message)
      : std::runtime_error(message), file_(file), function_(function), line_(line) {}
  const std::string& function() const { return function_; }
  const std::string& file() const { return file_; }
  int line() const { return line_; }
  int code1() const { return -1; }
  int code2() const { return -1; }

 private:
  std::string file_;
  std::string function_;
  int line_;
};

}  // namespace telemetry
}  // namespace korvel

#define QX_THROW(function, message) throw ::korvel::telemetry::QxException(__FILE__, function, __LINE__, message)
