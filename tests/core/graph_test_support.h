// The graph and print tests' dialog, its computation set by hand, and views
// of a recorded drawing.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/race_dlg.h"
#include "res/resource.h"
#include "tests/doubles/test_platform.h"

namespace qv::graphtest {

using headless::DrawOp;
using Kind = headless::DrawOp::Kind;

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kGrey{192, 192, 192};
inline constexpr Rgb kPaleRed{255, 192, 192};
inline constexpr Rgb kPaleGreen{192, 255, 192};
inline constexpr Rgb kRed{192, 0, 0};
inline constexpr Rgb kGreen{0, 128, 0};

struct GraphFixture {
  doubles::Platform platform;
  CRaceDlg dlg{platform};
  GraphFixture() { dlg.OnInitDialog(); }

  void SetComputed(const std::vector<ComputedSection>& sections, int unit) {
    dlg.m_race.sections.resize(sections.size());
    dlg.m_race.speedUnit = SpeedUnit{unit};
    dlg.m_computation = ComputedRace{sections, {}};
  }

  const std::vector<DrawOp>& Draw(bool reversed) {
    platform.ClearSurface(IDC_GRAPH);
    reversed ? dlg.DrawGraphReversed() : dlg.DrawGraph();
    return platform.Surface(IDC_GRAPH);
  }
};

inline std::vector<DrawOp> OpsOf(const std::vector<DrawOp>& ops, Kind kind) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : ops)
    if (op.kind == kind) out.push_back(op);
  return out;
}

// The texts in one colour, in drawing order, separated by spaces.
inline std::string TextsOf(const std::vector<DrawOp>& ops, Rgb color) {
  std::string out;
  for (const DrawOp& op : OpsOf(ops, Kind::TextOut))
    if (op.textColor == color) out += (out.empty() ? "" : " ") + op.text;
  return out;
}

inline std::string XY(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

// The lines drawn in a pen of this colour and width (handle 0 is the
// context's own black 1-px pen), each as "x0,y0 x1,y1".
inline std::vector<std::string> LinesIn(const std::vector<DrawOp>& ops,
                                        Rgb color, int width) {
  std::map<int, headless::PenInfo> pens{{0, {PenStyle::Solid, 1, kBlack}}};
  std::vector<std::string> out;
  for (const DrawOp& op : ops) {
    if (op.kind == Kind::CreatePen)
      pens[op.handle] = {op.style, op.width, op.color};
    if (op.kind == Kind::LineTo && pens[op.pen].color == color &&
        pens[op.pen].width == width)
      out.push_back(XY(op.fromX, op.fromY) + " " + XY(op.x, op.y));
  }
  return out;
}

// Joined lines as the points they pass through: "x0,y0 x1,y1 x2,y2 ...".
inline std::string Path(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines)
    out += out.empty() ? l : l.substr(l.find(' '));
  return out;
}

}  // namespace qv::graphtest
