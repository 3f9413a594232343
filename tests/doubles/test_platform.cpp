#include "tests/doubles/test_platform.h"

#include <sys/stat.h>

#include "report/output_file.h"

namespace qv::doubles {

PrintJob::PrintJob(int horzRes, int vertRes)
    : m_log(std::make_shared<std::vector<headless::DrawOp>>()),
      m_dc(m_log, 0),
      m_horzRes(horzRes),
      m_vertRes(vertRes),
      m_record(std::make_shared<Record>()) {}

int PrintJob::StartDoc(std::string_view docName) {
  m_record->docName = std::string(docName);
  return Call("StartDoc", startDocResult);
}

int PrintJob::EndPage() {
  m_record->ops = *m_log;
  return Call("EndPage", endPageResult);
}

ReadResult DiskFiles::ReadAll(const std::string& path, std::size_t maxBytes) {
  return headless::DiskFileSystem().ReadAll(path, maxBytes);
}

WriteStatus DiskFiles::WriteAll(const std::string& path,
                                std::string_view bytes) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  switch (report::WriteOutputFile(path, bytes, mask).status) {
    case report::OutputStatus::Ok:
      return WriteStatus::Ok;
    case report::OutputStatus::OpenFailed:
      return WriteStatus::OpenFailed;
    default:
      return WriteStatus::WriteFailed;
  }
}

namespace {

template <typename T>
T Pop(std::deque<T>& q, T none) {
  if (q.empty()) return none;
  T answer = std::move(q.front());
  q.pop_front();
  return answer;
}

}  // namespace

bool Platform::AskYesNo(std::string_view text) {
  questions.emplace_back(text);
  return Pop(yesNoAnswers, false);
}

std::optional<std::string> Platform::GetOpenFileName() {
  return Pop(openAnswers, std::optional<std::string>());
}

std::optional<std::string> Platform::GetSaveFileName() {
  return Pop(saveAnswers, std::optional<std::string>());
}

std::optional<std::string> Platform::GetOpenRecordName() {
  return Pop(recordAnswers, std::optional<std::string>());
}

std::optional<ActivitySplit> Platform::AskActivitySplit(
    const ActivityRecord& record) {
  splitQuestions.push_back(ActivityLapCount(record));
  return Pop(splitAnswers, std::optional<ActivitySplit>());
}

std::unique_ptr<IPrintJob> Platform::PrintDialog() {
  return Pop(printJobs, std::unique_ptr<PrintJob>());
}

}  // namespace qv::doubles
