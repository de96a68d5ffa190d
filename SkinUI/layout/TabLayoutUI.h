#pragma once
// Gives its whole inner area to the one selected child; the others are hidden.
#include "SkinUI/layout/ContainerUI.h"

namespace SkinUI {

class CTabLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;

  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool keep = false) override;
  void RemoveAll() override;
  void Place(RECT rect, bool invalidate = true) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;

  int GetCurSel() const { return currentSel_; }
  bool SelectItem(int index, bool sendNotify = true);

 private:
  int currentSel_ = -1;
};

}  // namespace SkinUI
