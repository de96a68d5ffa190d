#pragma once
// Developer diagnostics on the system debug output channel.
//
// Every line is "<Ppid><Ttid><local time>(function)<line>: message". Call
// sites use DEBUG_LOG, which appends "\r\n" unless the message already ends
// in a line feed; DEBUG_LOG_NOEOL appends nothing. Messages are wide printf
// formats in the C runtime's Windows dialect: "%s" takes a wide string.
#include <windows.h>

#include <cstdarg>
#include <string>

namespace Utils {

// Arguments: pid, tid, year, month, day, hour, minute, second, millisecond,
// function name, line, then the message's own arguments.
void DebugLog(const wchar_t* format, ...);

// Formats like DebugLog without writing anything; empty when the format fails.
std::wstring FormatDebugLine(const wchar_t* format, va_list args);

// "void A::B::Run(int) const" -> "A::B::Run"; lambdas keep their enclosing
// function: "A::Run()::<lambda(int)>".
std::wstring QualifiedFunctionName(const char* prettyFunction);

// Builds the call site's complete format: prefix + message + terminator.
std::wstring DebugLineFormat(const wchar_t* message, bool appendTerminator);

// Mirrors every line, UTF-8, to a file as well (support asks users for it).
// Call before worker threads start. Returns false when the file cannot be opened.
bool SetDebugLogMirror(const std::wstring& path);
void CloseDebugLogMirror();

}  // namespace Utils

#define MDX_DEBUG_LOG_IMPL(functionName, message, appendTerminator, ...)                      \
  do {                                                                                        \
    SYSTEMTIME mdxNow_;                                                                       \
    ::GetLocalTime(&mdxNow_);                                                                 \
    const std::wstring mdxFormat_ = ::Utils::DebugLineFormat(message, appendTerminator);      \
    ::Utils::DebugLog(mdxFormat_.c_str(), static_cast<int>(::GetCurrentProcessId()),          \
                      static_cast<int>(::GetCurrentThreadId()), int{mdxNow_.wYear},           \
                      int{mdxNow_.wMonth}, int{mdxNow_.wDay}, int{mdxNow_.wHour},             \
                      int{mdxNow_.wMinute}, int{mdxNow_.wSecond}, int{mdxNow_.wMilliseconds}, \
                      (functionName), __LINE__, ##__VA_ARGS__);                               \
  } while (0)

#define DEBUG_LOG(message, ...)                                                                  \
  MDX_DEBUG_LOG_IMPL(::Utils::QualifiedFunctionName(__PRETTY_FUNCTION__).c_str(), message, true, \
                     ##__VA_ARGS__)
#define DEBUG_LOG_NOEOL(message, ...)                                                             \
  MDX_DEBUG_LOG_IMPL(::Utils::QualifiedFunctionName(__PRETTY_FUNCTION__).c_str(), message, false, \
                     ##__VA_ARGS__)
// For lines whose function name is fixed by convention rather than by the caller.
#define DEBUG_LOG_AS(functionName, message, ...) \
  MDX_DEBUG_LOG_IMPL(functionName, message, true, ##__VA_ARGS__)
#define DEBUG_LOG_AS_NOEOL(functionName, message, ...) \
  MDX_DEBUG_LOG_IMPL(functionName, message, false, ##__VA_ARGS__)
