#include "installer/src/utils/Thread.h"

#include <process.h>
#include <windows.h>

#include "installer/src/utils/DebugLog.h"
#include "installer/src/utils/Strings.h"

namespace Utils {
namespace {

constexpr DWORD kMsVcException = 0x406D1388;

#pragma pack(push, 8)
struct ThreadNameInfo {
  DWORD type;       // 0x1000
  LPCSTR name;      // narrow name
  DWORD threadId;
  DWORD flags;      // 0
};
#pragma pack(pop)

// Swallows the naming exception when no debugger took it first.
LONG CALLBACK SwallowNamingException(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode == kMsVcException) return EXCEPTION_CONTINUE_EXECUTION;
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

Thread::Thread(void* argument, std::wstring name, Body body)
    : body_(std::move(body)), argument_(argument), name_(std::move(name)) {
  unsigned id = 0;
  uintptr_t handle = ::_beginthreadex(nullptr, 0, &Thread::CallBack, this, CREATE_SUSPENDED, &id);
  if (handle == 0) return;
  handle_.reset(reinterpret_cast<HANDLE>(handle));
  id_ = id;
  AnnounceName();
}

Thread::~Thread() { Join(); }

void Thread::AnnounceName() {
  debuggerName_ = name_.empty() ? L"t" + std::to_wstring(id_) : name_;
  std::string narrow = WideToMultiByte(debuggerName_, 0);

  // The classic convention, seen by any attached debugger.
  ThreadNameInfo info = {0x1000, narrow.c_str(), id_, 0};
  PVOID handler = ::AddVectoredExceptionHandler(1, &SwallowNamingException);
  if (handler != nullptr) {
    ::RaiseException(kMsVcException, 0, sizeof info / sizeof(ULONG_PTR),
                     reinterpret_cast<const ULONG_PTR*>(&info));
    ::RemoveVectoredExceptionHandler(handler);
  }
  // Newer systems keep the name with the thread (crash dumps, profilers).
  using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  auto setDescription = reinterpret_cast<SetDescription>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
  if (setDescription != nullptr) setDescription(handle_.get(), debuggerName_.c_str());
}

bool Thread::Start() {
  if (!handle_) return false;
  return ::ResumeThread(handle_.get()) != static_cast<DWORD>(-1);
}

void Thread::Join() {
  if (!handle_) return;
  ::WaitForSingleObject(handle_.get(), INFINITE);
  handle_.reset();
  id_ = static_cast<unsigned>(-1);
}

bool Thread::IsCurrentThread() const { return handle_ && ::GetCurrentThreadId() == id_; }

unsigned __stdcall Thread::CallBack(void* self) {
  auto* thread = static_cast<Thread*>(self);
  DEBUG_LOG_AS(L"Utils::Thread::CallBack", L"THREAD BEGIN");
  thread->body_(thread->argument_);
  DEBUG_LOG_AS(L"Utils::Thread::CallBack", L"THREAD END");
  ::_endthreadex(0);
  return 0;
}

}  // namespace Utils
