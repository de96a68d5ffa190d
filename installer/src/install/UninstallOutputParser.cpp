#include "installer/src/install/UninstallOutputParser.h"

#include <cstdio>

#include "installer/src/install/InstallEvents.h"
#include "installer/src/install/OutputLines.h"
#include "installer/src/utils/Strings.h"

namespace Install {

int UninstallOutputParser::Parse(const std::wstring& text, const DownloadCallback& send) {
  using Utils::StartsWith;
  int result = 0;
  for (const std::wstring& line : SplitLines(text)) {
    if (StartsWith(line, L"Progress=")) {
      double fraction = 0;
      if (std::swscanf(line.c_str(), L"Progress=%lf", &fraction) != 1) fraction = 0;
      send(UNIST_CODE_PROGRESS, fraction, L"");
    } else if (StartsWith(line, L"Error=")) {
      send(UNIST_CODE_ERROR, 0, TextValue(line, L"Error=").c_str());
      result = 1000;
    } else if (StartsWith(line, L"State=")) {
      std::wstring state = TrimmedValue(line, L"State=");
      if (state == L"Success") {
        send(UNIST_CODE_SUCCESS, 0, L"");
        result = 1;
      } else if (state == L"Fail") {
        send(UNIST_CODE_ERROR, 0, L"安装包卸载失败");
        result = 1000;
      }
    } else if (StartsWith(line, L"Encode=")) {
      codePage_ = TrimmedValue(line, L"Encode=") == L"UTF8" ? 65001 : 0;
    }
  }
  return result;
}

}  // namespace Install
