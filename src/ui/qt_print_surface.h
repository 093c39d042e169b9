// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through Qt: the system's default printer when one is set up,
// otherwise a PDF file in the program folder whose name says what and when.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QDateTime>
#include <QFont>

#include "print/print_surface.h"

namespace bw::ui {

// `what` names the report ("full system", "found lines"); no dialog is shown.
// Printing errors are ignored: a job that cannot start prints nothing.
std::unique_ptr<PrintSurface> OpenQtPrintJob(const std::filesystem::path& programFolder,
                                             const std::string& what);

// The PDF written when no printer is set up:
// "Ballwright full system 2026-12-05 22-15-03.pdf".
std::string PdfFileName(const std::string& what, const QDateTime& when);

// The named fixed-pitch family ("Courier", "Courier New"), or the system's
// monospace font when that family is not installed.
QFont FixedPitchFont(const std::string& family, int points);

}  // namespace bw::ui
