// The hand settings of an import as people type them: the columns
// ("date=4,main=5-10,bonus=11", counted from 1) and the date order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "import/result_file.h"

namespace bw {

// The choice, or a text saying what is wrong with it. "main" takes a range
// of six columns or six columns joined by "," or "+"; "bonus=none" says the
// file has none.
std::variant<ColumnChoice, std::string> ParseColumnChoice(std::string_view text);

// The columns of a shape in the form ParseColumnChoice reads.
std::string ColumnChoiceText(const ResultShape& shape);

// "dmy", "mdy" or "ymd".
std::optional<DateOrder> ParseDateOrder(std::string_view text);
std::string_view DateOrderName(DateOrder order);

}  // namespace bw
