// Widget tests need a QApplication for the whole run; they run offscreen
// unless a platform is named (test discovery runs this without the tests'
// environment).
#include <gtest/gtest.h>

#include <QApplication>

// Qt and fontconfig keep caches for the life of the process; they are not
// ours to free, so leak reports would only be noise.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
