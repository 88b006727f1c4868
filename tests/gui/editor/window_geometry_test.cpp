// Where the editor window opens and what of its layout comes back at the
// next start. CTest runs this suite on screens of several sizes and scale
// factors (LUMEROLL_TEST_SCREEN, see screen_test_main.cpp).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "editor/main_form.h"
#include "editor/window_layout.h"
#include "support/scripted_prompts.h"

namespace {

constexpr QSize kStartingSize(747, 532);

std::string Text(const QRect& r) {
  return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

TEST(FitIntoArea, KeepsWhatFitsAndMovesOrShrinksTheRest) {
  const QRect area(0, 30, 1280, 690);  // a screen with a panel at the top
  const struct {
    const char* what;
    QRect wanted;
    QRect expected;
  } cases[] = {
      {"fits", {100, 100, 747, 532}, {100, 100, 747, 532}},
      {"past the right edge", {900, 100, 747, 532}, {533, 100, 747, 532}},
      {"past the bottom", {100, 600, 747, 532}, {100, 188, 747, 532}},
      {"under the panel", {100, 0, 747, 532}, {100, 30, 747, 532}},
      {"left of the screen", {-400, 100, 747, 532}, {0, 100, 747, 532}},
      {"too tall", {100, 100, 747, 1064}, {100, 30, 747, 690}},
      {"too large both ways", {-50, -50, 1494, 1064}, {0, 30, 1280, 690}},
      {"exactly the area", {0, 30, 1280, 690}, {0, 30, 1280, 690}},
  };
  for (const auto& c : cases) {
    const QRect got = FitIntoArea(c.wanted, area);
    EXPECT_EQ(got, c.expected) << c.what << ": " << Text(got);
    EXPECT_TRUE(area.contains(got)) << c.what;
  }
}

TEST(PlaceOnScreens, ChoosesTheScreenTheWindowMostlyLiesOn) {
  const QRect left(0, 0, 1920, 1040), right(1920, 0, 1280, 690);
  const struct {
    const char* what;
    QRect frame;
    QList<QRect> areas;
    QRect expected;
  } cases[] = {
      {"on the second screen", {2000, 50, 800, 600}, {left, right}, {2000, 50, 800, 600}},
      {"mostly on the second screen", {1800, 50, 800, 600}, {left, right}, {1920, 50, 800, 600}},
      {"mostly on the first screen", {1500, 50, 800, 600}, {left, right}, {1120, 50, 800, 600}},
      {"on a screen no longer there", {4000, 300, 800, 600}, {left, right}, {1120, 300, 800, 600}},
      {"above every screen", {100, -2000, 800, 600}, {left, right}, {100, 0, 800, 600}},
      {"too large for its screen", {1950, 10, 1600, 900}, {left, right}, {1920, 0, 1280, 690}},
      {"no screens known", {4000, 300, 800, 600}, {}, {4000, 300, 800, 600}},
  };
  for (const auto& c : cases) {
    const QRect got = PlaceOnScreens(c.frame, c.areas);
    EXPECT_EQ(got, c.expected) << c.what << ": " << Text(got);
  }
}

class WindowGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    area = QGuiApplication::primaryScreen()->availableGeometry();
  }

  QString SettingsPath() const { return folder.filePath(QStringLiteral("settings.ini")); }
  TSettingsFactory Settings() const {
    const QString path = SettingsPath();
    return [path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); };
  }

  // A window as the program starts it: its layout restored from the
  // settings before it is shown.
  std::unique_ptr<TMainForm> Start() {
    const std::string path = folder.path().toLocal8Bit().toStdString() + "/";
    auto form = std::make_unique<TMainForm>(TEditorServices{prompts, launcher, AppFolders{path, path}});
    new TWindowLayoutKeeper(*form, &form->Splitter(), Settings());
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }
  void Quit(std::unique_ptr<TMainForm>& form) {
    EXPECT_TRUE(form->close());
    form.reset();
  }

  QTemporaryDir folder;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  QRect area;
};

