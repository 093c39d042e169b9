// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the command line, run on a loaded session. Each writes its
// listing to `out` and returns an exit code (CliExitCode). In CSV or JSON the
// listing holds only records; the closing summary of a text listing goes to
// `err` instead.
#pragma once

#include <ostream>

#include "app/session.h"
#include "cli/cli_arguments.h"
#include "cli/record_writer.h"

namespace bw {

// Draws a progress bar on a terminal; does nothing when not enabled.
class ProgressBar {
 public:
  ProgressBar(std::ostream& err, bool enabled, std::string label);
  ~ProgressBar();
  void Show(double fraction);

 private:
  std::ostream& err_;
  bool enabled_;
  std::string label_;
  int shownPercent_ = -1;
};

int RunCheck(Session& session, const CheckRequest& request, std::ostream& out, OutputFormat format);
int RunSystem(Session& session, const SystemRequest& request, std::ostream& out, std::ostream& err,
              OutputFormat format);
int RunRandom(Session& session, std::ostream& out);
int RunSearch(Session& session, const SearchRequest& request, std::ostream& out, std::ostream& err,
              bool progress, OutputFormat format);
int RunStats(Session& session, const StatsRequest& request, std::ostream& out, OutputFormat format);
int RunAdd(Session& session, const AddRequest& request, std::ostream& out, std::ostream& err);
int RunHits(Session& session, const HitsRequest& request, std::ostream& out, std::ostream& err,
            OutputFormat format);
int RunFrequency(Session& session, const FrequencyRequest& request, std::ostream& out,
                 std::ostream& err, OutputFormat format);
int RunDistribution(Session& session, const DistributionRequest& request, std::ostream& out,
                    OutputFormat format);

// What a change of the history came to: `done` ("Added ...") once it is
// saved, else why not (`notDone`: "the draw was not added to "); the exit code.
int ReportHistoryChange(const Session& session, const HistoryChangeResult& result,
                        const std::string& done, const std::string& notDone, std::ostream& out,
                        std::ostream& err);

// The draw list entry of a new draw: "05/12/2000 03 11 17 25 38 44 09", or
// with a trailing blank and no bonus.
std::string NewDrawEntry(const AddRequest& request);

}  // namespace bw
