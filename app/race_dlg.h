// The main dialog: the view of one race value (race/race.h), its latest
// computation and every command handler.
//
// This header declares the whole class; each folder defines its own part:
// app/ the shell (initialisation, command table, clear, window colours),
// race/ the calculation and the section list, input/ the panel and the
// editing commands, file/ load and save, graph/ the section graph, print/
// the printout. The controls are reached through the platform layer.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/platform.h"
#include "app/race_history.h"
#include "file/activity.h"
#include "race/comparison.h"
#include "race/compute.h"
#include "race/race.h"
#include "race/section_rows.h"

namespace qv {

class CRaceApp;
struct GraphLayout;
struct PanelReading;

inline constexpr int MAX_SECTIONS = kMaxSections;

class CRaceDlg {
 public:
  // The platform must outlive the dialog. The application object, when
  // given, receives the window-colour command.
  explicit CRaceDlg(IPlatform& platform, CRaceApp* app = nullptr);
  CRaceDlg(const CRaceDlg&) = delete;
  CRaceDlg& operator=(const CRaceDlg&) = delete;

  // ---- shell (app/)
  // Binds the control members to their IDs (the platform's controls must
  // exist by then).
  void DoDataExchange();
  // Columns, combo contents, clear; returns true.
  bool OnInitDialog();
  // Routes a button click by control ID; false when no handler has it.
  bool OnCommand(int id);
  // The list's click notification; result is set to 0.
  void OnNotifyClick(int id, long* result);
  // System-menu command; IDM_ABOUTBOX opens the version dialog.
  void OnSysCommand(unsigned command);
  // Enter never closes the dialog.
  void OnOK();
  // Escape, the close box and the window menu's close item. Asks first when
  // there are unsaved changes; ends the dialog unless the user says No.
  void OnCancel();
  // The user typed into the event name or the comment.
  void OnUserEdit(int id);
  // The race differs from what its file last held: the history says.
  bool IsModified() const { return m_history.Unsaved(); }

  void OnClearData();
  void OnWindowColor();

  // ---- calculation and section list (race/)
  void OnCompute();
  // Computes m_race into m_computation and shows its rows and the totals
  // row.
  void Calculate();
  void InsertColumns();
  // The list's texts, as it shows them: what the page prints and the CSV
  // and quorvane-report write.
  SectionRows ListRows() const;
  // The list shows ListRows(); ShowEnteredRows() after an edit, the
  // entered rows alone.
  void ShowRows();
  void ShowEnteredRows();
  // Entered section i as row i (append adds it before a totals row).
  void InsertEnteredRow(int i);
  // The ninth column, "比較差", shown while there is a race to compare with.
  void ShowDifferenceColumn(bool show);
  static int RoundAboveFourTenths(double x);

  // ---- input panel and editing commands (input/)
  int GetComboTimeHMS(int hourId, int minId, int secId, int csId);
  int GetComboTimeMS(int minId, int secId, int csId);
  void SetComboTimeHMS(int hourId, int minId, int secId, int csId, int t);
  void SetComboTimeMS(int minId, int secId, int csId, int t);
  PanelReading ReadPanel();
  // Sets the panel's texts and lists; a time past a list's range shows as
  // the nearest one it has.
  void ShowPanel(const PanelReading& panel);
  // Section i on the panel, and its number; nothing for a section that is
  // not there.
  void ShowSection(int i);
  void OnAppend();
  void OnChange();
  void OnInsert();
  void OnDelete();
  void OnClickSectionList(long* result);

  // ---- race file (file/)
  void OnLoad();
  void OnSave();
  // The load without its question and file dialog: reads the file at path
  // into the dialog, or shows why not and changes nothing. True when loaded.
  bool LoadRaceFile(const std::string& path);

