// The section editing commands.
#include "app/race_dlg.h"

namespace qv {

void CRaceDlg::OnAppend() {}
void CRaceDlg::OnChange() {}
void CRaceDlg::OnInsert() {}
void CRaceDlg::OnDelete() {}
void CRaceDlg::OnClickSectionList(long* result) {
  if (result != nullptr) *result = 0;
}

}  // namespace qv
