// Unsaved work survives a killed editor: a child editor process is killed
// after an edit, and the next start offers its recovery copy. Also a normal
// end, two editors at once, Discard, and copies that cannot be read.

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QUndoStack>

#include "app/recovery_keeper.h"
#include "app_files_fixture.h"
#include "model/project_file.h"
#include "platform/recovery_store.h"

namespace {

class RecoveryTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    project = WriteProject("news.jslr", {"one", "two"});
    original = ReadAll(project);
  }
  void TearDown() override {
    for (QProcess* child : children) {
      child->kill();
      child->waitForFinished();
      delete child;
    }
    AppFilesTest::TearDown();
  }

  // Starts an editor process on the test's folders and project and waits
  // until it has made its edit.
  QProcess* StartChild(const char* mode, const QString& expected) {
    auto* child = new QProcess;
    children.push_back(child);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The user's own data and settings folders stay out of reach.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
      environment.insert(QString::fromLatin1(name), temp.filePath("data"));
    child->setProcessEnvironment(environment);
    child->start(QStringLiteral(LUMEROLL_EDITOR_CHILD), {WorkingFolder(), ResourceFolder(), recoveryFolder,
                                                          settingsPath, project, expected, mode});
    EXPECT_TRUE(child->waitForStarted(10000));
    EXPECT_TRUE(WaitForLine(*child, "edited"));
    return child;
  }
  static bool WaitForLine(QProcess& child, const QByteArray& line) {
    QByteArray seen;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 15000) {
      if (child.canReadLine()) {
        seen = child.readLine().trimmed();
        if (seen == line) return true;
      } else if (!child.waitForReadyRead(500) && child.state() == QProcess::NotRunning) {
        return false;
      }
    }
    return false;
  }
  QStringList Kept(const QString& pattern) {
    return QDir(recoveryFolder).entryList({pattern}, QDir::Files, QDir::Name);
  }
  // Waits for the number of copies in the recovery folder; milliseconds taken.
  qint64 WaitForCopies(int count, int withinMs = 8000) {
    QElapsedTimer clock;
    clock.start();
    while (Kept("*.recovery").size() != count && clock.elapsed() < withinMs) QTest::qWait(50);
    return clock.elapsed();
  }
  static void Kill(QProcess& child) {
    child.kill();  // SIGKILL: nothing of the editor runs after this
    ASSERT_TRUE(child.waitForFinished(10000));
  }
  QByteArray ProjectBytes() {
    NullProgress quiet;
    return QByteArray::fromStdString(WriteProjectText(Form().Agent().AppletData(), Form().Agent().Items(), quiet));
  }
  // A copy put in place as an editor that died would leave it.
  void LeaveCopy(const QString& id, const QByteArray& bytes) {
    QDir().mkpath(recoveryFolder);
    QFile file(QDir(recoveryFolder).filePath(id + ".recovery"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QString project;
  QByteArray original;
  std::vector<QProcess*> children;
};

TEST_F(RecoveryTest, AKilledEditorsEditIsOfferedAtTheNextStartAndRecoveredByteForByte) {
  const QString expected = temp.filePath("expected.jslr");
  QProcess* child = StartChild("kill", expected);
  // Kept within about five seconds of the edit, off the typing path.
  EXPECT_LT(WaitForCopies(1), 7000);
  Kill(*child);
  ASSERT_EQ(Kept("*.recovery").size(), 1);
  EXPECT_EQ(ReadAll(project), original);

  prompts.answers = {TAnswer::Recover};
  StartApp();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].text.startsWith("Recover unsaved changes to news.jslr from "))
      << prompts.asked[0].text.toStdString();
  EXPECT_TRUE(prompts.asked[0].text.endsWith("?"));
  EXPECT_EQ(prompts.asked[0].buttons, TButtons::RecoverDiscard);
  EXPECT_EQ(templatesShown, 0);
  EXPECT_EQ(ProjectBytes(), ReadAll(expected));
  EXPECT_NE(ProjectBytes(), original);
  EXPECT_EQ(Form().CurrentProjectPath(), project);
  EXPECT_TRUE(Form().Modified());
  EXPECT_TRUE(Form().isWindowModified());
  EXPECT_EQ(Form().windowTitle(), "news.jslr[*] - JavaScript Lumeroll");
  EXPECT_EQ(ReadAll(project), original);

  // Saved, the copy goes; saved bytes are the recovered ones.
  ASSERT_TRUE(Files().Save1Click());
  app->Recovery()->Flush();
  EXPECT_EQ(Kept("*.recovery"), QStringList());
  EXPECT_EQ(ReadAll(project), ReadAll(expected));
  // Nothing is offered to the start after that.
  app.reset();
  prompts.asked.clear();
  StartApp();
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(RecoveryTest, ANormalEndLeavesNoCopy) {
  QProcess* child = StartChild("exit", temp.filePath("expected.jslr"));
  ASSERT_TRUE(WaitForLine(*child, "kept"));
  ASSERT_TRUE(child->waitForFinished(10000));
  EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child->exitCode(), 0);
  EXPECT_EQ(QDir(recoveryFolder).entryList(QDir::Files), QStringList());
}

