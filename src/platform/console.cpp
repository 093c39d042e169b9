// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/console.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace bw {

#ifdef _WIN32

std::filesystem::path RunningProgramFile() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) return name.substr(0, length);
    name.resize(name.size() * 2);
  }
}

bool StandardErrorIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

void KeepStandardStreamBytes() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

#else

std::filesystem::path RunningProgramFile() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self;
}

bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) != 0;
}

void KeepStandardStreamBytes() {}

#endif

}  // namespace bw
