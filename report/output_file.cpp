#include "report/output_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace qv::report {

namespace {

OutputResult Failed(OutputStatus status) {
  return OutputResult{status, errno != 0 ? errno : EIO};
}

// A device or a pipe: no temporary file can stand in for it. Opened without
// waiting, so a pipe nobody reads fails instead of hanging the run.
OutputResult WriteDirectly(const std::string& path, std::string_view bytes) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Failed(OutputStatus::OpenFailed);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const OutputResult r = Failed(OutputStatus::OpenFailed);
    ::close(fd);
    return r;
  }
  if (!WriteAllTo(fd, bytes)) {
    const OutputResult r = Failed(OutputStatus::WriteFailed);
    ::close(fd);
    return r;
  }
  if (::close(fd) != 0) return Failed(OutputStatus::WriteFailed);
  return {};
}

// The temporary files open now, for the signal handler, which may neither
// allocate nor lock. A slot is free (0), being filled (1), holds a name (2)
// or is being removed by the handler (3); a slot the handler has taken is
// never used again, as the program is ending. Each worker has at most one
// file open, so the slots outnumber the files.
enum SlotState { kFree, kFilling, kHeld, kRemoving };
struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);
Slot g_slots[256];

// Takes a free slot and holds it as being filled; -1 when none is free.
int Claim() {
  for (int i = 0; i < static_cast<int>(std::size(g_slots)); ++i) {
    int expected = kFree;
    if (g_slots[i].state.compare_exchange_strong(expected, kFilling)) return i;
  }
  return -1;
}

void Unregister(int i) {
  if (i < 0) return;
  int expected = kHeld;
  g_slots[i].state.compare_exchange_strong(expected, kFree);
}

std::atomic<bool> g_ending{false};

extern "C" void RemoveAndEnd(int signal) {
  // One handler removes the files and ends the program; one that ran on
  // another thread at the same time could end it before a file it took is
  // removed, so the others wait for that end.
  if (g_ending.exchange(true)) {
    for (;;) ::pause();
  }
  const int saved = errno;
  for (Slot& slot : g_slots) {
    // A slot being filled belongs to a thread that has these signals
    // blocked while it makes its file, which takes one system call: wait.
    int expected = kHeld;
    while (!slot.state.compare_exchange_weak(expected, kRemoving)) {
      if (expected != kHeld && expected != kFilling) break;
      expected = kHeld;
    }
    if (expected == kHeld) ::unlink(slot.path);
  }
  // Back to the default action (only now: a second signal must still find
  // this handler while the files go); the signal, blocked until this
  // returns, then ends the program with its own status.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  ::sigaction(signal, &fallback, nullptr);
  ::raise(signal);
  errno = saved;
}

// target + ".XXXXXX", its file name part cut so that the whole fits the
// folder's name limit.
std::string TemporaryTemplate(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::size_t maxName = limit > 0 ? static_cast<std::size_t>(limit)
                                        : static_cast<std::size_t>(NAME_MAX);
  constexpr std::size_t kSuffix = 7;  // ".XXXXXX"
  std::string name = target.substr(nameAt);
  // A name already too long fails as it did, when the file is made.
  if (name.size() + kSuffix > maxName && name.size() <= maxName &&
      maxName > kSuffix)
    name.resize(maxName - kSuffix);
  return target.substr(0, nameAt) + name + ".XXXXXX";
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& target)
    : m_target(target), m_path(TemporaryTemplate(target)) {
  // The file is made in its slot's name while this thread has the signals
  // blocked and the slot shows it being filled, so that a handler on any
  // thread either waits for it or finds it listed.
  sigset_t all, old;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &old);
  int error = 0;
  m_slot = m_path.size() < PATH_MAX ? Claim() : -1;
  // Claimed before the handler's flag is read, as the handler sets the flag
  // before it reads the slots: it either sees this slot or this sees it
  // ending, and then no file is made.
  if (m_slot >= 0 && g_ending.load()) {
    g_slots[m_slot].state.store(kFree);
    m_slot = -1;
    m_fd = -1;
    error = EINTR;
  } else if (m_slot >= 0) {
    Slot& slot = g_slots[m_slot];
    std::memcpy(slot.path, m_path.c_str(), m_path.size() + 1);
    m_fd = ::mkostemp(slot.path, O_CLOEXEC);
    error = errno;
    m_path = slot.path;
    slot.state.store(m_fd >= 0 ? kHeld : kFree);
    if (m_fd < 0) m_slot = -1;
  } else if (!g_ending.load()) {
    m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
    error = errno;
  }
  m_exists = m_fd >= 0;
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  errno = error;
}

TemporaryFile::~TemporaryFile() {
  if (m_fd >= 0) ::close(m_fd);
  if (m_exists) ::unlink(m_path.c_str());
  Unregister(m_slot);
}

bool TemporaryFile::Commit() {
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0 || ::rename(m_path.c_str(), m_target.c_str()) != 0)
    return false;  // the destructor removes it
  m_exists = false;
  Unregister(m_slot);
  m_slot = -1;
  return true;
}

void RemoveTemporaryFilesOnSignals() {
  struct sigaction action {};
  action.sa_handler = RemoveAndEnd;
  const int signals[] = {SIGTERM, SIGINT, SIGHUP, SIGPIPE};
  sigemptyset(&action.sa_mask);
  for (int s : signals) sigaddset(&action.sa_mask, s);
  for (int s : signals) {
    struct sigaction old {};
    // One ignored when the program started (nohup) stays ignored.
    if (::sigaction(s, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
      ::sigaction(s, &action, nullptr);
  }
}

bool WriteAllTo(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

OutputResult WriteOutputFile(const std::string& path, std::string_view bytes,
                             mode_t umask) {
  errno = 0;
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    errno = EISDIR;
    return Failed(OutputStatus::OpenFailed);
  }
  if (exists && !S_ISREG(old.st_mode)) return WriteDirectly(path, bytes);
  if (exists && ::access(path.c_str(), W_OK) != 0)
    return Failed(OutputStatus::OpenFailed);

  // A link is followed, so the file it names is replaced, not the link.
  std::string target = path;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return Failed(OutputStatus::OpenFailed);
    target = real;
    std::free(real);
  }

  // Beside the target, so that the rename replacing it is atomic.
  TemporaryFile temp(target);
  if (temp.Fd() < 0) return Failed(OutputStatus::OpenFailed);
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~umask);
  if (::fchmod(temp.Fd(), mode) != 0 || !WriteAllTo(temp.Fd(), bytes) ||
      // On the disk before it takes the old file's place, or a crash could
      // leave an empty file where a good one was.
      ::fsync(temp.Fd()) != 0 || !temp.Commit())
    return Failed(OutputStatus::WriteFailed);
  return {};
}

}  // namespace qv::report
