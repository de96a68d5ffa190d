#pragma once
// Texts reach the tracker as UTF-8 or, failing the UTF-8 rule, in the ANSI code page.
#include <string>

namespace korvel {
namespace telemetry {
std::string EnsureUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);
}  // namespace telemetry
}  // namespace korvel
