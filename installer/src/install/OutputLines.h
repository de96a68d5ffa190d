#pragma once
// The line rules shared by the output protocols of the big package and of the
// previous version's uninstaller: lines end at line feeds, a key is matched at
// the start of a line, and a text value is the rest of the line.
#include <cstddef>
#include <string>
#include <vector>

namespace Install {

// Longest text value kept; a longer one reads as empty.
constexpr size_t kMaxValueLength = 771;

// Splits at line feeds; the last piece counts as a line even without one.
std::vector<std::wstring> SplitLines(const std::wstring& text);

// The rest of the line after the key (carriage return included); empty when
// it is longer than kMaxValueLength.
std::wstring TextValue(const std::wstring& line, const std::wstring& key);

// TextValue with white space removed at both ends.
std::wstring TrimmedValue(const std::wstring& line, const std::wstring& key);

// Decodes one output chunk; empty when it cannot be decoded.
std::wstring DecodeChunk(const std::string& chunk, unsigned codePage);

}  // namespace Install
