// The program's own help viewer: shows a topic of the help file "vomrix.HLP"
// by its context number, and closes with the program.
#pragma once

#include <filesystem>
#include <memory>

#include <QWidget>

#include "platform/services.h"

namespace bw::ui {

std::unique_ptr<HelpViewer> MakeHelpViewer(const std::filesystem::path& helpFile, QWidget* owner);

}  // namespace bw::ui
