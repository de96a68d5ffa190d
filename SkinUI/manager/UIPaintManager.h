#pragma once
// The per-window hub between a native window and its control tree: the name
// map, fonts, images and default attribute lists of the window, focus,
// invalidation, layout requests and notifications. The static part holds the
// process-wide settings: where skin files come from, shared tables, language
// strings and the global hue/saturation/lightness adjustment.
#include <windows.h>

#include <memory>
#include <vector>

#include "SkinUI/core/NotifyMsg.h"
#include "SkinUI/core/UIPtrArray.h"
#include "SkinUI/core/UIString.h"
#include "SkinUI/core/UIStringMap.h"
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
