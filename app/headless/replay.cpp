#include "app/headless/replay.h"

#include <map>

namespace qv::headless {

void Replay(const std::vector<DrawOp>& ops, IDrawContext& target) {
  // Handle 0 is the context's stock object on both sides.
  std::map<int, int> pens{{0, 0}};
  std::map<int, int> fonts{{0, 0}};
  auto mapped = [](const std::map<int, int>& m, int h) {
    auto it = m.find(h);
    return it == m.end() ? 0 : it->second;
  };
  for (const DrawOp& op : ops) {
    switch (op.kind) {
      case DrawOp::Kind::FillSolidRect:
        target.FillSolidRect(op.rect, op.color);
        break;
      case DrawOp::Kind::CreatePen:
        pens[op.handle] = target.CreatePen(op.style, op.width, op.color);
        break;
      case DrawOp::Kind::CreateFont:
        fonts[op.handle] = target.CreateFont(op.height, op.text);
        break;
      case DrawOp::Kind::SelectPen:
        target.SelectPen(mapped(pens, op.handle));
        break;
      case DrawOp::Kind::SelectFont:
        target.SelectFont(mapped(fonts, op.handle));
        break;
      case DrawOp::Kind::DeletePen:
        target.DeletePen(mapped(pens, op.handle));
        pens.erase(op.handle);
        break;
      case DrawOp::Kind::DeleteFont:
        target.DeleteFont(mapped(fonts, op.handle));
        fonts.erase(op.handle);
        break;
      case DrawOp::Kind::MoveTo:
        target.MoveTo(op.x, op.y);
        break;
      case DrawOp::Kind::LineTo:
        target.LineTo(op.x, op.y);
        break;
      case DrawOp::Kind::SetTextColor:
        target.SetTextColor(op.color);
        break;
      case DrawOp::Kind::TextOut:
        target.TextOut(op.x, op.y, op.text);
        break;
      case DrawOp::Kind::Release:
        break;
    }
  }
}

}  // namespace qv::headless
