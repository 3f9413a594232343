// Load and save commands.
#include "app/race_dlg.h"

namespace qv {

void CRaceDlg::OnLoad() {}
void CRaceDlg::OnSave() {}

}  // namespace qv
