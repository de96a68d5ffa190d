#pragma once
// Text conversions and the small text routines shared by every subsystem.
#include <string>

namespace Utils {

// Whole-string conversions; empty when the system routine fails. Code pages
// in use: 0 (ANSI) and 65001 (UTF-8).
std::string WideToMultiByte(const std::wstring& text, unsigned codePage);
std::wstring MultiByteToWide(const std::string& text, unsigned codePage);

// UTF-8 percent-encoding: bytes 0x21..0x7E stay, a space becomes "+", the
// rest become "%XX" with upper-case digits.
std::wstring UrlEncode(const std::wstring& url);

bool StartsWith(const std::wstring& text, const std::wstring& prefix);
std::wstring TrimLeft(const std::wstring& text);
std::wstring TrimRight(const std::wstring& text);
std::wstring Trim(const std::wstring& text);

// Replaces the first occurrence again and again, scanning from the start
// each time, until none is left. `what` must not occur inside `with`.
std::wstring ReplaceAll(std::wstring text, const std::wstring& what, const std::wstring& with);

}  // namespace Utils