  // ---- a watch's record (file/record_import_cmd.cpp)
  // The window menu's import: the load's question over unsaved changes, the
  // record's file dialog, then ImportRecordFile.
  void OnImportRecord();
  // Asks how to cut the record at path and shows it as the race, unsaved,
  // computed by arrival; one undoable step. askFirst asks the load's
  // question over unsaved changes. True when imported; a refusal shows why
  // and, like a cancel, changes nothing.
  bool ImportRecordFile(const std::string& path, bool askFirst);
  // The split to cut a record with, or nullopt to leave it.
  using SplitChooser =
      std::function<std::optional<ActivitySplit>(const ActivityRecord&)>;
  enum class Opened { No, RaceFile, Record };
  // What is done with a file that is not a record.
  enum class NotRecord {
    Refuse,
    Load,          // as a race file
    LoadIfShaped,  // only when it has a race file's shape (a ".gpx" name)
  };
  // Reads path once: a FIT, TCX or GPX record is imported as choose cuts
  // it; anything else as notRecord says. No question and no history step:
  // the callers add them.
  Opened OpenRaceOrRecord(const std::string& path, const SplitChooser& choose,
                          NotRecord notRecord);

  // ---- comparison with another race (race/comparison.cpp, file/)
  // Asks for a file and reads it as the race to compare with, a record cut
  // as the platform's split dialog says.
  void OnOpenComparison();
  // Reads the file at path as the race to compare with, through the same
  // reader and refusals as the load: a race file, or a record cut as choose
  // says. The current race, its settings, its history and its unsaved state
  // stay as they are; a refusal or a cancel keeps the comparison there was.
  // True when read.
  bool LoadComparison(const std::string& path, const SplitChooser& choose);
  // No race to compare with; the list loses its difference column.
  void DropComparison();
  bool HasComparison() const { return m_comparisonRace != nullptr; }
  // The race file last loaded or saved, and the comparison's, as named;
  // empty when none. Exports must not write over either.
  const std::string& RaceFilePath() const { return m_raceFilePath; }
  const std::string& ComparisonFilePath() const { return m_comparisonPath; }

  // ---- graph (graph/)
  void DrawGraph();
  void DrawGraphReversed();
  // The graph area again as the last compute or clear left it, at the
  // area's present size (a resized window); nothing before either.
  void RedrawGraph();

  // ---- printing (print/)
  void OnPrint();
  void PrintGraph(IDrawContext& dc, int halfWidth, int top);
  void PrintGraphReversed(IDrawContext& dc, int halfWidth, int top);

  // ---- undo and redo (app/race_undo_cmd.cpp)
  // Runs the button command id through handler; with a step kind the
  // command becomes a step of the history of that kind (if it changed the
  // race), and the unsaved state follows the history.
  // What a command is to the history.
  enum class Step {
    None,  // changes no race
    Edit,  // a step when it changed the race
    Own,   // records its own step (load, clear)
    Save,  // marks the race saved when the file was written
  };
  void RunCommand(void (CRaceDlg::*handler)(), Step step);
  bool CanUndo() const { return m_history.CanUndo(); }
  bool CanRedo() const { return m_history.CanRedo(); }
  // The list then shows the entered rows, as after an edit. False when
  // there was nothing to undo or redo.
  bool Undo();
  bool Redo();
  // A race file named from outside the dialog (the command line, a drop),
  // loaded as the load command loads it and undoable like it; askFirst
  // asks the load's question when there are unsaved changes. True when
  // loaded.
  bool OpenRaceFile(const std::string& path, bool askFirst);
  RaceSnapshot TakeSnapshot() const;
  void ApplySnapshot(const RaceSnapshot& race);

  IPlatform& Platform() { return m_platform; }

  // ---- data (public, as the other folders' code and the tests use it)

  int m_nColor = 0;
  int m_nSelected = -1;

  // The race on screen, the one value every view shows: the event name
  // and comment as the user typed them (OnUserEdit), the settings as last
  // computed or loaded, the entered sections.
  Race m_race;
  int SectionCount() const { return static_cast<int>(m_race.sections.size()); }
  const Race& CurrentRace() const;

