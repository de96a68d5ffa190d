#include "source/src/Utf8Text.h"

#include <windows.h>

#include "installer/src/utils/Strings.h"
#include "source/src/sdk/NameRules.h"

namespace korvel {
namespace telemetry {

std::string EnsureUtf8(const std::string& text) {
  if (telemetry_core::IsValidUtf8(text)) return text;
  return Utils::WideToMultiByte(Utils::MultiByteToWide(text, CP_ACP), CP_UTF8);
}
std::string Utf8FromWide(const std::wstring& text) { return Utils::WideToMultiByte(text, CP_UTF8); }
std::wstring WideFromUtf8(const std::string& text) { return Utils::MultiByteToWide(text, CP_UTF8); }

}  // namespace telemetry
}  // namespace korvel
