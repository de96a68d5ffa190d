#pragma once
// The script a test gives to a fake child program (big package or previous
// uninstaller): a UTF-8 text file, one directive a line.
//
//   record <file>        write the command line received (UTF-8) to <file>
//   encoding acp|utf8|N  code page for the following prints (default acp)
//   print <text>         one write to standard output; \n \r \t \\ are escapes
//   sleep <ms>           pause
//   create <file>        create an empty file (relative: in the base directory)
//   delete <file>        delete a file (relative: in the base directory)
//   exit <code>          end with that exit code (the default is 0)
//   hang                 never end
//
// Lines that are empty or start with '#' are skipped.
#include <string>

namespace Fake {

// Runs the scenario file named by the environment variable; without one the
// program writes nothing and ends with 0. Returns the exit code.
int RunScenario(const wchar_t* environmentVariable, const std::wstring& baseDirectory);

// The text after the last occurrence of marker in the command line; empty
// when it is absent.
std::wstring ValueAfter(const std::wstring& commandLine, const std::wstring& marker);

}  // namespace Fake
