#include <gtest/gtest.h>
#include "app/headless/headless_platform.h"
#include "app/race_dlg.h"
TEST(Smoke, Init) {
  qv::headless::Platform p;
  qv::CRaceDlg dlg(p);
  dlg.OnInitDialog();
  dlg.OnCompute();
  EXPECT_EQ(p.List().GetItemText(0, 0), "全区間");
}
