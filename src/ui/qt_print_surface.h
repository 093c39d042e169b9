// Printing through Qt: the system's default printer when one is set up,
// otherwise a PDF file in the program folder whose name says what and when.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "print/print_surface.h"

namespace bw::ui {

// `what` names the report ("full system", "found lines"); no dialog is shown.
std::unique_ptr<PrintSurface> OpenQtPrintJob(const std::filesystem::path& programFolder,
                                             const std::string& what);

}  // namespace bw::ui
