#include "SkinUI/controls/SequenceButtonUI.h"

#include <cwchar>

#include "installer/src/utils/DebugLog.h"

namespace SkinUI {

CSequenceButtonUI::CSequenceButtonUI() : animator_(60, true) {}

const wchar_t* CSequenceButtonUI::GetClass() const { return L"SequenceButton"; }

void* CSequenceButtonUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"SequenceButton") == 0) return this;
  return CButtonUI::AsInterface(name);
}

void CSequenceButtonUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (!animator_.SetAttribute(name, value)) CButtonUI::SetAttribute(name, value);
}

void CSequenceButtonUI::SetSequencePattern(const wchar_t* pattern) { animator_.SetPattern(pattern); }
CUIString CSequenceButtonUI::GetSequencePattern() const { return animator_.GetPattern(); }
void CSequenceButtonUI::SetSequenceCount(int count) { animator_.SetCount(count); }
int CSequenceButtonUI::GetSequenceCount() const { return animator_.GetCount(); }
void CSequenceButtonUI::SetSequenceInterval(int interval) { animator_.SetInterval(interval); }
int CSequenceButtonUI::GetSequenceInterval() const { return animator_.GetInterval(); }

void CSequenceButtonUI::StartSequence() {
  if (!animator_.Start(manager_, this)) DEBUG_LOG(L"no timer for the frame sequence of %s", name_.GetData());
}

void CSequenceButtonUI::OnInitialize() {
  CButtonUI::OnInitialize();
  if (animator_.IsAutoStart()) StartSequence();
}

void CSequenceButtonUI::HandleEvent(UIEvent& event) {
  CButtonUI::HandleEvent(event);
  if (event.Type != UIEVENT_TIMER) return;
  const CUIString frame = animator_.Tick(manager_, this);
  if (frame.IsEmpty()) return;
  SetBkImage(frame);
  Invalidate();
}

}  // namespace SkinUI
