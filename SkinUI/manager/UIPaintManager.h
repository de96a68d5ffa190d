#pragma once
// The per-window hub between a native window and its control tree: the name
// map, fonts, images and default attribute lists of the window, focus,
// invalidation, layout requests and notifications. The static part holds the
// process-wide settings: where skin files come from, shared tables, language
// strings and the global hue/saturation/lightness adjustment.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <utility>
#include <vector>

#include "SkinUI/core/NotifyMsg.h"
#include "SkinUI/core/UIEvent.h"
#include "SkinUI/core/UIPtrArray.h"
#include "SkinUI/core/UIString.h"
#include "SkinUI/core/UIStringMap.h"
#include "SkinUI/manager/MessageFilter.h"
#include "SkinUI/manager/PaintManagerHandles.h"
#include "SkinUI/manager/UITimer.h"
#include "SkinUI/render/FontInfo.h"
#include "SkinUI/render/ImageInfo.h"

namespace SkinUI {

class CControlUI;
class CSkinArchive;

class CUIPaintManager {
 public:
  CUIPaintManager();
  ~CUIPaintManager();
  CUIPaintManager(const CUIPaintManager&) = delete;
  CUIPaintManager& operator=(const CUIPaintManager&) = delete;

  // ---- Process-wide skin resource settings (UI thread only) ----
  static void SetInstance(HINSTANCE instance);
  static HINSTANCE GetInstance();
  // The instance's module path cut after its last "\"; empty without an instance.
  static CUIString GetInstancePath();
  static void SetResourceInstance(HINSTANCE instance);
  // The resource instance when set, else the instance.
  static HINSTANCE GetResourceInstance();
  // A non-empty path always ends in "\" or "/".
  static void SetResourcePath(const wchar_t* path);
  static const CUIString& GetResourcePath();
  // The first archive opened from memory stays in use for the whole process.
  static void SetArchiveFromMemory(const void* data, unsigned size);
  static void SetArchiveFile(const wchar_t* name, bool cached = true);
  static const CUIString& GetArchiveName();
  static bool IsArchiveCached();
  static const CSkinArchive* GetArchive();
  static void Set7zFormat(bool use7z);
  static bool Is7zFormat();
  // Forgets the cached archive and every setting (tests start from a clean slate).
  static void ResetResourceSettings();

  // ---- Process-wide language strings and colour adjustment ----
  static void SetLanguageString(int id, const wchar_t* text);
  static const wchar_t* GetLanguageString(int id);
  // Replaces every "%{id}" by its language string.
  static CUIString ProcessLanguageTokens(const wchar_t* text);
  static void SetHSL(bool use, short hue, short saturation, short lightness);
  static bool IsUseHSL();
  static void GetHSL(short* hue, short* saturation, short* lightness);

