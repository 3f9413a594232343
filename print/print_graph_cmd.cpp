// The graph on the printed page: the dialog's graph drawn with the printed
// layout in a rectangle below the table. Nothing is filled (the paper is
// white), and the caller's font and pen are in use again afterwards, with
// the text colour left green for the comment lines that follow.
#include "app/race_dlg.h"
#include "graph/graph_layout.h"

namespace qv {

void CRaceDlg::PrintGraph(IDrawContext& dc, int halfWidth, int top) {
  DrawSectionGraph(dc, kPrintedGraphLayout, PrintedPlotRect(halfWidth, top),
                   PrintedPictureRect(halfWidth, top), false);
}

void CRaceDlg::PrintGraphReversed(IDrawContext& dc, int halfWidth, int top) {
  DrawSectionGraph(dc, kPrintedGraphLayout, PrintedPlotRect(halfWidth, top),
                   PrintedPictureRect(halfWidth, top), true);
}

}  // namespace qv
