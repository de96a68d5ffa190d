#pragma once
// A control with children: child management, inset, child padding and
// alignment, clipping and child-aware hit testing.
#include "SkinUI/control/ControlUI.h"
#include "SkinUI/core/IContainerUI.h"
#include "SkinUI/core/UIPtrArray.h"

namespace SkinUI {

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  const wchar_t* GetClass() const override;
  void* AsInterface(const wchar_t* name) override;

  // IContainerUI
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int newIndex) override;
  bool MoveItems(CControlUI* first, int count, int newIndex) override;
  int GetCount() const override;
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool keep = false) override;
  bool RemoveAt(int index, bool keep = false) override;
  void RemoveAll() override;

  void BindManager(CUIPaintManager* manager, CControlUI* parent, bool init = true) override;
  RECT GetClientPos() const override;
  void Place(RECT rect, bool invalidate = true) override;
  void Move(SIZE offset, bool invalidate = true) override;
  void SetVisible(bool visible = true) override;
  void SetShownByParent(bool shown) override;
  void SetMouseEnabled(bool enabled = true) override;
  CControlUI* FindControl(FindControlProc proc, LPVOID data, UINT flags) override;
  void HandleEvent(UIEvent& event) override;
  void SetAttribute(const wchar_t* name, const wchar_t* value) override;
  bool PaintContent(HDC dc, const RECT& dirty, CControlUI* stop) override;

  virtual RECT GetInset() const;
  virtual void SetInset(RECT inset);
  virtual int GetChildPadding() const;
  virtual void SetChildPadding(int padding);
  virtual UINT GetChildAlign() const;
  virtual void SetChildAlign(UINT align);
  virtual UINT GetChildVAlign() const;
  virtual void SetChildVAlign(UINT align);
  virtual bool IsAutoDestroy() const;
  virtual void SetAutoDestroy(bool autoDestroy);
  virtual bool IsDelayedDestroy() const;
  virtual void SetDelayedDestroy(bool delayed);
  virtual bool IsMouseChildEnabled() const;
  virtual void SetMouseChildEnabled(bool enabled = true);
  // Scrolling needs the scroll bars, which this framework does not carry:
  // positions and ranges are zero and the scroll operations do nothing.
  virtual SIZE GetScrollPos() const;
  virtual SIZE GetScrollRange() const;
  virtual void SetScrollPos(SIZE pos);
  virtual void PlaceFloatingItem(int index);
  virtual void UpdateScrollBars(const RECT& inner, int neededWidth, int neededHeight);

 protected:
  RECT InnerRect() const;
  void DisposeChild(CControlUI* control);

  CUIPtrArray items_;
  RECT inset_ = {0, 0, 0, 0};
  int childPadding_ = 0;
  UINT childAlign_ = 0;   // 0 left, 1 centre, 2 right
  UINT childVAlign_ = 0;  // 0 top, 4 centre, 8 bottom
  bool autoDestroy_ = true;
  bool delayedDestroy_ = true;
  bool mouseChildEnabled_ = true;
};

}  // namespace SkinUI
