#pragma once
// Handle to one element of a parsed CXmlMarkup; a plain value, valid while
// its document is. Attribute positions are mapped on the first request.
namespace SkinUI {

class CXmlMarkup;

class CXmlMarkupNode {
 public:
  enum { MAX_XML_ATTRIBUTES = 64 };

  CXmlMarkupNode() = default;
  CXmlMarkupNode(CXmlMarkup* owner, int position) : owner_(owner), position_(position) {}

  bool IsValid() const { return owner_ != nullptr; }
  CXmlMarkupNode GetParent();
  CXmlMarkupNode GetSibling();
  CXmlMarkupNode GetChild();
  CXmlMarkupNode GetChild(const wchar_t* name);
  bool HasSiblings() const;
  bool HasChildren() const;
  const wchar_t* GetName() const;
  const wchar_t* GetValue() const;

  bool HasAttributes();
  bool HasAttribute(const wchar_t* name);
  int GetAttributeCount();
  // Empty for an index outside 0..count-1, null on an invalid node.
  const wchar_t* GetAttributeName(int index);
  const wchar_t* GetAttributeValue(int index);
  const wchar_t* GetAttributeValue(const wchar_t* name);
  // Copies at most maxChars - 1 characters; false when there is no such attribute.
  bool GetAttributeValue(const wchar_t* name, wchar_t* value, int maxChars);

 private:
  void MapAttributes();

  CXmlMarkup* owner_ = nullptr;
  int position_ = 0;
  int attributeCount_ = 0;
  bool mapped_ = false;
  struct Attribute {
    unsigned name;
    unsigned value;
  } attributes_[MAX_XML_ATTRIBUTES] = {};
};

}  // namespace SkinUI
