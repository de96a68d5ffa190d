#include "SkinUI/markup/XmlMarkupNode.h"

#include <windows.h>

#include <cwchar>

#include "SkinUI/markup/XmlMarkup.h"

namespace SkinUI {

CXmlMarkupNode CXmlMarkupNode::GetParent() {
  if (owner_ == nullptr) return CXmlMarkupNode();
  const unsigned parent = owner_->elements_[position_].parent;
  if (parent == 0) return CXmlMarkupNode();
  return CXmlMarkupNode(owner_, static_cast<int>(parent));
}

CXmlMarkupNode CXmlMarkupNode::GetSibling() {
  if (owner_ == nullptr) return CXmlMarkupNode();
  const unsigned next = owner_->elements_[position_].next;
  if (next == 0) return CXmlMarkupNode();
  return CXmlMarkupNode(owner_, static_cast<int>(next));
}

CXmlMarkupNode CXmlMarkupNode::GetChild() {
  if (owner_ == nullptr) return CXmlMarkupNode();
  const unsigned child = owner_->elements_[position_].child;
  if (child == 0) return CXmlMarkupNode();
  return CXmlMarkupNode(owner_, static_cast<int>(child));
}

CXmlMarkupNode CXmlMarkupNode::GetChild(const wchar_t* name) {
  for (CXmlMarkupNode node = GetChild(); node.IsValid(); node = node.GetSibling()) {
    if (std::wcscmp(node.GetName(), name) == 0) return node;
  }
  return CXmlMarkupNode();
}

bool CXmlMarkupNode::HasSiblings() const {
  return owner_ != nullptr && owner_->elements_[position_].next != 0;
}

bool CXmlMarkupNode::HasChildren() const {
  return owner_ != nullptr && owner_->elements_[position_].child != 0;
}

const wchar_t* CXmlMarkupNode::GetName() const {
  if (owner_ == nullptr) return nullptr;
  return owner_->text_.get() + owner_->elements_[position_].start;
}

const wchar_t* CXmlMarkupNode::GetValue() const {
  if (owner_ == nullptr) return nullptr;
  return owner_->text_.get() + owner_->elements_[position_].data;
}

void CXmlMarkupNode::MapAttributes() {
  mapped_ = true;
  attributeCount_ = 0;
  const wchar_t* base = owner_->text_.get();
  const wchar_t* text = base + owner_->elements_[position_].start;
  const wchar_t* const end = base + owner_->elements_[position_].data;
  text += std::wcslen(text) + 1;
  while (text < end) {
    while (text < end && *text != L'\0' && *text <= L' ') ++text;
    if (text >= end) break;
    const unsigned name = static_cast<unsigned>(text - base);
    while (text < end && *text != L'\0') ++text;
    ++text;
    while (text < end && *text != L'\0' && *text <= L' ') ++text;
    if (text >= end || *text != L'"') break;
    ++text;
    attributes_[attributeCount_].name = name;
    attributes_[attributeCount_].value = static_cast<unsigned>(text - base);
    if (++attributeCount_ == MAX_XML_ATTRIBUTES) break;
    text += std::wcslen(text) + 1;
  }
}

bool CXmlMarkupNode::HasAttributes() { return GetAttributeCount() > 0; }

bool CXmlMarkupNode::HasAttribute(const wchar_t* name) { return GetAttributeValue(name) != nullptr; }

int CXmlMarkupNode::GetAttributeCount() {
  if (owner_ == nullptr) return 0;
  if (!mapped_) MapAttributes();
  return attributeCount_;
}

const wchar_t* CXmlMarkupNode::GetAttributeName(int index) {
  if (owner_ == nullptr) return nullptr;
  if (!mapped_) MapAttributes();
  if (index < 0 || index >= attributeCount_) return L"";
  return owner_->text_.get() + attributes_[index].name;
}

const wchar_t* CXmlMarkupNode::GetAttributeValue(int index) {
  if (owner_ == nullptr) return nullptr;
  if (!mapped_) MapAttributes();
  if (index < 0 || index >= attributeCount_) return L"";
  return owner_->text_.get() + attributes_[index].value;
}

const wchar_t* CXmlMarkupNode::GetAttributeValue(const wchar_t* name) {
  if (owner_ == nullptr || name == nullptr) return nullptr;
  if (!mapped_) MapAttributes();
  for (int i = 0; i < attributeCount_; ++i) {
    if (std::wcscmp(owner_->text_.get() + attributes_[i].name, name) == 0) {
      return owner_->text_.get() + attributes_[i].value;
    }
  }
  return nullptr;
}

bool CXmlMarkupNode::GetAttributeValue(const wchar_t* name, wchar_t* value, int maxChars) {
  const wchar_t* found = GetAttributeValue(name);
  if (found == nullptr) return false;
  if (value != nullptr && maxChars > 0) ::lstrcpynW(value, found, maxChars);
  return true;
}

}  // namespace SkinUI
