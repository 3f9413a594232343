// The test doubles: the shipped headless platform with scripted answers to
// its dialogs, a print job recording its pages, and race files saved on the
// disk. None of this ships.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/headless/headless_platform.h"

namespace qv::doubles {

// A print job whose page is a recording context.
class PrintJob final : public IPrintJob {
 public:
  PrintJob(int horzRes, int vertRes);
  IDrawContext& Dc() override { return m_dc; }
  int HorzRes() const override { return m_horzRes; }
  int VertRes() const override { return m_vertRes; }
  int StartDoc(std::string_view docName) override;
  int StartPage() override { return Call("StartPage", startPageResult); }
  int EndPage() override;
  int EndDoc() override { return Call("EndDoc", endDocResult); }
  void AbortDoc() override { Call("AbortDoc", 0); }
  void SetScale(double) override {}

  struct Record {
    std::vector<headless::DrawOp> ops;  // the page, as drawn by EndPage
    std::string docName;
    std::vector<std::string> calls;  // StartDoc, StartPage, EndPage, ...
  };
  // Outlives the job, which the print command destroys.
  std::shared_ptr<Record> record() const { return m_record; }

  int startDocResult = 1;
  int startPageResult = 1;
  int endPageResult = 1;
  int endDocResult = 1;

 private:
  int Call(const char* name, int result) {
    m_record->calls.emplace_back(name);
    return result;
  }
  std::shared_ptr<std::vector<headless::DrawOp>> m_log;
  headless::RecordingDc m_dc;
  int m_horzRes;
  int m_vertRes;
  std::shared_ptr<Record> m_record;
};

// Race files on the disk, saved the way quorvane-report writes its outputs.
class DiskFiles final : public IFileSystem {
 public:
  ReadResult ReadAll(const std::string& path, std::size_t maxBytes) override;
  WriteStatus WriteAll(const std::string& path,
                       std::string_view bytes) override;
};

// An empty queue answers Cancel or No.
class Platform : public headless::Platform {
 public:
  bool AskYesNo(std::string_view text) override;
  std::optional<std::string> GetOpenFileName() override;
  std::optional<std::string> GetSaveFileName() override;
  std::optional<std::string> GetOpenRecordName() override;
  std::optional<ActivitySplit> AskActivitySplit(
      const ActivityRecord& record) override;
  IFileSystem& Files() override { return m_files; }
  std::unique_ptr<IPrintJob> PrintDialog() override;
  void InvalidateDialog() override { ++invalidations; }
  void ShowAboutDialog() override { ++aboutDialogs; }

  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<std::optional<std::string>> recordAnswers;
  std::deque<std::optional<ActivitySplit>> splitAnswers;
  std::vector<std::size_t> splitQuestions;  // the lap count of each
  std::deque<bool> yesNoAnswers;
  std::deque<std::unique_ptr<PrintJob>> printJobs;  // nullptr: cancelled
  std::vector<std::string> questions;
  int invalidations = 0;
  int aboutDialogs = 0;

 private:
  DiskFiles m_files;
};

}  // namespace qv::doubles
