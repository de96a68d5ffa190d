#pragma once
// The base of every visual element of a skinned window: name, text, geometry,
// layout hints, state, background and border, attribute parsing, hit testing,
// events and painting.
#include <windows.h>

#include "SkinUI/control/EventSource.h"
#include "SkinUI/core/NotifyMsg.h"
#include "SkinUI/core/UIEvent.h"
#include "SkinUI/core/UIString.h"
#include "SkinUI/core/UIStringMap.h"
#include "SkinUI/render/DrawInfo.h"

namespace SkinUI {

class CUIPaintManager;

// FindControl flags.
enum : UINT {
  UIFIND_ALL = 0x00000000,
  UIFIND_VISIBLE = 0x00000001,
  UIFIND_ENABLED = 0x00000002,
  UIFIND_HITTEST = 0x00000004,
  UIFIND_UPDATETEST = 0x00000008,
  UIFIND_TOP_FIRST = 0x00000010,
  UIFIND_ME_FIRST = 0x80000000,
};

using FindControlProc = CControlUI*(CALLBACK*)(CControlUI*, LPVOID);

struct FloatPercent {
  double left = 0, top = 0, right = 0, bottom = 0;
};

class CControlUI {
 public:
  CControlUI();
  virtual void Delete();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  virtual CUIString GetName() const;
  virtual void SetName(const wchar_t* name);
  virtual const wchar_t* GetClass() const;
  virtual void* AsInterface(const wchar_t* name);
  virtual UINT GetBehaviourFlags() const;
  virtual HWND GetChildWindow();
  virtual bool Activate();
  virtual CUIPaintManager* GetOwnerManager() const;
  virtual void BindManager(CUIPaintManager* manager, CControlUI* parent, bool init = true);
  virtual CControlUI* GetParent() const;
  virtual CControlUI* GetCover() const;
  virtual void SetCover(CControlUI* cover);

  virtual CUIString GetText() const;
  virtual void SetText(const wchar_t* text);

