#include "race/race.h"

#include <ostream>

namespace qv {

std::ostream& operator<<(std::ostream& out, const SharedText& text) {
  return out << text.str();
}

}  // namespace qv
