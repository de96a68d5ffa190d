#pragma once
// The previous version's uninstaller output protocol: key=value lines, one
// call per chunk; only the output code page is kept between chunks.
#include <string>

#include "installer/src/download/DownloadCallback.h"

namespace Install {

class UninstallOutputParser {
 public:
  // Sends the events of every line in order; returns the result of the last
  // verdict line: 1 for success, 1000 for a failure, 0 when there was none.
  int Parse(const std::wstring& text, const DownloadCallback& send);

  // Code page for decoding the next chunk: 65001 after "Encode=UTF8", else 0 (ANSI).
  unsigned CodePage() const { return codePage_; }

 private:
  unsigned codePage_ = 0;
};

}  // namespace Install