// About ten seconds: each editor's copy comes after its five-second delay.
TEST_F(RecoveryTest, TwoEditorsAtOnceNeverOfferEachOthersCopy) {
  QProcess* other = StartChild("kill", temp.filePath("expected.jslr"));
  ASSERT_LT(WaitForCopies(1), 7000);
  StartApp();  // the other editor is running: nothing to offer
  EXPECT_TRUE(prompts.asked.isEmpty());
  Tree().setCurrentIndex(RootNode());
  Form().Insert1Click();
  // Each keeps a copy of its own.
  EXPECT_LT(WaitForCopies(2), 7000);
  app.reset();  // a normal end takes only this editor's copy
  EXPECT_EQ(Kept("*.recovery").size(), 1);

  Kill(*other);
  prompts.answers = {TAnswer::Discard};
  StartApp();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(Form().Agent().ItemCount(), 0);
  EXPECT_FALSE(Form().Modified());
  EXPECT_EQ(Kept("*.recovery"), QStringList());
}

TEST_F(RecoveryTest, AnUntitledCopyIsRecoveredUntitled) {
  TkvdAppletAgent agent;
  std::vector<int> parents;
  ASSERT_TRUE(agent.LoadProject(Local(project), parents).ok);
  NullProgress quiet;
  const QByteArray bytes = QByteArray::fromStdString(WriteProjectText(agent.AppletData(), agent.Items(), quiet));
  LeaveCopy("dead", TRecoveryStore::Encode(QString(), QDateTime::currentDateTimeUtc(), bytes));
  prompts.answers = {TAnswer::Recover};
  StartApp();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].text.startsWith("Recover unsaved changes to Untitled from "));
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_TRUE(Form().Modified());
  EXPECT_EQ(ProjectBytes(), bytes);
  EXPECT_EQ(Form().windowTitle(), "Untitled[*] - JavaScript Lumeroll");
}

// A copy that is not whole, or whose project the editor cannot open, is
// reported and kept aside; the editor keeps its own project.
TEST_F(RecoveryTest, ADamagedCopyIsReportedAndKeptAsideNeverHalfLoaded) {
  NullProgress quiet;
  TkvdAppletAgent agent;
  std::vector<int> parents;
  ASSERT_TRUE(agent.LoadProject(Local(project), parents).ok);
  const QByteArray good = QByteArray::fromStdString(WriteProjectText(agent.AppletData(), agent.Items(), quiet));
  const QByteArray whole = TRecoveryStore::Encode(project, QDateTime::currentDateTimeUtc(), good);
  QByteArray flipped = whole;
  flipped[flipped.size() - 10] = static_cast<char>(flipped[flipped.size() - 10] ^ 1);
  struct TCase {
    const char* name;
    QByteArray bytes;
    bool offered;  // the copy itself reads, its project does not
    const char* message;
  };
  const TCase cases[] = {
      {"truncated", whole.left(whole.size() - 7), false, "cannot be read: it is incomplete"},
      {"cut in the header", whole.left(40), false, "cannot be read: it is incomplete"},
      {"a byte changed", flipped, false, "cannot be read: its content is damaged"},
      {"another file", "<Warning_Info>\r\nNote: not a copy\r\n\r\n", false, "not a recovery copy"},
      {"not a project", TRecoveryStore::Encode(project, QDateTime::currentDateTimeUtc(), "garbage\r\n"), true,
       "cannot be opened"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(recoveryFolder).removeRecursively();
    LeaveCopy("dead", c.bytes);
    prompts.asked.clear();
    if (c.offered) prompts.answers = {TAnswer::Recover};
    StartApp();
    ASSERT_EQ(prompts.asked.size(), c.offered ? 2 : 1);
    const auto& told = prompts.asked.back();
    EXPECT_FALSE(told.question);
    EXPECT_TRUE(told.text.contains(c.message)) << told.text.toStdString();
    EXPECT_EQ(Kept("*.recovery"), QStringList());
    EXPECT_EQ(Kept("*.damaged"), QStringList{"dead.damaged"});
    EXPECT_EQ(ReadAll(QDir(recoveryFolder).filePath("dead.damaged")), c.bytes);
    EXPECT_EQ(Form().Agent().ItemCount(), 0);
    EXPECT_FALSE(Form().Modified());
    app.reset();
  }
}

}  // namespace
