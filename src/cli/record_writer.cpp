// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/record_writer.h"

#include <cstdio>

#include "model/numbers.h"

namespace bw {
namespace {

// Fields holding a separator, a quote or a line end are quoted, quotes doubled.
std::string CsvText(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

std::string JsonText(const std::string& text) {
  std::string escaped = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      escaped += '\\';
      escaped += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
      escaped += code;
    } else {
      escaped += c;
    }
  }
  return escaped + "\"";
}

template <typename Separate>
std::string Joined(const std::vector<int>& numbers, const std::string& separator,
                   Separate numberText) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) text += separator;
    text += numberText(numbers[i]);
  }
  return text;
}

std::string CsvValue(const FieldValue& value) {
  if (const auto* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
  if (const auto* numbers = std::get_if<std::vector<int>>(&value)) {
    return Joined(*numbers, "-", [](int n) { return TwoDigits(n); });
  }
  return CsvText(std::get<std::string>(value));
}

std::string JsonValue(const FieldValue& value) {
  if (const auto* numbers = std::get_if<std::vector<int>>(&value)) {
    return "[" + Joined(*numbers, ",", [](int n) { return std::to_string(n); }) + "]";
  }
  if (const auto* text = std::get_if<std::string>(&value)) return JsonText(*text);
  return CsvValue(value);
}

}  // namespace

void RecordWriter::Write(const Record& record) {
  if (format_ == OutputFormat::Json) {
    WriteJson(record);
  } else {
    WriteCsv(record);
  }
}

void RecordWriter::WriteCsv(const Record& record) {
  const auto writeRow = [this, &record](auto cellOf) {
    for (std::size_t i = 0; i < record.size(); ++i) {
      out_ << (i > 0 ? "," : "") << cellOf(record[i]);
    }
    out_ << "\r\n";
  };
  if (!headerWritten_) {
    writeRow([](const Field& field) { return CsvText(field.name); });
    headerWritten_ = true;
  }
  writeRow([](const Field& field) { return CsvValue(field.value); });
}

void RecordWriter::WriteJson(const Record& record) {
  out_ << "{";
  for (std::size_t i = 0; i < record.size(); ++i) {
    out_ << (i > 0 ? "," : "") << JsonText(record[i].name) << ":" << JsonValue(record[i].value);
  }
  out_ << "}\n";
}

}  // namespace bw
