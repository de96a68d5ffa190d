#include "SkinUI/builder/ControlFactory.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "SkinUI/controls/ButtonUI.h"
#include "SkinUI/controls/EditUI.h"
#include "SkinUI/controls/LabelUI.h"
#include "SkinUI/controls/OptionUI.h"
#include "SkinUI/controls/ProgressUI.h"
#include "SkinUI/layout/ContainerUI.h"
#include "SkinUI/layout/HorizontalLayoutUI.h"
#include "SkinUI/layout/TabLayoutUI.h"
#include "SkinUI/layout/VerticalLayoutUI.h"

namespace SkinUI {
namespace {

template <class T>
CControlUI* Make() {
  return new T;
}

struct FactoryEntry {
  const wchar_t* tag;
  CControlUI* (*create)();
};

const FactoryEntry kFactory[] = {
    {L"Control", &Make<CControlUI>},
    {L"Container", &Make<CContainerUI>},
    {L"VerticalLayout", &Make<CVerticalLayoutUI>},
    {L"VBox", &Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", &Make<CHorizontalLayoutUI>},
    {L"HBox", &Make<CHorizontalLayoutUI>},
    {L"TabLayout", &Make<CTabLayoutUI>},
    {L"Label", &Make<CLabelUI>},
    {L"Button", &Make<CButtonUI>},
    {L"Option", &Make<COptionUI>},
    {L"CheckBox", &Make<CCheckBoxUI>},
    {L"Progress", &Make<CProgressUI>},
    {L"Edit", &Make<CEditUI>},
};

std::vector<CreateControlProc>& Plugins() {
  static std::vector<CreateControlProc> plugins;
  return plugins;
}

}  // namespace

CControlUI* CreateBuiltinControl(const wchar_t* tag) {
  if (tag == nullptr) return nullptr;
  const size_t length = std::wcslen(tag);
  for (const FactoryEntry& entry : kFactory) {
    if (std::wcslen(entry.tag) == length && _wcsicmp(entry.tag, tag) == 0) return entry.create();
  }
  return nullptr;
}

bool AddCreateControlPlugin(CreateControlProc proc) {
  auto& plugins = Plugins();
  if (proc == nullptr || std::find(plugins.begin(), plugins.end(), proc) != plugins.end()) return false;
  plugins.push_back(proc);
  return true;
}

bool RemoveCreateControlPlugin(CreateControlProc proc) {
  auto& plugins = Plugins();
  const auto it = std::find(plugins.begin(), plugins.end(), proc);
  if (it == plugins.end()) return false;
  plugins.erase(it);
  return true;
}

CControlUI* CreateControlFromPlugins(const wchar_t* tag) {
  for (CreateControlProc proc : Plugins()) {
    if (CControlUI* control = proc(tag)) return control;
  }
  return nullptr;
}

}  // namespace SkinUI
