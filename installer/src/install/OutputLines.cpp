#include "installer/src/install/OutputLines.h"

#include "installer/src/utils/Strings.h"

namespace Install {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t begin = 0;
  for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', begin)) {
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

std::wstring TextValue(const std::wstring& line, const std::wstring& key) {
  std::wstring value = line.substr(key.size());
  return value.size() > kMaxValueLength ? std::wstring() : value;
}

std::wstring TrimmedValue(const std::wstring& line, const std::wstring& key) {
  return Utils::Trim(TextValue(line, key));
}

std::wstring DecodeChunk(const std::string& chunk, unsigned codePage) {
  return Utils::MultiByteToWide(chunk, codePage);
}

}  // namespace Install
