// The application object: starts the main dialog and applies colour pairs.
#pragma once

#include "app/platform.h"

namespace qv {

inline constexpr int kColorSchemeCount = 6;

struct ColorPair {
  Rgb background;
  Rgb text;
};

// The window-colour pairs, index 0 to 5.
const ColorPair& ColorScheme(int index);

class CRaceApp {
 public:
  explicit CRaceApp(IPlatform& platform) : m_platform(platform) {}
  // Runs the main dialog modally; false, so the process ends afterwards.
  bool InitInstance();
  // Applies pair index (0..5) as the application-wide dialog colours.
  void SetColorScheme(int index);

 private:
  IPlatform& m_platform;
};

}  // namespace qv
