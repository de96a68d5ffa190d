#pragma once
// Stacks its children from top to bottom; children without a height share
// the leftover height equally, the last one taking the rounding remainder.
#include "SkinUI/layout/ContainerUI.h"

namespace SkinUI {

class CVerticalLayoutUI : public CContainerUI {
 public:
  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  UINT GetBehaviourFlags() const override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void Place(RECT rect, bool invalidate = true) override;

  int GetSepHeight() const { return sepHeight_; }
  bool IsSepImmMode() const { return sepImm_; }

 private:
  int sepHeight_ = 0;
  bool sepImm_ = false;
};

}  // namespace SkinUI
