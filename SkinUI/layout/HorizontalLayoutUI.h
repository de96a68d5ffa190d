#pragma once
// Lines its children up from left to right; children without a width share
// the leftover width equally, the last one taking the rounding remainder.
#include "SkinUI/layout/ContainerUI.h"

namespace SkinUI {

class CHorizontalLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  UINT GetBehaviourFlags() const override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void Place(RECT rect, bool invalidate = true) override;

  int GetSepWidth() const { return sepWidth_; }
  bool IsSepImmMode() const { return sepImm_; }

 private:
  int sepWidth_ = 0;
  bool sepImm_ = false;
};

}  // namespace SkinUI
