// The input panel: conversions between its controls and the entered table.
#include "app/race_dlg.h"

namespace qv {

int CRaceDlg::GetComboTimeHMS(int, int, int, int) { return 0; }
int CRaceDlg::GetComboTimeMS(int, int, int) { return 0; }
void CRaceDlg::SetComboTimeHMS(int, int, int, int, int) {}
void CRaceDlg::SetComboTimeMS(int, int, int, int) {}
double CRaceDlg::GetEditKm(int) { return 0.0; }
void CRaceDlg::SetEditKm(int, double) {}
void CRaceDlg::ShowSection(int) {}
void CRaceDlg::StoreSection(int) {}

}  // namespace qv
