// layoutpreview <skin folder> <layout file> <output.bmp>
//
// Builds the controls of a layout file with the layout tags the core knows
// (Control, Container, VerticalLayout, HorizontalLayout, TabLayout; any other
// tag is previewed as a plain Control with its attributes), lays the tree out
// at the Window's size, paints it off-screen and writes a 32-bit BMP.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "SkinUI/layout/HorizontalLayoutUI.h"
#include "SkinUI/layout/TabLayoutUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"
#include "SkinUI/manager/UIPaintManager.h"
#include "SkinUI/markup/XmlMarkup.h"
#include "SkinUI/render/UIRender.h"

using namespace SkinUI;

namespace {

CControlUI* CreateControl(const wchar_t* tag) {
  if (::lstrcmpiW(tag, L"VerticalLayout") == 0) return new CVerticalLayoutUI;
  if (::lstrcmpiW(tag, L"HorizontalLayout") == 0) return new CHorizontalLayoutUI;
  if (::lstrcmpiW(tag, L"TabLayout") == 0) return new CTabLayoutUI;
  if (::lstrcmpiW(tag, L"Container") == 0) return new CContainerUI;
  return new CControlUI;
}

bool IsResourceTag(const wchar_t* tag) {
  return ::lstrcmpiW(tag, L"Font") == 0 || ::lstrcmpiW(tag, L"Image") == 0 || ::lstrcmpiW(tag, L"Default") == 0 ||
         ::lstrcmpiW(tag, L"MultiLanguage") == 0 || ::lstrcmpiW(tag, L"Include") == 0;
}

CControlUI* Build(CXmlMarkupNode node, CContainerUI* parent, CUIPaintManager* manager) {
  CControlUI* first = nullptr;
  for (; node.IsValid(); node = node.GetSibling()) {
    if (IsResourceTag(node.GetName())) continue;
    CControlUI* control = CreateControl(node.GetName());
    auto* container = static_cast<CContainerUI*>(control->AsInterface(L"Container"));
    if (node.HasChildren()) {
      if (container == nullptr) {
        std::fwprintf(stderr, L"%ls is not a container; its children are skipped\n", node.GetName());
      } else {
        Build(node.GetChild(), container, manager);
      }
    }
    if (parent != nullptr) parent->Add(control);
    control->BindManager(manager, nullptr, false);
    if (const wchar_t* defaults = manager->GetTagDefaults(node.GetName())) control->SetAttributeList(defaults);
    for (int i = 0; i < node.GetAttributeCount(); ++i) {
      control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
    }
    control->BindManager(nullptr, nullptr, false);
    if (first == nullptr) first = control;
  }
  return first;
}

void RegisterResources(CXmlMarkupNode root, CUIPaintManager* manager, SIZE* size) {
  const wchar_t* sizeText = root.GetAttributeValue(L"size");
  if (sizeText != nullptr) std::swscanf(sizeText, L"%ld,%ld", &size->cx, &size->cy);
  for (CXmlMarkupNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
    if (::lstrcmpiW(node.GetName(), L"Font") == 0) {
      const wchar_t* id = node.GetAttributeValue(L"id");
      const wchar_t* name = node.GetAttributeValue(L"name");
      const wchar_t* fontSize = node.GetAttributeValue(L"size");
      const wchar_t* bold = node.GetAttributeValue(L"bold");
      if (id == nullptr || name == nullptr) continue;
      const bool isBold = bold != nullptr && ::lstrcmpiW(bold, L"true") == 0;
      const int pixels = fontSize ? static_cast<int>(std::wcstol(fontSize, nullptr, 10)) : 12;
      manager->AddFont(static_cast<int>(std::wcstol(id, nullptr, 10)), name, pixels, isBold, false, false);
      const wchar_t* isDefault = node.GetAttributeValue(L"default");
      if (isDefault != nullptr && ::lstrcmpiW(isDefault, L"true") == 0) {
        manager->SetDefaultFont(name, pixels, isBold, false, false);
      }
    } else if (::lstrcmpiW(node.GetName(), L"Default") == 0) {
      const wchar_t* name = node.GetAttributeValue(L"name");
      const wchar_t* value = node.GetAttributeValue(L"value");
      if (name != nullptr && value != nullptr) manager->SetTagDefaults(name, value);
    }
  }
}

bool WriteBmp(const wchar_t* path, const BYTE* pixels, int width, int height) {
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + bytes;
  FILE* out = _wfopen(path, L"wb");
  if (out == nullptr) return false;
  const bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                  std::fwrite(pixels, 1, bytes, out) == bytes;
  return std::fclose(out) == 0 && ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fwprintf(stderr, L"usage: layoutpreview <skin folder> <layout file> <output.bmp>\n");
    return 2;
  }
  CUIPaintManager::SetInstance(::GetModuleHandleW(nullptr));
  CUIPaintManager::SetResourcePath(argv[1]);
  CXmlMarkup markup;
  if (!markup.LoadFromFile(argv[2])) {
    std::fwprintf(stderr, L"%ls: %ls [%ls]\n", argv[2], markup.GetLastErrorMessage(), markup.GetLastErrorLocation());
    return 1;
  }

  SIZE size = {600, 400};
  HDC screen = ::CreateCompatibleDC(nullptr);
  BYTE* pixels = nullptr;
  HBITMAP bitmap = nullptr;
  int result = 1;
  {
    CUIPaintManager manager;
    manager.SetPaintDC(screen);
    CXmlMarkupNode root = markup.GetRoot();
    RegisterResources(root, &manager, &size);
    CControlUI* tree = Build(root.GetChild(), nullptr, &manager);
    if (tree == nullptr) {
      std::fwprintf(stderr, L"%ls has no controls\n", argv[2]);
    } else {
      bitmap = CUIRender::CreateARGB32Bitmap(screen, size.cx, size.cy, &pixels);
      if (bitmap != nullptr) {
        HGDIOBJ old = ::SelectObject(screen, bitmap);
        manager.AttachRoot(tree);
        const RECT client = {0, 0, size.cx, size.cy};
        tree->Place(client);
        tree->Paint(screen, client, nullptr);
        ::GdiFlush();
        result = WriteBmp(argv[3], pixels, size.cx, size.cy) ? 0 : 1;
        if (result != 0) std::fwprintf(stderr, L"cannot write %ls\n", argv[3]);
        ::SelectObject(screen, old);
      }
    }
  }
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  ::DeleteDC(screen);
  return result;
}
