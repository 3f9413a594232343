#include "app/qt/qt_accessible.h"

#include <QLabel>
#include <QString>
#include <QWidget>

#include "app/qt/qt_dialog.h"
#include "res/i18n.h"
#include "res/resource.h"

namespace qv::qt {

namespace {

// Controls without a caption of their own, and the labels beside them: a
// time is read as its field's label and its unit.
struct LabelledControl {
  int id;
  const char* name;
};

constexpr LabelledControl kLabels[] = {
    {IDC_EVENT_NAME, N_("大会名")},
    {IDC_START_KM, N_("出発地点 km")},
    {IDC_END_KM, N_("到着地点 km")},
    {IDC_LOSS_MIN, N_("ロスタイム 分")},
    {IDC_LOSS_SEC, N_("ロスタイム 秒")},
    {IDC_LOSS_CS, N_("ロスタイム 0.01秒")},
    {IDC_ARR_HOUR, N_("到着時間 時")},
    {IDC_ARR_MIN, N_("到着時間 分")},
    {IDC_ARR_SEC, N_("到着時間 秒")},
    {IDC_ARR_CS, N_("到着時間 0.01秒")},
    {IDC_LAP_HOUR, N_("区間ラップ 時")},
    {IDC_LAP_MIN, N_("区間ラップ 分")},
    {IDC_LAP_SEC, N_("区間ラップ 秒")},
    {IDC_LAP_CS, N_("区間ラップ 0.01秒")},
    {IDC_PACE_MIN, N_("速度（時間/距離） 分")},
    {IDC_PACE_SEC, N_("速度（時間/距離） 秒")},
    {IDC_PACE_CS, N_("速度（時間/距離） 0.01秒")},
    {IDC_PRIORITY, N_("優先する時間")},
    {IDC_SPEED_UNIT, N_("速度表示")},
    {IDC_INPUT_ASSIST, N_("入力補助機能")},
    {IDC_GRAPH_AXIS, N_("グラフ軸")},
    {IDC_CALC_MODE, N_("計算条件")},
    {IDC_GRAPH, N_("グラフ")},
    {IDC_SECTION_LIST, N_("区間一覧")},
    {IDC_COMMENT, N_("コメント欄")},
};

}  // namespace

void NameControlsForScreenReaders(TemplateDialog& dialog) {
  const DialogTemplate& t = dialog.Template();
  for (std::size_t i = 0; i < dialog.ControlCount(); ++i) {
    QWidget* w = dialog.ControlAt(i);
    const ControlTemplate& row = t.controls[i];
    QString name = QString::fromUtf8(Tr(row.caption));
    for (const LabelledControl& l : kLabels)
      if (l.id == row.id) name = QString::fromUtf8(Tr(l.name));
    // A label with text is read as its text, which may change later (the
    // section number); naming it would freeze the first one.
    if (qobject_cast<QLabel*>(w) != nullptr && row.id != IDC_GRAPH) continue;
    if (!name.isEmpty()) w->setAccessibleName(name);
  }
}

}  // namespace qv::qt
