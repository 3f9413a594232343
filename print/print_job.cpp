// The print command.
#include "app/race_dlg.h"

namespace qv {

void CRaceDlg::OnPrint() {}
void CRaceDlg::PrintGraph(IDrawContext&, int, int) {}
void CRaceDlg::PrintGraphReversed(IDrawContext&, int, int) {}

}  // namespace qv
