// Helpers for the graph tests: a dialog on the headless platform with the
// computed table filled by hand, and views of a recorded drawing.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "res/strings.h"
#include "tests/doubles/test_platform.h"
#include "app/race_dlg.h"
#include "res/resource.h"

namespace qv::graphtest {

using headless::DrawOp;
using Kind = headless::DrawOp::Kind;

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGrey{192, 192, 192};
inline constexpr Rgb kPaleRed{255, 192, 192};
inline constexpr Rgb kPaleGreen{192, 255, 192};
inline constexpr Rgb kRed{192, 0, 0};
inline constexpr Rgb kGreen{0, 128, 0};

// The headless graph area is 356 x 290, so the plot rectangle is
// (5, 5) to (351, 285): W = 346, H = 280.
inline constexpr int kL = 5;
inline constexpr int kT = 5;
inline constexpr int kR = 351;
inline constexpr int kB = 285;

struct Section {
  double startKm = 0;
  double endKm = 0;
  int departure = 0;
  int arrival = 0;
  int loss = 0;
  int pace = 0;
};

// A two-section race, gross: 0-5 km arriving at 25 min, a minute's
// loss, 5-10 km arriving at 52 min. Contiguous and consistent.
inline std::vector<Section> TwoSections() {
  return {{0, 5, 0, 150000, 0, 30000}, {5, 10, 156000, 312000, 6000, 32400}};
}

struct GraphFixture {
  doubles::Platform platform;
  CRaceDlg dlg{platform};

  GraphFixture() {
    dlg.OnInitDialog();
    platform.ClearSurface(IDC_GRAPH);
  }

  // Fills the computed table as a calculation would leave it.
  void SetComputed(const std::vector<Section>& sections, int unit) {
    dlg.m_nSections = static_cast<int>(sections.size());
    dlg.m_nSpeedUnit = unit;
    for (std::size_t i = 0; i < sections.size(); ++i) {
      dlg.m_calcStartKm[i] = sections[i].startKm;
      dlg.m_calcEndKm[i] = sections[i].endKm;
      dlg.m_calcDeparture[i] = sections[i].departure;
      dlg.m_calcArrival[i] = sections[i].arrival;
      dlg.m_calcLoss[i] = sections[i].loss;
      dlg.m_calcPace[i] = sections[i].pace;
    }
  }

  const std::vector<DrawOp>& Draw(bool reversed) {
    platform.ClearSurface(IDC_GRAPH);
    if (reversed) {
      dlg.DrawGraphReversed();
    } else {
      dlg.DrawGraph();
    }
    return platform.Surface(IDC_GRAPH);
  }
};

struct Text {
  int x = 0;
  int y = 0;
  std::string text;
  Rgb color;
  friend bool operator==(const Text&, const Text&) = default;
};

inline void PrintTo(const Text& t, std::ostream* os) {
  *os << "\"" << t.text << "\" at (" << t.x << ", " << t.y << ") rgb("
      << int{t.color.r} << ", " << int{t.color.g} << ", " << int{t.color.b}
      << ")";
}

inline std::vector<Text> Texts(const std::vector<DrawOp>& ops) {
  std::vector<Text> out;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::TextOut)
      out.push_back({op.x, op.y, op.text, op.textColor});
  }
  return out;
}

// The texts in one colour, in drawing order, separated by spaces.
inline std::string TextsOf(const std::vector<DrawOp>& ops, Rgb color) {
  std::string out;
  for (const Text& t : Texts(ops)) {
    if (t.color == color) out += (out.empty() ? "" : " ") + t.text;
  }
  return out;
}

inline std::vector<DrawOp> OpsOf(const std::vector<DrawOp>& ops, Kind kind) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : ops) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

struct Segment {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  headless::PenInfo pen;
  int penHandle = 0;
};

// Every line, with the pen it was drawn in (handle 0: the context's own
// black 1-px pen).
inline std::vector<Segment> Segments(const std::vector<DrawOp>& ops) {
  std::map<int, headless::PenInfo> pens;
  pens[0] = headless::PenInfo{PenStyle::Solid, 1, kBlack};
  std::vector<Segment> out;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::CreatePen)
      pens[op.handle] = headless::PenInfo{op.style, op.width, op.color};
    if (op.kind == Kind::LineTo)
      out.push_back({op.fromX, op.fromY, op.x, op.y, pens[op.pen], op.pen});
  }
  return out;
}

inline std::vector<Segment> SegmentsIn(const std::vector<DrawOp>& ops,
                                       Rgb color, int width) {
  std::vector<Segment> out;
  for (const Segment& s : Segments(ops)) {
    if (s.pen.color == color && s.pen.width == width) out.push_back(s);
  }
  return out;
}

inline std::vector<int> Handles(const std::vector<DrawOp>& ops, Kind kind) {
  std::vector<int> out;
  for (const DrawOp& op : OpsOf(ops, kind)) out.push_back(op.handle);
  return out;
}

// The points a run of segments passes through, first start to last end.
struct Point {
  int x;
  int y;
  friend bool operator==(const Point&, const Point&) = default;
};

inline void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}

inline std::vector<Point> Path(const std::vector<Segment>& segments) {
  std::vector<Point> out;
  if (segments.empty()) return out;
  out.push_back({segments[0].x0, segments[0].y0});
  for (const Segment& s : segments) out.push_back({s.x1, s.y1});
  return out;
}

}  // namespace qv::graphtest
