#pragma once
// Small in-place XML parser for skin layout files. The document text is
// converted to UTF-16 once and then cut into zero-terminated names, attribute
// values and element texts inside the same buffer.
#include <memory>
#include <vector>

#include "SkinUI/markup/XmlMarkupNode.h"

namespace SkinUI {

enum XmlEncoding { XMLFILE_ENCODING_UTF8 = 0, XMLFILE_ENCODING_UNICODE = 1, XMLFILE_ENCODING_ASNI = 2 };

class CXmlMarkup {
 public:
  // Layout files above this size are refused.
  static constexpr unsigned kMaxFileSize = 0x400000;

  explicit CXmlMarkup(const wchar_t* xml = nullptr);
  ~CXmlMarkup();
  CXmlMarkup(const CXmlMarkup&) = delete;
  CXmlMarkup& operator=(const CXmlMarkup&) = delete;

  bool Load(const wchar_t* xml);
  bool LoadFromMem(const unsigned char* bytes, unsigned size, int encoding = XMLFILE_ENCODING_UTF8);
  // Reads the file through the skin resource settings (disk or archive).
  bool LoadFromFile(const wchar_t* relativeName, int encoding = XMLFILE_ENCODING_UTF8);
  void Release();
  bool IsValid() const { return !elements_.empty(); }

  void SetPreserveWhitespace(bool preserve = true) { preserveWhitespace_ = preserve; }
  const wchar_t* GetLastErrorMessage() const { return errorMessage_; }
  const wchar_t* GetLastErrorLocation() const { return errorLocation_; }

  CXmlMarkupNode GetRoot();

 private:
  friend class CXmlMarkupNode;

  struct Element {
    unsigned start;   // element name
    unsigned child;   // first child, 0 = none
    unsigned next;    // next sibling, 0 = none
    unsigned parent;
    unsigned data;    // after the start tag's ">", or at "/>"
  };

  bool Parse();
  bool ParseLevel(wchar_t*& text, unsigned parent);
  bool ParseAttributes(wchar_t*& text);
  bool ParseData(wchar_t*& text, wchar_t*& destination, wchar_t end);
  void ParseEntity(wchar_t*& text, wchar_t*& destination);
  unsigned ReserveElement();
  bool Fail(const wchar_t* message, const wchar_t* location = nullptr);

  std::unique_ptr<wchar_t[]> text_;
  std::vector<Element> elements_;
  bool preserveWhitespace_ = true;
  wchar_t errorMessage_[100] = {};
  wchar_t errorLocation_[50] = {};
};

}  // namespace SkinUI
