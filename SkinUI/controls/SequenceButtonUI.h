#pragma once
// A button whose background plays a numbered series of images under its
// state images, one frame per tick of control timer 2100.
#include "SkinUI/controls/ButtonUI.h"
#include "SkinUI/controls/FrameAnimator.h"

namespace SkinUI {

class CSequenceButtonUI : public CButtonUI {
 public:
  CSequenceButtonUI();

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  void OnInitialize() override;
  void HandleEvent(UIEvent& event) override;

  virtual void SetSequencePattern(const wchar_t* pattern);
  virtual CUIString GetSequencePattern() const;
  virtual void SetSequenceCount(int count);
  virtual int GetSequenceCount() const;
  virtual void SetSequenceInterval(int interval);
  virtual int GetSequenceInterval() const;

  void StartSequence();
  const CFrameAnimator& GetAnimator() const { return animator_; }

 private:
  CFrameAnimator animator_;
};

}  // namespace SkinUI
