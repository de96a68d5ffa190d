#pragma once
// The big package's output protocol: key=value lines, one call per chunk.
// The only state kept from one chunk to the next is the output code page
// (and the reported version).
#include <string>

#include "installer/src/download/DownloadCallback.h"

namespace Install {

struct PackageVersion {
  int major = 0;
  int minor = 0;
  int build = 0;
};

class PackageOutputParser {
 public:
  // Result values of Parse.
  static constexpr int kNoVerdict = 0;
  static constexpr int kSucceeded = 1;
  static constexpr int kFailed = 1000;

  // Sends the events of every line in order; returns the result of the last
  // verdict line ("State=" or "Error="), kNoVerdict when there was none.
  int Parse(const std::wstring& text, const DownloadCallback& send);

  // Code page for decoding the next chunk (0: the ANSI code page).
  unsigned CodePage() const { return codePage_; }
  const PackageVersion& Version() const { return version_; }

 private:
  int ParseLine(const std::wstring& line, const DownloadCallback& send, int result);

  unsigned codePage_ = 0;
  PackageVersion version_;
};

// "Encode=" values: "UTF8", "ACP" or a decimal code page number (0 otherwise).
unsigned PackageCodePage(const std::wstring& value);

// "StartupStyle=" values as the IST_INFO_STARTUP_STYLE value.
double StartupStyleValue(const std::wstring& value);

}  // namespace Install
