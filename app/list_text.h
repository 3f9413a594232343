// The section list as text: the tab-separated rows quorvane-report prints
// and the CSV both it and the window's export write, from one definition.
#pragma once

#include <string>
#include <vector>

#include "app/platform.h"

namespace qv {

// The list's rows, cells separated by tabs, one row a line.
std::string ListText(const IListView& list);
// RFC 4180: CR LF line ends, the column headers first.
std::string CsvText(const IListView& list,
                    const std::vector<std::string>& headers);

}  // namespace qv
