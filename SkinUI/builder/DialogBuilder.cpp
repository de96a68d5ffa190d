#include "SkinUI/builder/DialogBuilder.h"

#include <cwchar>

#include "SkinUI/builder/WindowAttributes.h"
#include "SkinUI/core/IContainerUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "installer/src/utils/DebugLog.h"

namespace SkinUI {
namespace {

bool Is(const wchar_t* name, const wchar_t* expected) { return name != nullptr && _wcsicmp(name, expected) == 0; }
bool IsTrue(const wchar_t* value) { return value != nullptr && _wcsicmp(value, L"true") == 0; }
bool IsResourceTag(const wchar_t* tag) {
  return Is(tag, L"Image") || Is(tag, L"Font") || Is(tag, L"Default") || Is(tag, L"MultiLanguage");
}

// The element's attributes as the resource elements read them (names ignoring case).
struct ResourceAttributes {
  const wchar_t* name = nullptr;
  const wchar_t* value = nullptr;
  const wchar_t* restype = nullptr;
  DWORD mask = 0;
  int id = -1;
  int size = 12;
  bool bold = false, underline = false, italic = false, isDefault = false, shared = false;

  explicit ResourceAttributes(CXmlMarkupNode& node) {
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
      const wchar_t* key = node.GetAttributeName(i);
      const wchar_t* text = node.GetAttributeValue(i);
      if (Is(key, L"name")) name = text;
      else if (Is(key, L"value")) value = text;
      else if (Is(key, L"restype")) restype = text;
      else if (Is(key, L"mask")) mask = static_cast<DWORD>(std::wcstoul(text + (*text == L'#' ? 1 : 0), nullptr, 16));
      else if (Is(key, L"id")) id = static_cast<int>(std::wcstol(text, nullptr, 10));
      else if (Is(key, L"size")) size = static_cast<int>(std::wcstol(text, nullptr, 10));
      else if (Is(key, L"bold")) bold = IsTrue(text);
      else if (Is(key, L"underline")) underline = IsTrue(text);
      else if (Is(key, L"italic")) italic = IsTrue(text);
      else if (Is(key, L"default")) isDefault = IsTrue(text);
      else if (Is(key, L"shared")) shared = IsTrue(text);
    }
  }
};

}  // namespace

CControlUI* CDialogBuilder::Create(const wchar_t* layout, const wchar_t* type, IDialogBuilderCallback* callback,
                                   CUIPaintManager* manager, CControlUI* parent) {
  if (!Load(layout, type)) return nullptr;
  return Create(callback, manager, parent);
}

bool CDialogBuilder::Load(const wchar_t* layout, const wchar_t* type) {
  if (layout == nullptr) return false;
  if (IS_INTRESOURCE(layout)) {
    type_ = type;
    HINSTANCE instance = CUIPaintManager::GetResourceInstance();
    HRSRC resource = ::FindResourceW(instance, layout, type);
    if (resource == nullptr) {
      DEBUG_LOG(L"layout resource %u not found", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(layout)));
      return false;
    }
    HGLOBAL loaded = ::LoadResource(instance, resource);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(instance, resource);
    if (bytes == nullptr || size == 0) return false;
    return markup_.LoadFromMem(static_cast<const unsigned char*>(bytes), size);
  }
  type_ = nullptr;
  if (layout[0] == L'<') return markup_.Load(layout);
  return markup_.LoadFromFile(layout);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* callback, CUIPaintManager* manager, CControlUI* parent) {
  callback_ = callback;
  CXmlMarkupNode root = markup_.GetRoot();
  if (!root.IsValid()) return nullptr;
  if (manager != nullptr) {
    RegisterResources(root, *manager);
    if (Is(root.GetName(), L"Window") && manager->GetPaintWindow() != nullptr) {
      const int count = root.GetAttributeCount();
      for (int i = 0; i < count; ++i) ApplyWindowAttribute(*manager, root.GetAttributeName(i), root.GetAttributeValue(i));
    }
  }
  bool failed = false;
  CControlUI* control = Parse(root, parent, manager, failed);
  return failed ? nullptr : control;
}