TEST_F(WindowGeometryTest, TheFirstWindowLiesWhollyOnTheScreen) {
  std::unique_ptr<TMainForm> form = Start();
  const QRect frame = form->frameGeometry();
  EXPECT_TRUE(area.contains(frame)) << Text(frame) << " on " << Text(area);
  // Where the screen has room, the window has its usual starting size.
  const int titleBar = form->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, form.get());
  if (area.width() >= kStartingSize.width() && area.height() >= kStartingSize.height() + titleBar)
    EXPECT_EQ(form->size(), kStartingSize);
  // Its own minimum never pushes it past the screen either.
  EXPECT_LE(form->minimumSizeHint().height(), area.height());
}

TEST_F(WindowGeometryTest, PlaceSizeMaximisedStateAndSplitterComeBack) {
  const struct {
    const char* what;
    QRect geometry;  // relative to the free area's top left
    bool maximised;
  } cases[] = {
      {"small, near the top left", {40, 60, 600, 420}, false},
      {"wide, lower right", {120, 90, 700, 400}, false},
      {"maximised", {20, 40, 620, 420}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(SettingsPath());
    // Room left round it for the frame, which is not part of the geometry.
    const QRect inner = area.adjusted(8, 40, -8, -8);
    const QRect wanted = FitIntoArea(c.geometry.translated(inner.topLeft()), inner);
    std::unique_ptr<TMainForm> form = Start();
    form->setGeometry(wanted);
    const QList<int> sizes = form->Splitter().sizes();
    const int total = sizes[0] + sizes[1];
    form->Splitter().setSizes({total / 2 - 40, total - total / 2 + 40});
    if (c.maximised) form->showMaximized();
    QCoreApplication::processEvents();
    const QRect normal = c.maximised ? form->normalGeometry() : form->geometry();
    const QList<int> splitter = form->Splitter().sizes();
    Quit(form);

    form = Start();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->isMaximized(), c.maximised);
    EXPECT_EQ(c.maximised ? form->normalGeometry() : form->geometry(), normal)
        << Text(form->geometry()) << " instead of " << Text(normal);
    EXPECT_EQ(form->Splitter().sizes(), splitter);
    Quit(form);
  }
}

TEST_F(WindowGeometryTest, AWindowLeftOffTheScreensComesBackOntoOne) {
  std::unique_ptr<TMainForm> form = Start();
  // Where a screen that is gone had been, right of and below this one.
  form->move(area.right() + 2000, area.bottom() + 1500);
  QCoreApplication::processEvents();
  ASSERT_FALSE(area.intersects(form->frameGeometry())) << Text(form->frameGeometry());
  Quit(form);

  form = Start();
  EXPECT_TRUE(area.contains(form->frameGeometry())) << Text(form->frameGeometry());
  Quit(form);
}

TEST_F(WindowGeometryTest, DamagedSettingsLeaveTheStartingLayout) {
  {
    QSettings s(SettingsPath(), QSettings::IniFormat);
    s.setValue(QStringLiteral("Settings/WindowGeometry"), QByteArray("not a geometry"));
    s.setValue(QStringLiteral("Settings/SplitterState"), QStringLiteral("12"));
  }
  std::unique_ptr<TMainForm> form = Start();
  EXPECT_TRUE(area.contains(form->frameGeometry())) << Text(form->frameGeometry());
  EXPECT_FALSE(form->isMaximized());
  EXPECT_GE(form->findChild<QWidget*>(QStringLiteral("pnlTreeView"))->width(), 200);
}

TEST_F(WindowGeometryTest, NothingIsWrittenWhileTheWindowIsHidden) {
  std::unique_ptr<TMainForm> form = Start();
  form->hide();
  auto* keeper = form->findChild<TWindowLayoutKeeper*>();
  ASSERT_NE(keeper, nullptr);
  keeper->Save();
  EXPECT_FALSE(QFile::exists(SettingsPath()));
}

}  // namespace
