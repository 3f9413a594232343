#include "app/list_text.h"

#include <cstddef>

namespace qv {

namespace {

std::string CsvField(const std::string& cell) {
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
  std::string quoted = "\"";
  for (char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string ListText(const SectionRows& table) {
  std::string text;
  for (const ListRow& row : table.rows) {
    for (std::size_t c = 0; c < table.headers.size(); ++c) {
      if (c > 0) text += '\t';
      if (c < row.size()) text += row[c];
    }
    text += '\n';
  }
  return text;
}

std::string CsvText(const SectionRows& table) {
  std::string text;
  for (std::size_t c = 0; c < table.headers.size(); ++c) {
    if (c > 0) text += ',';
    text += CsvField(table.headers[c]);
  }
  text += "\r\n";
  for (const ListRow& row : table.rows) {
    for (std::size_t c = 0; c < table.headers.size(); ++c) {
      if (c > 0) text += ',';
      text += CsvField(c < row.size() ? row[c] : std::string());
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace qv