  // ---- Window ----
  // Clears the per-window tables and timers, binds the window and takes its
  // device context; joins the process-wide list used by TranslateLoopMessage.
  void BindWindow(HWND window, const wchar_t* name = nullptr);
  const CUIString& GetWindowName() const { return windowName_; }
  // Turns a native window message into control events; true when handled.
  bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Runs before dispatch: pre-message filters, Tab focus order, Alt shortcuts.
  bool PreTranslate(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // For the message loop: true when a manager consumed the message.
  static bool TranslateLoopMessage(const MSG& message);
  static CUIPaintManager* FindManagerOf(HWND window);
  void SetNoActivate(bool noActivate) { noActivate_ = noActivate; }
  HWND GetPaintWindow() const { return window_; }
  // Fonts are measured with this device context; binding a window sets it.
  void SetPaintDC(HDC dc) { paintDc_ = dc; }
  HDC GetPaintDC() const { return paintDc_; }
  bool IsNoActivate() const { return noActivate_; }

  // ---- Tree ----
  bool AttachRoot(CControlUI* root);
  CControlUI* GetRoot() const { return root_; }
  // Binds and initialises a subtree, then names its controls in the name map.
  void BindSubtree(CControlUI* control, CControlUI* parent = nullptr);
  void ReindexControl(CControlUI* control, const wchar_t* name);
  void ForgetControl(CControlUI* control);
  CControlUI* FindControl(const wchar_t* name) const;
  CControlUI* FindControl(POINT point) const;
  void AddDelayedCleanup(CControlUI* control);
  void ReapDelayedCleanup();

  // ---- Invalidation and layout ----
  void Invalidate(const RECT& rect);
  void Invalidate();
  // Union of everything invalidated since the last ClearInvalidRect.
  const RECT& GetInvalidRect() const { return invalid_; }
  void ClearInvalidRect() { ::SetRectEmpty(&invalid_); }
  void MarkLayoutNeeded() { layoutNeeded_ = true; }
  bool IsLayoutNeeded() const { return layoutNeeded_; }
  void SetLayoutNeeded(bool needed) { layoutNeeded_ = needed; }

  // ---- Focus ----
  CControlUI* GetFocus() const { return focus_; }
  void SetFocus(CControlUI* control, bool focusWindow = true);
  void SetFocusNeeded(bool needed) { focusNeeded_ = needed; }
  bool IsFocusNeeded() const { return focusNeeded_; }
  void MoveFocusToNextTab(bool forward = true);

  void SetCapture();
  void ReleaseCapture();
  bool IsCaptured() const { return mouseCaptured_; }
  CControlUI* GetHover() const { return hover_; }
  CControlUI* GetPushed() const { return pushed_; }

  // ---- Timers (window timer numbers from 17, wrapping after 254) ----
  bool SetTimer(CControlUI* control, UINT id, UINT interval);
  bool KillTimer(CControlUI* control, UINT id);
  void KillTimer(CControlUI* control);
  void RemoveAllTimers();
  const CUITimerList& GetTimers() const { return timers_; }

  // ---- Listener lists ----
  bool AddMessageFilter(IMessageFilterUI* filter);
  bool RemoveMessageFilter(IMessageFilterUI* filter);
  bool AddPreMessageFilter(IMessageFilterUI* filter);
  bool RemovePreMessageFilter(IMessageFilterUI* filter);
  bool AddTranslateAccelerator(ITranslateAccelerator* handler);
  bool RemoveTranslateAccelerator(ITranslateAccelerator* handler);
  bool AddPostPaint(CControlUI* control);
  bool RemovePostPaint(CControlUI* control);
  bool AddNativeWindow(CControlUI* control, HWND window);
  bool RemoveNativeWindow(HWND window);
  bool AddMouseLeaveNeeded(CControlUI* control);
  bool RemoveMouseLeaveNeeded(CControlUI* control);

  // ---- Window attributes (the Window element of a layout) ----
  SIZE GetInitSize() const { return initSize_; }
  // Also resizes the bound window's client area.
  void SetInitSize(int cx, int cy);
  const RECT& GetSizeBox() const { return sizeBox_; }
  void SetSizeBox(const RECT& box) { sizeBox_ = box; }
  const RECT& GetCaptionRect() const { return caption_; }
  void SetCaptionRect(const RECT& caption) { caption_ = caption; }
  SIZE GetRoundCorner() const { return roundCorner_; }
  void SetRoundCorner(int cx, int cy) { roundCorner_ = {cx, cy}; }
  SIZE GetMinInfo() const { return minInfo_; }
  void SetMinInfo(int cx, int cy) { minInfo_ = {cx, cy}; }
  SIZE GetMaxInfo() const { return maxInfo_; }
  void SetMaxInfo(int cx, int cy) { maxInfo_ = {cx, cy}; }
  BYTE GetOpacity() const { return opacity_; }
  void SetOpacity(BYTE opacity) { opacity_ = opacity; }
  bool IsShowDirty() const { return showDirty_; }
  void SetShowDirty(bool show) { showDirty_ = show; }
  void SetOffscreenPaint(bool offscreen) { offscreenPaint_ = offscreen; }
  void SetHoverTime(UINT ms) { hoverTime_ = ms; }

  // ---- Notifications ----
  bool AddNotifier(INotifyUI* notifier);
  bool RemoveNotifier(INotifyUI* notifier);
  void RaiseNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0,
                   bool asynchronous = false);
  void RaiseNotify(NotifyMsg& msg, bool asynchronous = false, bool enableRepeat = true);
  // Delivers the queued notifications, then deletes the controls waiting for clean-up.
  void DrainNotifyQueue();
  bool UsesVirtualWindows() const { return usesVirtualWindows_; }
  void SetUsesVirtualWindows(bool uses) { usesVirtualWindows_ = uses; }
  POINT GetMousePos() const { return lastMouse_; }

  // ---- Fonts (id ≥ 0; the shared table is used when asked or in shared mode) ----
  HFONT AddFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared = false);
  HFONT GetFont(int id) const;
  const FontInfo* GetFontInfo(int id) const;
  const FontInfo* GetFontInfo(HFONT font) const;
  void SetDefaultFont(const wchar_t* face, int size, bool bold, bool underline, bool italic, bool shared = false);
  const FontInfo* GetDefaultFontInfo();

  // ---- Images ----
  const ImageInfo* AddImage(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                            bool keepCopy = false, bool shared = false);
  const ImageInfo* GetImage(const wchar_t* name) const;
  // The cached image of that name, else a newly loaded one (null when loading fails).
  const ImageInfo* GetOrLoadImage(const wchar_t* name, const wchar_t* type = nullptr, DWORD mask = 0,
                                  bool keepCopy = false);
  bool RemoveImage(const wchar_t* name, bool shared = false);

  // ---- Default attribute lists by control tag ----
  void SetTagDefaults(const wchar_t* tag, const wchar_t* list, bool shared = false);
  const wchar_t* GetTagDefaults(const wchar_t* tag) const;

