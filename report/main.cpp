// quorvane-report: race files computed and exported without a window.
//
// The list and the CSV need nothing but the program's core; pictures and
// printed pages need Qt, which the Qt layer's offscreen module brings in
// only when a run asks for one, so a run that only lists starts as fast as
// a plain command-line program.
#include <dlfcn.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "report/output_file.h"
#include "report/report.h"

namespace {

// The module stands beside the program in the build, and under
// lib/quorvane when installed.
std::string FindModule() {
  char self[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = ".";
  if (n > 0) {
    self[n] = '\0';
    dir = self;
    dir = dir.substr(0, dir.rfind('/'));
  }
  const std::string name = qv::offscreen::kModuleFile;
  for (const std::string& candidate :
       {dir + "/" + name, dir + "/../lib/quorvane/" + name}) {
    if (access(candidate.c_str(), R_OK) == 0) return candidate;
  }
  return dir + "/" + name;
}

// Never unloaded: Qt does not survive that.
qv::offscreen::Renderer* LoadRenderer() {
  const std::string module = FindModule();
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  auto entry = handle != nullptr
                   ? reinterpret_cast<qv::offscreen::ModuleEntry>(
                         dlsym(handle, qv::offscreen::kModuleEntry))
                   : nullptr;
  if (entry == nullptr) {
    const char* why = dlerror();
    std::cerr << "quorvane-report: cannot load " << module << ": "
              << (why != nullptr ? why : "no entry point") << '\n';
    return nullptr;
  }
  return entry();
}

class FdSink final : public qv::report::Sink {
 public:
  explicit FdSink(int fd) : m_fd(fd) {}
  bool Write(std::string_view text) override {
    return qv::report::WriteAllTo(m_fd, text);
  }

 private:
  int m_fd;
};

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit then fails the write, which is reported, instead of
  // killing the program with a partial file.
  signal(SIGXFSZ, SIG_IGN);
  // An interrupted run leaves no temporary file beside its outputs.
  qv::report::RemoveTemporaryFilesOnSignals();

  // Messages follow the locale; the outputs follow --lang.
  const qv::Language userLanguage = qv::LanguageFromEnvironment();
  qv::SetLanguages(userLanguage, qv::Language::Japanese);
  std::vector<std::string> args(argv + 1, argv + argc);
  qv::report::Options options;
  std::string error;
  switch (qv::report::ParseArgs(args, options, error)) {
    case qv::report::ParseResult::Help: {
      FdSink out(STDOUT_FILENO);
      return out.Write(qv::report::UsageText()) ? 0 : 1;
    }
    case qv::report::ParseResult::UsageError:
      std::cerr << "quorvane-report: " << error << "\n\n"
                << qv::report::UsageText();
      return 2;
    case qv::report::ParseResult::Ok:
      break;
  }

  // Without the catalogue, messages stay Japanese; outputs asked for in
  // English cannot be made.
  if (!qv::SetLanguages(userLanguage, options.language) &&
      options.language == qv::Language::English) {
    std::cerr << "quorvane-report: the English texts (quorvane.mo) are not "
                 "installed\n";
    return 1;
  }

  qv::report::RunContext context;
  // Read once here: umask can only be read by setting it, which other
  // threads must not see.
  context.umask = umask(022);
  umask(context.umask);
  context.progress = isatty(STDERR_FILENO) == 1;
  std::unique_ptr<qv::offscreen::Renderer> renderer;
  if (options.NeedsRenderer()) {
    renderer.reset(LoadRenderer());
    if (!renderer) return 1;
    context.renderer = renderer.get();
  }
  FdSink out(STDOUT_FILENO);
  FdSink err(STDERR_FILENO);
  return qv::report::Run(options, context, out, err);
}
