#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QToolBar>

#include "app_files_fixture.h"
#include "output_gui/code_view_window.h"
#include "help/help_window.h"

namespace {

TEST_F(AppTest, AFreshStartOffersTheTemplatesAndRegistersTheFileType) {
  StartApp();
  EXPECT_EQ(templatesShown, 1);
  EXPECT_EQ(fileTypeRegistrations, 1);
  EXPECT_FALSE(Form().Modified());
  EXPECT_FALSE(Action("Save1")->isEnabled());
  EXPECT_EQ(Model().rowCount(), 1);
  EXPECT_EQ(Form().Agent().AppletData(), DefaultAppletData());
  EXPECT_TRUE(QFile::exists(WorkingFolder() + "recentfile.dat"));
}

TEST_F(AppTest, TheMainWindowIsShownAndTheCodeAndHelpWindowsStayHidden) {
  StartApp();
  EXPECT_TRUE(Form().isVisible());
  EXPECT_EQ(Form().windowTitle(), "Untitled[*] - JavaScript Lumeroll");
  EXPECT_FALSE(app->CodeWindow().isVisible());
  EXPECT_FALSE(app->HelpWindow().isVisible());
  EXPECT_EQ(Caption(RootNode()), "JavaScript Lumeroll");
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
}

// Reads how many slots an action's triggered signal reaches. QObject keeps
// receivers() protected; a pointer to it taken through a subclass is a
// pointer to QObject's own member, so no action is cast to what it is not.
struct TActionProbe : QAction {
  static constexpr auto kReceivers = &TActionProbe::receivers;
};

TEST_F(AppTest, EveryMenuItemAndToolbarButtonHasACommand) {
  StartApp();
  QStringList dead;
  int checked = 0;
  auto check = [&](QAction* action) {
    if (action->isSeparator() || action->menu()) return;
    ++checked;
    if ((action->*TActionProbe::kReceivers)(SIGNAL(triggered(bool))) == 0) dead << action->objectName();
  };
  std::vector<QMenu*> menus;
  for (QAction* top : Form().menuBar()->actions())
    if (top->menu()) menus.push_back(top->menu());
  menus.push_back(Form().findChild<QMenu*>(QStringLiteral("PopupMenu1")));
  while (!menus.empty()) {
    QMenu* menu = menus.back();
    menus.pop_back();
    for (QAction* action : menu->actions()) {
      // The recent files list fills itself; its entries are checked as they come.
      if (action->menu()) menus.push_back(action->menu());
      check(action);
    }
  }
  int buttons = 0;
  for (QAction* action : Form().findChild<QToolBar*>(QStringLiteral("tlbr1"))->actions()) {
    check(action);
    buttons += action->isSeparator() ? 0 : 1;
  }
  EXPECT_EQ(buttons, 14);
  // Every menu of the assembled program was walked, not an empty bar.
  EXPECT_GE(checked - buttons, 30);
  EXPECT_TRUE(dead.isEmpty()) << dead.join(QStringLiteral(", ")).toStdString();
}

struct TSettingCase {
  const char* name;
  const char* stored;  // nullptr: no value at all
  int dialogs;
};

class StartSettingTest : public AppTest, public ::testing::WithParamInterface<TSettingCase> {};

TEST_P(StartSettingTest, TheSettingDecidesWhetherTheTemplatesAreOffered) {
  if (GetParam().stored) {
    QSettings s(settingsPath, QSettings::IniFormat);
    s.setValue("Settings/ShowTempletsDialog", GetParam().stored);
  }
  StartApp();
  EXPECT_EQ(templatesShown, GetParam().dialogs);
}

INSTANTIATE_TEST_SUITE_P(Values, StartSettingTest,
                         ::testing::Values(TSettingCase{"Missing", nullptr, 1}, TSettingCase{"One", "1", 1},
                                           TSettingCase{"Zero", "0", 0}, TSettingCase{"NotANumber", "yes", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TCommandLineCase {
  const char* name;
  QStringList arguments;  // %1 stands for the project folder
  const char* file;       // the file that is opened
  const char* path;       // the current project path after start (%1 likewise)
};

class CommandLineTest : public AppFilesTest, public ::testing::WithParamInterface<TCommandLineCase> {};

TEST_P(CommandLineTest, OpensTheJoinedPathWithoutQuestionsOrTemplates) {
  WriteProject(GetParam().file, {"From the command line"});
  QStringList arguments;
  for (const QString& a : GetParam().arguments) arguments << QString(a).replace("%1", ProjectFolder());
  StartApp(arguments);
  EXPECT_EQ(Form().CurrentProjectPath(), QString::fromLatin1(GetParam().path).replace("%1", ProjectFolder()));
  EXPECT_EQ(Form().Agent().ItemCount(), 1);
  EXPECT_FALSE(Form().Modified());
  EXPECT_EQ(templatesShown, 0);
  EXPECT_TRUE(prompts.asked.isEmpty());
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + Form().CurrentProjectPath()});
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        TCommandLineCase{"OneArgument", {"%1plain.jslr"}, "plain.jslr", "%1plain.jslr"},
        TCommandLineCase{"QuotedPathWithBlanks", {"%1my news box.jslr"}, "my news box.jslr", "%1my news box.jslr"},
        TCommandLineCase{"UnquotedPathWithBlanks", {"%1my", "news", "box.jslr"}, "my news box.jslr",
                         "%1my news box.jslr"},
        TCommandLineCase{"SurroundingBlanksTrimmed", {" ", "%1trim.jslr", " "}, "trim.jslr", "%1trim.jslr"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFilesTest, TheCommandLineWinsOverTheSettingAndASavedQuestionIsNotAsked) {
  {
    QSettings s(settingsPath, QSettings::IniFormat);
    s.setValue("Settings/ShowTempletsDialog", 1);
  }
  StartApp({WriteProject("p.jslr", {"a"})});
  EXPECT_EQ(templatesShown, 0);
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(AppFilesTest, AMissingFileOnTheCommandLineLeavesTheDefaultProjectSilently) {
  StartApp({ProjectFolder() + "nowhere.jslr"});
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(prompts.asked.isEmpty());
  EXPECT_EQ(templatesShown, 0);
  EXPECT_EQ(Form().Agent().AppletData(), DefaultAppletData());
  EXPECT_TRUE(RecentLines().isEmpty());
}

TEST_F(AppFilesTest, ARecentFilesListThatCannotBeCreatedIsReportedAndTheWindowStillOpens) {
  ASSERT_TRUE(QDir(WorkingFolder()).mkdir("recentfile.dat"));
  onTemplates = [](TfrmTemplet&) {};
  StartApp();
  EXPECT_TRUE(Form().isVisible());
  ASSERT_FALSE(prompts.asked.isEmpty());
  EXPECT_EQ(prompts.asked[0].title, "JavaScript Lumeroll");
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
}

}  // namespace
