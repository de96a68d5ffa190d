#include "installer/src/install/PackageOutputParser.h"

#include <cstdio>
#include <cwchar>

#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/OutputLines.h"
#include "installer/src/utils/Strings.h"

namespace Install {
namespace {

// Keys whose whole effect is to pass their text on under one code.
struct TextKey {
  const wchar_t* key;
  int code;
};

// Decimal integer after the key, taken as unsigned 32-bit; 0 when unreadable.
double DetentionValue(const std::wstring& line, const wchar_t* format) {
  int number = 0;
  if (std::swscanf(line.c_str(), format, &number) != 1) number = 0;
  return static_cast<double>(static_cast<unsigned>(number));
}

}  // namespace

unsigned PackageCodePage(const std::wstring& value) {
  if (value == L"UTF8") return 65001;
  if (value == L"ACP") return 0;
  int number = 0;
  if (std::swscanf(value.c_str(), L"%d", &number) != 1 || number < 0) return 0;
  return static_cast<unsigned>(number);
}

double StartupStyleValue(const std::wstring& value) {
  if (value == L"AutoStartup") return kAutoStartup;
  if (value == L"UserStartup") return kUserStartup;
  return kNonStartup;
}

int PackageOutputParser::Parse(const std::wstring& text, const DownloadCallback& send) {
  int result = kNoVerdict;
  for (const std::wstring& line : SplitLines(text)) result = ParseLine(line, send, result);
  return result;
}

int PackageOutputParser::ParseLine(const std::wstring& line, const DownloadCallback& send,
                                   int result) {
  using Utils::StartsWith;
  if (StartsWith(line, L"Progress=")) {
    double fraction = 0;
    if (std::swscanf(line.c_str(), L"Progress=%lf", &fraction) != 1) fraction = 0;
    send(IST_CODE_PROGRESS, fraction, L"");
    return result;
  }
  if (StartsWith(line, L"InstPath=")) {
    send(IST_INFO_INST_PATH, 0, TextValue(line, L"InstPath=").c_str());
    return result;
  }
  if (StartsWith(line, L"State=")) {
    std::wstring state = TrimmedValue(line, L"State=");
    if (state == L"Success") {
      send(INSTALL_SUCCESS, 0, L"");
      return kSucceeded;
    }
    if (state == L"Fail") {
      send(IST_CODE_FAIL, 0, L"安装包安装失败");
      return kFailed;
    }
    return result;
  }
  if (StartsWith(line, L"InstallVersion=")) {
    PackageVersion version;
    std::swscanf(line.c_str(), L"InstallVersion=%d.%d.%d", &version.major, &version.minor,
                 &version.build);
    version_ = version;
    return result;
  }
  static const TextKey kPaths[] = {{L"ExePath=", IST_INFO_EXE_PATH},
                                   {L"StartExe=", IST_INFO_EXE_PATH},
                                   {L"UninstExePath=", IST_INFO_UNINST_EXE},
                                   {L"UninstExe=", IST_INFO_UNINST_EXE},
                                   {L"UninstEp=", IST_INFO_UNINST_EP}};
  for (const TextKey& key : kPaths) {
    if (!StartsWith(line, key.key)) continue;
    send(key.code, 0, TextValue(line, key.key).c_str());
    return result;
  }
  if (StartsWith(line, L"Error=")) {
    send(IST_CODE_FAIL, kFailPackageError, TextValue(line, L"Error=").c_str());
    return kFailed;
  }
  if (StartsWith(line, L"TopShowDetention=")) {
    send(IST_INFO_TOP_SHOW_DETENTION, DetentionValue(line, L"TopShowDetention=%d"), L"");
    return result;
  }
  if (StartsWith(line, L"FinsihCloseDetention=")) {
    send(IST_INFO_FINISH_CLOSE_DETENTION, DetentionValue(line, L"FinsihCloseDetention=%d"), L"");
    return result;
  }
  if (StartsWith(line, L"StartUrl=")) {
    send(IST_INFO_START_URL, 0, TextValue(line, L"StartUrl=").c_str());
    return result;
  }
  if (StartsWith(line, L"StartupStyle=")) {
    send(IST_INFO_STARTUP_STYLE, StartupStyleValue(TrimmedValue(line, L"StartupStyle=")), L"");
    return result;
  }
  if (StartsWith(line, L"Encode=")) {
    codePage_ = PackageCodePage(TrimmedValue(line, L"Encode="));
    return result;
  }
  if (StartsWith(line, L"Message=")) {
    send(IST_INFO_MESSAGE, 0, TextValue(line, L"Message=").c_str());
    return result;
  }
  return result;
}

}  // namespace Install
