// The real launcher on a stand-in program (a shell): a program that ends at
// once with an error is reported with the end of its error output; one that
// succeeds, or cannot be found, is not reported later.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "platform/desktop_launcher.h"

#ifndef _WIN32
TEST(DesktopLauncher, AProgramEndingAtOnceWithAnErrorIsReported) {
  struct TCase {
    const char* script;
    bool reported;
    const char* detail;
  };
  const TCase cases[] = {
      {"echo 'refuses to run' >&2; exit 3", true, "refuses to run"},
      {"kill -9 $$", true, ""},
      {"echo 'opened in the running window' >&2; exit 0", false, ""},
  };
  TDesktopLauncher launcher;
  for (const TCase& c : cases) {
    int calls = 0;
    QString detail;
    ASSERT_TRUE(launcher.StartProgram("/bin/sh", {"-c", c.script}, [&](const QString& d) {
      ++calls;
      detail = d;
    })) << c.script;
    if (c.reported) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 4000)) << c.script;
      EXPECT_EQ(calls, 1);
      EXPECT_EQ(detail, QString::fromLatin1(c.detail)) << c.script;
    } else {
      QTest::qWait(500);
      EXPECT_EQ(calls, 0) << c.script;
    }
  }
  EXPECT_FALSE(launcher.StartProgram("/no/such/program", {}, [](const QString&) { ADD_FAILURE(); }));
  QTest::qWait(100);
}
#endif
