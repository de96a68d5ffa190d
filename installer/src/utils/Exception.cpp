#include "installer/src/utils/Exception.h"

#include "installer/src/utils/Strings.h"

namespace Utils {

Exception::Exception(const std::wstring& message) : message_(WideToMultiByte(message, 0)) {}

}  // namespace Utils
