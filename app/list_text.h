// The section list as text: the tab-separated rows quorvane-report prints
// and the CSV both it and the window's export write, from the list's one
// table of texts.
#pragma once

#include <string>

#include "race/section_rows.h"

namespace qv {

// The rows, cells separated by tabs, one row a line.
std::string ListText(const SectionRows& table);
// RFC 4180: CR LF line ends, the column headers first.
std::string CsvText(const SectionRows& table);

}  // namespace qv
