// The section graph.
#include "app/race_dlg.h"

namespace qv {

void CRaceDlg::DrawGraph() {}
void CRaceDlg::DrawGraphReversed() {}
void CRaceDlg::DrawSectionGraph(IDrawContext&, const GraphLayout&, const Rect&,
                                bool) {}

}  // namespace qv
