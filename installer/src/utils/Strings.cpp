#include "installer/src/utils/Strings.h"

#include <windows.h>

namespace Utils {
namespace {
constexpr wchar_t kWhiteSpace[] = L" \t\n\v\f\r";
}

std::string WideToMultiByte(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return std::string();
  int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                            nullptr, nullptr);
  return n > 0 ? out : std::string();
}

std::wstring MultiByteToWide(const std::string& text, unsigned codePage) {
  if (text.empty()) return std::wstring();
  // Invalid input must give an empty result, not replacement characters.
  DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
  int n = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  n = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &out[0],
                            n);
  return n > 0 ? out : std::wstring();
}

std::wstring UrlEncode(const std::wstring& url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string utf8 = WideToMultiByte(url, CP_UTF8);
  std::string out;
  out.reserve(utf8.size() * 3);
  for (unsigned char c : utf8) {
    if (c >= 0x21 && c <= 0x7E) {
      out += static_cast<char>(c);
    } else if (c == 0x20) {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return MultiByteToWide(out, CP_UTF8);
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::wstring TrimLeft(const std::wstring& text) {
  size_t first = text.find_first_not_of(kWhiteSpace);
  return first == std::wstring::npos ? std::wstring() : text.substr(first);
}

std::wstring TrimRight(const std::wstring& text) {
  size_t last = text.find_last_not_of(kWhiteSpace);
  return last == std::wstring::npos ? std::wstring() : text.substr(0, last + 1);
}

std::wstring Trim(const std::wstring& text) { return TrimLeft(TrimRight(text)); }

std::wstring ReplaceAll(std::wstring text, const std::wstring& what, const std::wstring& with) {
  if (what.empty() || with.find(what) != std::wstring::npos) {
    // Rescanning from the start would never end; replace left to right once.
    if (what.empty()) return text;
    for (size_t at = text.find(what); at != std::wstring::npos;
         at = text.find(what, at + with.size()))
      text.replace(at, what.size(), with);
    return text;
  }
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what))
    text.replace(at, what.size(), with);
  return text;
}

}  // namespace Utils
