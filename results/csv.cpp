// RFC 4180 records and round-trip numbers.
#include "results/csv.h"
#include "platform/exceptions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vadidazid {

std::string CsvNumber(double value) {
  if (std::isnan(value)) return "";
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

std::string CsvNumber(int64_t value) { return std::to_string(value); }

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string record;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ',';
    const std::string& f = fields[i];
    if (f.find_first_of(",\"\r\n") == std::string::npos) {
      record += f;
      continue;
    }
    record += '"';
    for (char ch : f) {
      if (ch == '"') record += '"';
      record += ch;
    }
    record += '"';
  }
  record += "\r\n";
  return record;
}

std::vector<std::vector<std::string>> ParseCsv(std::string_view text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> fields;
  std::string field;
  size_t line = 1;
  size_t i = 0;
  bool recordOpen = false;
  auto endRecord = [&] {
    fields.push_back(std::move(field));
    field.clear();
    records.push_back(std::move(fields));
    fields.clear();
    recordOpen = false;
  };
  while (i < text.size()) {
    recordOpen = true;
    if (text[i] == '"') {
      const size_t startLine = line;
      for (++i;; ++i) {
        if (i >= text.size()) {
          throw EInvalidInput("line " + std::to_string(startLine) +
                              ": a quoted field is never closed");
        }
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        if (text[i] == '\n') ++line;
        field += text[i];
      }
      if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        throw EInvalidInput("line " + std::to_string(line) + ": text after a closing quote");
      }
    }
    while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
      field += text[i++];
    }
    if (i >= text.size()) break;
    if (text[i] == ',') {
      fields.push_back(std::move(field));
      field.clear();
      ++i;
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    ++i;
    ++line;
    endRecord();
  }
  if (recordOpen) endRecord();
  return records;
}

std::optional<double> CsvReal(const std::string& field) {
  if (field.empty()) return std::numeric_limits<double>::quiet_NaN();
  double value = 0.0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<int64_t> CsvInteger(const std::string& field) {
  int64_t value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (field.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace vadidazid
