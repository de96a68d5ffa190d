#include "SkinUI/controls/SequenceLabelUI.h"

#include <cwchar>

#include "installer/src/utils/DebugLog.h"

namespace SkinUI {

CSequenceLabelUI::CSequenceLabelUI() : animator_(30, false) {}

const wchar_t* CSequenceLabelUI::GetClass() const { return L"SequenceLabel"; }

void* CSequenceLabelUI::AsInterface(const wchar_t* name) {
  if (name != nullptr && std::wcscmp(name, L"SequenceLabel") == 0) return this;
  return CLabelUI::AsInterface(name);
}

void CSequenceLabelUI::SetAttribute(const wchar_t* name, const wchar_t* value) {
  if (name == nullptr || value == nullptr) return;
  if (!animator_.SetAttribute(name, value)) CLabelUI::SetAttribute(name, value);
}

void CSequenceLabelUI::SetSequencePattern(const wchar_t* pattern) { animator_.SetPattern(pattern); }
CUIString CSequenceLabelUI::GetSequencePattern() const { return animator_.GetPattern(); }
void CSequenceLabelUI::SetSequenceCount(int count) { animator_.SetCount(count); }
int CSequenceLabelUI::GetSequenceCount() const { return animator_.GetCount(); }
void CSequenceLabelUI::SetSequenceInterval(int interval) { animator_.SetInterval(interval); }
int CSequenceLabelUI::GetSequenceInterval() const { return animator_.GetInterval(); }

void CSequenceLabelUI::StartSequence() {
  if (!animator_.Start(manager_, this)) DEBUG_LOG(L"no timer for the frame sequence of %s", name_.GetData());
}

void CSequenceLabelUI::OnInitialize() {
  CLabelUI::OnInitialize();
  if (animator_.IsAutoStart()) StartSequence();
}

void CSequenceLabelUI::HandleEvent(UIEvent& event) {
  CLabelUI::HandleEvent(event);
  if (event.Type != UIEVENT_TIMER) return;
  const CUIString frame = animator_.Tick(manager_, this);
  if (frame.IsEmpty()) return;
  SetBkImage(frame);
  Invalidate();
}

}  // namespace SkinUI