  virtual const RECT& GetPos() const;
  virtual RECT GetRelativePos() const;
  virtual RECT GetClientPos() const;
  virtual void Place(RECT rect, bool invalidate = true);
  virtual void Move(SIZE offset, bool invalidate = true);
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual int GetX() const;
  virtual int GetY() const;
  virtual RECT GetPadding() const;
  virtual void SetPadding(RECT padding);
  virtual SIZE GetFixedXY() const;
  virtual void SetFixedXY(SIZE xy);
  virtual FloatPercent GetFloatPercent() const;
  virtual void SetFloatPercent(FloatPercent percent);
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int cx);
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int cy);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int cx);
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int cx);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int cy);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int cy);

  virtual CUIString GetToolTip() const;
  virtual void SetToolTip(const wchar_t* text);
  virtual void SetToolTipWidth(int width);
  virtual int GetToolTipWidth() const;
  virtual wchar_t GetShortcut() const;
  virtual void SetShortcut(wchar_t ch);
  virtual bool IsContextMenuUsed() const;
  virtual void SetContextMenuUsed(bool used);
  virtual const CUIString& GetUserData() const;
  virtual void SetUserData(const wchar_t* text);
  virtual UINT_PTR GetTag() const;
  virtual void SetTag(UINT_PTR tag);

  virtual bool IsVisible() const;
  virtual void SetVisible(bool visible = true);
  virtual void SetShownByParent(bool shown);
  virtual bool IsEnabled() const;
  virtual void SetEnabled(bool enabled = true);
  virtual bool IsMouseEnabled() const;
  virtual void SetMouseEnabled(bool enabled = true);
  virtual bool IsKeyboardEnabled() const;
  virtual void SetKeyboardEnabled(bool enabled = true);
  virtual bool IsFocused() const;
  virtual void SetFocus();
  virtual bool IsFloat() const;
  virtual void SetFloat(bool floating = true);

  virtual CControlUI* FindControl(FindControlProc proc, LPVOID data, UINT flags);

  virtual void Initialize();
  virtual void OnInitialize();
  virtual void DispatchEvent(UIEvent& event);
  virtual void HandleEvent(UIEvent& event);

  virtual CUIString GetAttribute(const wchar_t* name);
  virtual void SetAttribute(const wchar_t* name, const wchar_t* value);
  virtual CUIString GetAttributeList();
  virtual void SetAttributeList(const wchar_t* list);

  virtual SIZE MeasureSize(SIZE available);

  virtual bool Paint(HDC dc, const RECT& dirty, CControlUI* stop);
  virtual bool PaintContent(HDC dc, const RECT& dirty, CControlUI* stop);
  virtual void PaintBackColor(HDC dc);
  virtual void PaintBackImage(HDC dc);
  virtual void PaintStateImage(HDC dc);
  virtual void PaintText(HDC dc);
  virtual void PaintBorder(HDC dc);
  virtual void PaintAfter(HDC dc, const RECT& dirty);

  // Control flags: tab stop, wants set-cursor (see UIFLAG_*).
  virtual UINT GetControlFlags() const;

  // ---- Non-virtual helpers ----
  void Invalidate();
  bool IsLayoutNeeded() const { return layoutNeeded_; }
  void SetLayoutNeeded() { layoutNeeded_ = true; }
  void RequestLayout();
  void RequestParentLayout();
  DWORD AdjustColor(DWORD color) const;

  void AddCustomAttribute(const wchar_t* name, const wchar_t* value);
  const wchar_t* GetCustomAttribute(const wchar_t* name) const;
  bool RemoveCustomAttribute(const wchar_t* name);
  void RemoveAllCustomAttributes();

  DWORD GetBkColor() const { return bkColor_; }
  void SetBkColor(DWORD color);
  DWORD GetBkColor2() const { return bkColor2_; }
  void SetBkColor2(DWORD color);
  DWORD GetBkColor3() const { return bkColor3_; }
  void SetBkColor3(DWORD color);
  const CUIString& GetBkImage() const { return bkImage_.attribute; }
  void SetBkImage(const wchar_t* image);
  DWORD GetBorderColor() const { return borderColor_; }
  void SetBorderColor(DWORD color);
  DWORD GetFocusBorderColor() const { return focusBorderColor_; }
  void SetFocusBorderColor(DWORD color);
  bool IsColorHSL() const { return colorHSL_; }
  void SetColorHSL(bool hsl);
  RECT GetBorderSize() const { return borderSize_; }
  void SetBorderSize(RECT size);
  void SetBorderSize(int size);
  SIZE GetBorderRound() const { return borderRound_; }
  void SetBorderRound(SIZE round);
  int GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int style);
  CUIString GetVirtualWnd() const;
  void SetVirtualWnd(const wchar_t* name);

  // Focus flag changes without repainting (used by containers).
  void SetFocusedFlag(bool focused) { focused_ = focused; }

  CEventSource<CControlUI*> OnInit;
  CEventSource<CControlUI*> OnDestroy;
  CEventSource<CControlUI*> OnSize;
  CEventSource<UIEvent*> OnEvent;
  CEventSource<NotifyMsg*> OnNotify;
  CEventSource<CControlUI*> OnPaint;
  CEventSource<CControlUI*> OnPostPaint;

 protected:
  // Invalidates rect clipped through the ancestors' rectangles.
  void InvalidateClipped(RECT rect);
  void PlaceCover();

  CUIPaintManager* manager_ = nullptr;
  CControlUI* parent_ = nullptr;
  CControlUI* cover_ = nullptr;
  CUIString name_;
  CUIString virtualWnd_;
  CUIString userData_;
  UINT_PTR tag_ = 0;
  CUIStringMap customAttributes_;  // CUIString*, owned

  CUIString text_;
  CUIString toolTip_;
  int toolTipWidth_ = 300;
  wchar_t shortcut_ = 0;

  RECT item_ = {0, 0, 0, 0};
  RECT paint_ = {0, 0, 0, 0};
  RECT padding_ = {0, 0, 0, 0};
  SIZE fixedXY_ = {0, 0};
  SIZE fixedSize_ = {0, 0};
  SIZE minSize_ = {0, 0};
  SIZE maxSize_ = {9999, 9999};
  FloatPercent floatPercent_;

  bool visible_ = true;
  bool shownByParent_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  bool keyboardEnabled_ = true;
  bool focused_ = false;
  bool float_ = false;
  bool layoutNeeded_ = true;
  bool menuUsed_ = false;
  bool inPositionChange_ = false;

  DWORD bkColor_ = 0;
  DWORD bkColor2_ = 0;
  DWORD bkColor3_ = 0;
  DrawInfo bkImage_;
  DWORD borderColor_ = 0;
  DWORD focusBorderColor_ = 0;
  bool colorHSL_ = false;
  RECT borderSize_ = {0, 0, 0, 0};
  int borderStyle_ = PS_SOLID;
  SIZE borderRound_ = {0, 0};
};

}  // namespace SkinUI
