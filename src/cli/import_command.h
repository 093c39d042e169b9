// SPDX-License-Identifier: GPL-3.0-or-later
// The import command: the draws of a published result file into the
// current lottery, or into a new one.
#pragma once

#include <ostream>

#include "app/session.h"
#include "cli/cli_arguments.h"

namespace bw {

// Prints the shape, the counts and one line per problem; writes nothing
// while anything stands in the way (or with --dry-run). `historyReadToEnd`
// false refuses the import: a partly read history is never rewritten.
int RunImport(Session& session, const ImportRequest& request, bool historyReadToEnd,
              std::ostream& out, std::ostream& err);

// import --new NAME: the session has no lottery yet; NAME must be new.
int RunImportNew(Session& session, const ImportRequest& request, std::ostream& out,
                 std::ostream& err);

}  // namespace bw
