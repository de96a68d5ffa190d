#include "SkinUI/markup/XmlMarkup.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "SkinUI/markup/SkinFileReader.h"

namespace SkinUI {
namespace {

// Whitespace is every code up to the blank; the terminator is never skipped.
void SkipWhitespace(wchar_t*& text) {
  while (*text != L'\0' && *text <= L' ') ++text;
}

void SkipIdentifier(wchar_t*& text) {
  while (*text != L'\0' && (*text == L'_' || *text == L':' || std::iswalnum(*text))) ++text;
}

const wchar_t* FileErrorMessage(SkinFileStatus status) {
  switch (status) {
    case SkinFileStatus::kOk: return L"";
    case SkinFileStatus::kOpenFailed: return L"Error opening file";
    case SkinFileStatus::kEmpty: return L"File is empty";
    case SkinFileStatus::kTooLarge: return L"File too large";
    case SkinFileStatus::kReadFailed: return L"Could not read file";
    case SkinFileStatus::kArchiveOpenFailed: return L"Error opening zip file";
    case SkinFileStatus::kNotInArchive: return L"Could not find ziped file";
    case SkinFileStatus::kExtractFailed: return L"Could not unzip file";
  }
  return L"Could not read file";
}

}  // namespace

CXmlMarkup::CXmlMarkup(const wchar_t* xml) {
  if (xml != nullptr) Load(xml);
}

CXmlMarkup::~CXmlMarkup() { Release(); }

void CXmlMarkup::Release() {
  text_.reset();
  elements_.clear();
  elements_.shrink_to_fit();
}

bool CXmlMarkup::Load(const wchar_t* xml) {
  Release();
  if (xml == nullptr) return Fail(L"Expected start tag");
  const size_t length = std::wcslen(xml);
  text_.reset(new wchar_t[length + 1]);
  std::wmemcpy(text_.get(), xml, length + 1);
  if (!Parse()) {
    Release();
    return false;
  }
  return true;
}

bool CXmlMarkup::LoadFromMem(const unsigned char* bytes, unsigned size, int encoding) {
  Release();
  if (bytes == nullptr) size = 0;
  if (encoding == XMLFILE_ENCODING_UTF8 || encoding == XMLFILE_ENCODING_ASNI) {
    const UINT codePage = encoding == XMLFILE_ENCODING_UTF8 ? CP_UTF8 : CP_ACP;
    if (encoding == XMLFILE_ENCODING_UTF8 && size > 2 && bytes[0] == 0xEF && bytes[1] == 0xBB &&
        bytes[2] == 0xBF) {
      bytes += 3;
      size -= 3;
    }
    const char* narrow = reinterpret_cast<const char*>(bytes);
    const int units = size == 0 ? 0 : ::MultiByteToWideChar(codePage, 0, narrow, static_cast<int>(size), nullptr, 0);
    text_.reset(new wchar_t[static_cast<size_t>(units) + 1]);
    if (units > 0) ::MultiByteToWideChar(codePage, 0, narrow, static_cast<int>(size), text_.get(), units);
    text_[units] = L'\0';
  } else {
    const bool littleEndian = size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool bigEndian = size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (!littleEndian && !bigEndian) return Fail(L"Expected byte-order mark");
    const size_t units = size / 2 - 1;
    text_.reset(new wchar_t[units + 1]);
    for (size_t i = 0; i < units; ++i) {
      const unsigned char first = bytes[2 + 2 * i];
      const unsigned char second = bytes[3 + 2 * i];
      text_[i] = littleEndian ? static_cast<wchar_t>(first | (second << 8))
                              : static_cast<wchar_t>((first << 8) | second);
    }
    text_[units] = L'\0';
  }
  if (!Parse()) {
    Release();
    return false;
  }
  return true;
}

bool CXmlMarkup::LoadFromFile(const wchar_t* relativeName, int encoding) {
  Release();
  SkinFileData file = ReadSkinFile(relativeName, kMaxFileSize);
  if (file.status != SkinFileStatus::kOk) {
    Fail(FileErrorMessage(file.status));
    errorLocation_[0] = L'\0';
    return false;
  }
  return LoadFromMem(file.bytes.data(), static_cast<unsigned>(file.bytes.size()), encoding);
}

CXmlMarkupNode CXmlMarkup::GetRoot() {
  if (elements_.size() < 2) return CXmlMarkupNode();
  return CXmlMarkupNode(this, 1);
}

bool CXmlMarkup::Fail(const wchar_t* message, const wchar_t* location) {
  ::lstrcpynW(errorMessage_, message, static_cast<int>(sizeof(errorMessage_) / sizeof(wchar_t)));
  ::lstrcpynW(errorLocation_, location ? location : L"", static_cast<int>(sizeof(errorLocation_) / sizeof(wchar_t)));
  return false;
}

unsigned CXmlMarkup::ReserveElement() {
  if (elements_.size() == elements_.capacity()) {
    elements_.reserve(elements_.capacity() + elements_.capacity() / 2 + 500);
  }
  elements_.push_back(Element{0, 0, 0, 0, 0});
  return static_cast<unsigned>(elements_.size() - 1);
}

bool CXmlMarkup::Parse() {
  elements_.clear();
  ReserveElement();  // element 0 is a placeholder; the root is element 1
  errorMessage_[0] = L'\0';
  errorLocation_[0] = L'\0';
  wchar_t* text = text_.get();
  return ParseLevel(text, 0);
}

bool CXmlMarkup::ParseLevel(wchar_t*& text, unsigned parent) {
  wchar_t* const base = text_.get();
  SkipWhitespace(text);
  unsigned previous = 0;
  for (;;) {
    // A missing close tag of the root (or of its direct children) at the end is accepted.
    if (*text == L'\0' && parent <= 1) return true;
    SkipWhitespace(text);
    if (*text != L'<') return Fail(L"Expected start tag", text);
    if (text[1] == L'/') return true;
    *text++ = L'\0';
    SkipWhitespace(text);
    // Declarations and comments; a comment ends at its first "->".
    if (*text == L'?' || *text == L'!') {
      const wchar_t closing = *text == L'!' ? L'-' : L'?';
      while (*text != L'\0' && !(text[0] == closing && text[1] == L'>')) ++text;
      if (*text != L'\0') text += 2;
      SkipWhitespace(text);
      continue;
    }

    const unsigned position = ReserveElement();
    elements_[position].start = static_cast<unsigned>(text - base);
    elements_[position].parent = parent;
    if (previous != 0) {
      elements_[previous].next = position;
    } else if (parent > 0) {
      elements_[parent].child = position;
    }
    previous = position;

    wchar_t* name = text;
    SkipIdentifier(text);
    wchar_t* nameEnd = text;
    if (*text == L'\0') return Fail(L"Error parsing element name", text);
    if (!ParseAttributes(text)) return false;
    SkipWhitespace(text);
    if (text[0] == L'/' && text[1] == L'>') {
      elements_[position].data = static_cast<unsigned>(text - base);
      *text = L'\0';
      text += 2;
    } else {
      if (*text != L'>') return Fail(L"Expected start-tag closing", text);
      elements_[position].data = static_cast<unsigned>(++text - base);
      wchar_t* dataEnd = text;
      if (!ParseData(text, dataEnd, L'<')) return false;
      if (*text == L'\0' && parent <= 1) return true;
      if (*text != L'<') return Fail(L"Expected end-tag start", text);
      if (text[1] != L'/') {
        if (!ParseLevel(text, position)) return false;
      }
      if (text[0] == L'<' && text[1] == L'/') {
        *dataEnd = L'\0';
        *text = L'\0';
        text += 2;
        SkipWhitespace(text);
        const size_t nameLength = static_cast<size_t>(nameEnd - name);
        if (std::wcsncmp(text, name, nameLength) != 0) return Fail(L"Unmatched closing tag", text);
        text += nameLength;
        SkipWhitespace(text);
        if (*text != L'>') return Fail(L"Unmatched closing tag", text);
        ++text;
      }
    }
    *nameEnd = L'\0';
    SkipWhitespace(text);
  }
}

bool CXmlMarkup::ParseAttributes(wchar_t*& text) {
  if (*text == L'>') return true;
  // "<name/>": the slash belongs to the empty-element close, not to the attributes.
  if (text[0] == L'/' && text[1] == L'>') return true;
  *text++ = L'\0';
  SkipWhitespace(text);
  while (*text != L'\0' && *text != L'>' && *text != L'/') {
    SkipIdentifier(text);
    wchar_t* identifierEnd = text;
    SkipWhitespace(text);
    if (*text != L'=') return Fail(L"Error while parsing attributes", text);
    *text++ = L' ';
    *identifierEnd = L'\0';
    SkipWhitespace(text);
    if (*text != L'"') return Fail(L"Expected attribute value", text);
    ++text;
    wchar_t* valueEnd = text;
    if (!ParseData(text, valueEnd, L'"')) return false;
    if (*text == L'\0') return Fail(L"Error while parsing attribute string", text);
    *valueEnd = L'\0';
    if (valueEnd != text) *text = L' ';
    ++text;
    SkipWhitespace(text);
  }
  return true;
}

bool CXmlMarkup::ParseData(wchar_t*& text, wchar_t*& destination, wchar_t end) {
  while (*text != L'\0' && *text != end) {
    if (*text == L'&') {
      while (*text == L'&') ParseEntity(++text, destination);
      if (*text == L'\0' || *text == end) break;
    }
    if (*text == L' ') {
      *destination++ = *text++;
      if (!preserveWhitespace_) SkipWhitespace(text);
    } else {
      const wchar_t* next = ::CharNextW(text);
      while (text < next) *destination++ = *text++;
    }
  }
  // Blanks over the gap let attribute mapping scan across it.
  for (wchar_t* fill = destination; fill < text; ++fill) *fill = L' ';
  return true;
}

// text points after the ampersand.
void CXmlMarkup::ParseEntity(wchar_t*& text, wchar_t*& destination) {
  static const struct {
    const wchar_t* name;
    wchar_t value;
  } kEntities[] = {{L"amp;", L'&'}, {L"lt;", L'<'}, {L"gt;", L'>'}, {L"quot;", L'"'}, {L"apos;", L'\''}};
  for (const auto& entity : kEntities) {
    const size_t length = std::wcslen(entity.name);
    if (std::wcsncmp(text, entity.name, length) == 0) {
      *destination++ = entity.value;
      text += length;
      return;
    }
  }
  *destination++ = L'&';
}

}  // namespace SkinUI