  // The latest computation, as the list's computed rows, the graph and the
  // printout show it; an edit since leaves it as it was, and clear drops it.
  std::optional<ComputedRace> m_computation;
  // Whether the list shows it (from compute until an edit, load or undo).
  bool m_listComputed = false;
  // Its entry i: section i, or the totals at i == its section count.
  const ComputedSection& ComputedRow(int i) const;
  int ComputedCount() const {
    return m_computation ? static_cast<int>(m_computation->sections.size())
                         : 0;
  }

  // Control members, bound by DoDataExchange.
  ITextControl* m_editComment = nullptr;     // 1076
  IComboBox* m_comboCalcMode = nullptr;      // 1075
  IComboBox* m_comboGraphAxis = nullptr;     // 1074
  IComboBox* m_comboInputAssist = nullptr;   // 1073
  IComboBox* m_comboPriority = nullptr;      // 1071
  IComboBox* m_comboSpeedUnit = nullptr;     // 1072
  ITextControl* m_staticGraph = nullptr;     // 1047
  ITextControl* m_staticSectionNo = nullptr;  // 1048
  ITextControl* m_editEventName = nullptr;   // 1042
  ITextControl* m_editEndKm = nullptr;       // 1012
  ITextControl* m_editStartKm = nullptr;     // 1001
  IListView* m_listSections = nullptr;       // 1000

  // The race to compare with, as read, and its times as last computed.
  std::unique_ptr<Race> m_comparisonRace;
  std::optional<ComputedRace> m_comparison;

 private:
  // The race file at path, read and checked, or nullopt after showing why
  // it is refused.
  std::optional<Race> ReadRaceFileAt(const std::string& path);
  // The whole file at path up to maxBytes, or nullopt after showing why not.
  std::optional<std::string> ReadFileAt(const std::string& path,
                                        std::size_t maxBytes);
  // A race file's bytes as a race, or nullopt after showing why not.
  std::optional<Race> ParseRaceBytes(std::string_view bytes);
  // Puts a read race on screen, as load does: texts, settings, rows, panel.
  void ShowRace(Race race);
  // A file read as a race, before anything of the dialog changes.
  struct ReadRace {
    Opened from = Opened::No;  // No: refused (after showing why) or left
    Race race;
  };
  // The file at path read once as a race: a record cut as choose says (by
  // arrival), anything else as notRecord says. The load, the import and
  // the comparison all read through it.
  ReadRace ReadRaceOrRecord(const std::string& path, const SplitChooser& choose,
                            NotRecord notRecord);
  // A read record cut into a race; nullopt after showing why not, or when
  // choose left it.
  std::optional<Race> RecordToRace(std::string_view bytes,
                                   const std::string& path,
                                   const SplitChooser& choose);
  // OpenRaceOrRecord with the platform's split dialog, as one step of the
  // history: an import is an edit (the race is not on the disk as one), a
  // race file a load. askFirst asks the load's question first.
  Opened OpenAsStep(const std::string& path, bool askFirst,
                    NotRecord notRecord);
  // The save command; true when the file was written.
  bool Save();
  // The graph area filled white, as a clear leaves it.
  void BlankGraph();
  // What the graph area shows, for RedrawGraph.
  enum class GraphShown { Nothing, Blank, Normal, Reversed };
  GraphShown m_graphShown = GraphShown::Nothing;
  // One graph algorithm for screen and paper, both orientations. plot is
  // the frame's rectangle, picture what the drawing may cover.
  void DrawSectionGraph(IDrawContext& dc, const GraphLayout& layout,
                        const Rect& plot, const Rect& picture, bool reversed);

  IPlatform& m_platform;
  CRaceApp* m_app;
  RaceHistory m_history;
  std::string m_raceFilePath;
  std::string m_comparisonPath;
};

}  // namespace qv
