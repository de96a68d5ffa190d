#pragma once
// The installer's own exception: a narrow (ANSI) message made from a wide one.
#include <exception>
#include <string>

namespace Utils {

class Exception : public std::exception {
 public:
  explicit Exception(const std::wstring& message = std::wstring());
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace Utils
