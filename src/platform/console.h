// SPDX-License-Identifier: GPL-3.0-or-later
// The running program's own file and its standard streams, which POSIX
// systems and Windows reach in different ways.
#pragma once

#include <filesystem>

namespace bw {

// The program file as the system knows it, wherever the program was started
// from; empty when the system cannot say.
std::filesystem::path RunningProgramFile();

bool StandardErrorIsTerminal();

// Standard output and error pass bytes as written, so that a listing's line
// ends ("\n", or CR LF in CSV) are the same on every system.
void KeepStandardStreamBytes();

}  // namespace bw
