#include "app/list_text.h"

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

std::string ListText(const IListView& list) {
  std::string text;
  const int columns = list.GetColumnCount();
  for (int r = 0; r < list.GetItemCount(); ++r) {
    for (int c = 0; c < columns; ++c) {
      if (c > 0) text += '\t';
      text += list.GetItemText(r, c);
    }
    text += '\n';
  }
  return text;
}

std::string CsvText(const IListView& list,
                    const std::vector<std::string>& headers) {
  std::string text;
  const int columns = list.GetColumnCount();
  for (int c = 0; c < columns; ++c) {
    if (c > 0) text += ',';
    const auto k = static_cast<std::size_t>(c);
    text += CsvField(k < headers.size() ? headers[k] : std::string());
  }
  text += "\r\n";
  for (int r = 0; r < list.GetItemCount(); ++r) {
    for (int c = 0; c < columns; ++c) {
      if (c > 0) text += ',';
      text += CsvField(list.GetItemText(r, c));
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace qv
