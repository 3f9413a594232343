// quorvane-report: the race computed and exported without a window.
//
// The list and the CSV need nothing but the program's core; rendering a
// graph or a PDF needs Qt, which lives in a module loaded on first use, so
// a run that only lists starts as fast as a plain command-line program.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "report/report.h"

namespace {

using MakeRenderer = qv::report::Renderer* (*)(int*, char**);

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
  const char* kName = "quorvane-report-render.so";
  for (const std::string& candidate :
       {dir + "/" + kName, dir + "/../lib/quorvane/" + kName}) {
    if (access(candidate.c_str(), R_OK) == 0) return candidate;
  }
  return dir + "/" + kName;
}

class LazyRenderer final : public qv::report::Renderer {
 public:
  LazyRenderer(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

  qv::Rect ScreenGraphArea() override {
    return Load() ? m_real->ScreenGraphArea() : qv::Rect{};
  }
  bool SaveGraph(const std::string& path,
                 const std::vector<qv::headless::DrawOp>& ops, int width,
                 int height) override {
    return Load() && m_real->SaveGraph(path, ops, width, height);
  }
  std::unique_ptr<qv::IPrintJob> OpenPdf(const std::string& path) override {
    return Load() ? m_real->OpenPdf(path) : nullptr;
  }

 private:
  bool Load() {
    if (m_real) return true;
    if (m_failed) return false;
    const std::string module = FindModule();
    // The module is never unloaded: Qt does not survive that.
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto make = handle != nullptr ? reinterpret_cast<MakeRenderer>(
                                        dlsym(handle, "QuorvaneMakeRenderer"))
                                  : nullptr;
    if (make == nullptr) {
      const char* why = dlerror();
      std::cerr << "quorvane-report: cannot load " << module << ": "
                << (why != nullptr ? why : "no entry point") << '\n';
      m_failed = true;
      return false;
    }
    m_real.reset(make(&m_argc, m_argv));
    return true;
  }

  int& m_argc;
  char** m_argv;
  std::unique_ptr<qv::report::Renderer> m_real;
  bool m_failed = false;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  qv::report::Options options;
  std::string error;
  switch (qv::report::ParseArgs(args, options, error)) {
    case qv::report::ParseResult::Help:
      std::cout << qv::report::UsageText();
      return 0;
    case qv::report::ParseResult::UsageError:
      std::cerr << "quorvane-report: " << error << "\n\n"
                << qv::report::UsageText();
      return 2;
    case qv::report::ParseResult::Ok:
      break;
  }
  LazyRenderer renderer(argc, argv);
  return qv::report::Run(options, renderer, std::cout, std::cerr);
}