void CDialogBuilder::RegisterResources(CXmlMarkupNode& root, CUIPaintManager& manager) {
  for (CXmlMarkupNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
    const wchar_t* tag = node.GetName();
    if (!IsResourceTag(tag)) continue;
    const ResourceAttributes a(node);
    if (Is(tag, L"Image")) {
      if (a.name == nullptr) continue;
      // A failed image load leaves the name unregistered; controls then draw without it.
      if (manager.AddImage(a.name, a.restype, a.mask, false, a.shared) == nullptr) {
        DEBUG_LOG(L"image %s could not be loaded", a.name);
      }
    } else if (Is(tag, L"Font")) {
      if (a.id < 0 || a.name == nullptr) continue;
      manager.AddFont(a.id, a.name, a.size, a.bold, a.underline, a.italic, a.shared);
      if (a.isDefault) manager.SetDefaultFont(a.name, a.size, a.bold, a.underline, a.italic, a.shared);
    } else if (Is(tag, L"Default")) {
      if (a.name != nullptr && a.value != nullptr) manager.SetTagDefaults(a.name, a.value, a.shared);
    } else if (Is(tag, L"MultiLanguage")) {
      if (a.id >= 0 && a.value != nullptr) CUIPaintManager::SetLanguageString(a.id, a.value);
    }
  }
}

CControlUI* CDialogBuilder::CreateControl(const wchar_t* tag) {
  if (CControlUI* control = CreateBuiltinControl(tag)) return control;
  if (CControlUI* control = CreateControlFromPlugins(tag)) return control;
  return callback_ != nullptr ? callback_->CreateControl(tag) : nullptr;
}

void CDialogBuilder::Include(CXmlMarkupNode& node, CControlUI* parent, CUIPaintManager* manager) {
  const wchar_t* source = node.GetAttributeValue(L"source");
  const wchar_t* countText = node.GetAttributeValue(L"count");
  const long count = countText != nullptr ? std::wcstol(countText, nullptr, 10) : 1;
  if (source == nullptr || count <= 0) return;
  for (long i = 0; i < count; ++i) {
    CDialogBuilder builder;
    const wchar_t* layout =
        type_ != nullptr ? MAKEINTRESOURCEW(static_cast<WORD>(std::wcstol(source, nullptr, 10))) : source;
    // The included controls land in the parent; what the builder returns is not needed.
    builder.Create(layout, type_, callback_, manager, parent);
  }
}

CControlUI* CDialogBuilder::Parse(CXmlMarkupNode& parentNode, CControlUI* parent, CUIPaintManager* manager,
                                  bool& failed) {
  CControlUI* first = nullptr;
  for (CXmlMarkupNode node = parentNode.GetChild(); node.IsValid(); node = node.GetSibling()) {
    const wchar_t* tag = node.GetName();
    if (IsResourceTag(tag) || Is(tag, L"TreeNode")) continue;
    if (Is(tag, L"Include")) {
      Include(node, parent, manager);
      continue;
    }
    CControlUI* control = CreateControl(tag);
    if (control == nullptr) continue;  // unknown tag: skipped with its subtree
    if (node.HasChildren()) {
      Parse(node, control, manager, failed);
      if (failed) {
        control->Delete();
        if (parent == nullptr && first != nullptr) first->Delete();
        return nullptr;
      }
    }
    if (parent == nullptr && first != nullptr) {
      // A second top-level control would have no owner: it is not kept.
      control->Delete();
      continue;
    }
    if (parent != nullptr) {
      const wchar_t* cover = node.GetAttributeValue(L"cover");
      if (cover != nullptr && std::wcscmp(cover, L"true") == 0) {
        parent->SetCover(control);
      } else {
        auto* container = static_cast<IContainerUI*>(parent->AsInterface(L"IContainer"));
        if (container == nullptr) {
          control->Delete();
          failed = true;
          return nullptr;  // the controls made so far belong to the parent
        }
        if (!container->Add(control)) {
          control->Delete();
          continue;
        }
      }
    }
    if (manager != nullptr) {
      control->BindManager(manager, nullptr, false);
      if (const wchar_t* defaults = manager->GetTagDefaults(tag)) control->SetAttributeList(defaults);
    }
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
    if (manager != nullptr) control->BindManager(nullptr, nullptr, false);
    if (first == nullptr) first = control;
  }
  return first;
}

}  // namespace SkinUI
