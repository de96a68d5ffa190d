#pragma once
// Builds a window's control tree from a skin layout: the resources declared
// at the top of the layout go to the paint manager, the root Window element's
// attributes to the window, and every element below becomes a control.
#include <windows.h>

#include "SkinUI/builder/ControlFactory.h"
#include "SkinUI/markup/XmlMarkup.h"
#include "SkinUI/markup/XmlMarkupNode.h"

namespace SkinUI {

class CUIPaintManager;

class CDialogBuilder {
 public:
  CDialogBuilder() = default;
  CDialogBuilder(const CDialogBuilder&) = delete;
  CDialogBuilder& operator=(const CDialogBuilder&) = delete;

  // layout: a resource id (MAKEINTRESOURCE) of the given type, markup text
  // starting with "<", or a skin file name. Null when it cannot be read.
  CControlUI* Create(const wchar_t* layout, const wchar_t* type = nullptr, IDialogBuilderCallback* callback = nullptr,
                     CUIPaintManager* manager = nullptr, CControlUI* parent = nullptr);
  // Builds from the markup already loaded.
  CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CUIPaintManager* manager = nullptr,
                     CControlUI* parent = nullptr);
  CXmlMarkup* GetMarkup() { return &markup_; }

 private:
  bool Load(const wchar_t* layout, const wchar_t* type);
  void RegisterResources(CXmlMarkupNode& root, CUIPaintManager& manager);
  CControlUI* Parse(CXmlMarkupNode& parentNode, CControlUI* parent, CUIPaintManager* manager, bool& failed);
  void Include(CXmlMarkupNode& node, CControlUI* parent, CUIPaintManager* manager);
  CControlUI* CreateControl(const wchar_t* tag);

  CXmlMarkup markup_;
  IDialogBuilderCallback* callback_ = nullptr;
  const wchar_t* type_ = nullptr;
};

}  // namespace SkinUI
