// SPDX-License-Identifier: GPL-3.0-or-later
// The hand settings of an import as people type them: the columns
// ("date=4,main=5-10,bonus=11", counted from 1) and the date order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "import/result_file.h"

namespace bw {

// The choice, or a text saying what is wrong with it. "main" takes a range
// of six columns or six columns joined by "," or "+"; "bonus=none" says the
// file has none.
std::variant<ColumnChoice, std::string> ParseColumnChoice(std::string_view text);

// The columns of a shape in the form ParseColumnChoice reads.
std::string ColumnChoiceText(const ResultShape& shape);

// What a column of the file holds, as the user picks it in the preview.
enum class ColumnRole { Other, Date, Main, Bonus };

// The role of each of the first `columns` columns in the shape.
std::vector<ColumnRole> RolesOfShape(const ResultShape& shape, int columns);

// The roles in the form ParseColumnChoice reads ("date=1,main=2+3+4+5+6+7,
// bonus=none"); roles no column has are left out, to be found as usual.
std::string ColumnTextOfRoles(const std::vector<ColumnRole>& roles);

// "dmy", "mdy" or "ymd".
std::optional<DateOrder> ParseDateOrder(std::string_view text);
std::string_view DateOrderName(DateOrder order);

}  // namespace bw