  // ---- Custom window attributes ----
  void AddWindowCustomAttribute(const wchar_t* name, const wchar_t* value);
  const wchar_t* GetWindowCustomAttribute(const wchar_t* name) const;

  void SetSharedResources(bool shared) { sharedResources_ = shared; }
  bool IsSharedResources() const { return sharedResources_; }

  // ---- Default colours ----
  DWORD GetDefaultDisabledColor() const { return disabledColor_; }
  DWORD GetDefaultFontColor() const { return fontColor_; }
  DWORD GetDefaultLinkFontColor() const { return linkColor_; }
  DWORD GetDefaultLinkHoverFontColor() const { return linkHoverColor_; }
  DWORD GetDefaultSelectedBkColor() const { return selectedColor_; }
  void SetDefaultDisabledColor(DWORD color) { disabledColor_ = color; }
  void SetDefaultFontColor(DWORD color) { fontColor_ = color; }
  void SetDefaultLinkFontColor(DWORD color) { linkColor_ = color; }
  void SetDefaultLinkHoverFontColor(DWORD color) { linkHoverColor_ = color; }
  void SetDefaultSelectedBkColor(DWORD color) { selectedColor_ = color; }

 protected:
  void ReleaseTables();
  static std::unique_ptr<FontInfo> CreateFontInfo(HDC dc, const wchar_t* face, int size, bool bold,
                                                  bool underline, bool italic);

  HWND window_ = nullptr;
  HDC paintDc_ = nullptr;
  CControlUI* root_ = nullptr;
  CControlUI* focus_ = nullptr;
  POINT lastMouse_ = {-1, -1};
  RECT invalid_ = {0, 0, 0, 0};
  bool layoutNeeded_ = false;
  bool firstLayout_ = true;
  bool focusNeeded_ = false;
  bool noActivate_ = false;
  bool usesVirtualWindows_ = false;
  bool sharedResources_ = false;

  // Window side.
  void ForgetWindowState(CControlUI* control);
  void PostDrainMessage();
  void ClearInputState();
  bool HandlePaint();
  void LayoutIfNeeded(const RECT& client);
  void PaintOffscreen(HDC target, const RECT& dirty, const RECT& client);
  void OnMouseMove(POINT point, WPARAM keys);
  void OnMouseLeave();
  bool OnSetCursor(LPARAM lParam);
  void ShowToolTip();
  void HideToolTip();
  bool HandleShortcut(wchar_t key);
  bool TranslateAccelerators(MSG* message);
  UIEvent MakeEvent(int type, CControlUI* sender, WPARAM wParam, LPARAM lParam) const;
  void SendEvent(CControlUI* control, int type, WPARAM wParam = 0, LPARAM lParam = 0, wchar_t key = 0);

  CUIString windowName_;
  WindowDC windowDc_;
  OffscreenSurface offscreen_;
  UniqueWindow toolTip_;
  TOOLINFOW toolInfo_ = {};
  CControlUI* keyTarget_ = nullptr;
  CControlUI* hover_ = nullptr;
  CControlUI* pushed_ = nullptr;
  bool offscreenPaint_ = true;
  bool showDirty_ = false;
  bool mouseTracking_ = false;
  bool mouseCaptured_ = false;
  bool painting_ = false;
  bool queuePosted_ = false;  // the drain message is on its way
  UINT hoverTime_ = 1000;
  CUITimerList timers_;
  CUIPtrArray messageFilters_;
  CUIPtrArray preMessageFilters_;
  CUIPtrArray translateAccelerators_;
  CUIPtrArray postPaint_;
  std::vector<std::pair<CControlUI*, HWND>> nativeWindows_;
  CUIPtrArray mouseLeaveNeeded_;
  ManagerRegistration registration_;
  SIZE initSize_ = {0, 0};
  RECT sizeBox_ = {0, 0, 0, 0};
  RECT caption_ = {0, 0, 0, 0};
  SIZE roundCorner_ = {0, 0};
  SIZE minInfo_ = {0, 0};
  SIZE maxInfo_ = {0, 0};
  BYTE opacity_ = 255;

  CUIPtrArray notifiers_;
  std::vector<NotifyMsg> asyncNotify_;
  CUIPtrArray delayedCleanup_;
  CUIStringMap nameMap_;
  CUIStringMap fonts_;          // id text -> FontInfo*, owned
  CUIStringMap images_;         // name -> ImageInfo*, owned
  CUIStringMap tagDefaults_;    // tag -> CUIString*, owned
  CUIStringMap windowCustomAttributes_;  // name -> CUIString*, owned
  std::unique_ptr<FontInfo> defaultFont_;

  DWORD disabledColor_;
  DWORD fontColor_;
  DWORD linkColor_;
  DWORD linkHoverColor_;
  DWORD selectedColor_;
};

}  // namespace SkinUI
