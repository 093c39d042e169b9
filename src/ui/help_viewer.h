// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own help viewer: shows a topic of the help file "vomrix.HLP"
// by its context number, and closes with the program.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QWidget>

#include "platform/services.h"

namespace bw::ui {

// Context numbers of the help topics.
namespace help_topic {
inline constexpr int kContents = 340;
inline constexpr int kUpdate = 400;
inline constexpr int kOptimise = 410;
inline constexpr int kSixFrom49 = 420;
inline constexpr int kRandomLineFinder = 430;
inline constexpr int kLineOptimiser = 450;
inline constexpr int kWheels = 460;
inline constexpr int kImportingLottery = 590;
inline constexpr int kImportingDraws = 600;
inline constexpr int kSingleLine = 740;
inline constexpr int kLineHits = 750;
inline constexpr int kNumberStatistics = 760;
inline constexpr int kHistory = 770;
inline constexpr int kMyLines = 780;
}  // namespace help_topic

// The help file is plain text in sections: a line "#topic NNN Title" starts
// the section of context number NNN; the lines after it, up to the next such
// line, are its HTML body. Returns the page of the topic (title heading and
// body), or an empty text when the file or the topic is missing.
std::string HelpTopicHtml(const std::filesystem::path& helpFile, int contextNumber);

// A viewer window ("HelpViewer": the page in "HelpText", buttons "HelpBack"
// and "HelpContents") of its own, usable while a modal dialog is open. A
// missing file or topic shows a plain "not found" page in the viewer; links
// "topic:NNN" in a page open that topic.
std::unique_ptr<HelpViewer> MakeHelpViewer(const std::filesystem::path& helpFile);

// The help of a window: the viewer it was given (tests record the topics),
// else a viewer of its own on `helpFile`, which goes with the window.
class WindowHelp {
 public:
  WindowHelp(HelpViewer* given, const std::filesystem::path& helpFile)
      : own_(given ? nullptr : MakeHelpViewer(helpFile)), viewer_(given ? *given : *own_) {}
  HelpViewer& Viewer() const { return viewer_; }

 private:
  std::unique_ptr<HelpViewer> own_;
  HelpViewer& viewer_;
};

}  // namespace bw::ui
