// SPDX-License-Identifier: GPL-3.0-or-later
// Machine-readable output of the command line: one record per result, as
// JSON Lines (one object per line) or as CSV (a header row, CR LF line ends).
// Records of one listing share their field names and order.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace bw {

enum class OutputFormat { Text, Csv, Json };

// A whole number, a yes/no, a set of lottery numbers (a JSON array; in CSV
// two-digit numbers joined by "-") or a text.
using FieldValue = std::variant<int64_t, bool, std::vector<int>, std::string>;

struct Field {
  std::string name;
  FieldValue value;
};
using Record = std::vector<Field>;

// Writes records in CSV or JSON; the CSV header comes before the first record.
class RecordWriter {
 public:
  RecordWriter(std::ostream& out, OutputFormat format) : out_(out), format_(format) {}
  void Write(const Record& record);

 private:
  void WriteCsv(const Record& record);
  void WriteJson(const Record& record);

  std::ostream& out_;
  OutputFormat format_;
  bool headerWritten_ = false;
};

}  // namespace bw
