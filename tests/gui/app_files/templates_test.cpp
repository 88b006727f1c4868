// The templates dialog: its list, OK, double-click, Cancel and the check box
// that decides whether it is offered at start.

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>

#include "app_files_fixture.h"

namespace {

class TemplatesTest : public AppFilesTest {
 protected:
  // Runs the templates dialog from the File menu; `act` works it.
  void WithDialog(const std::function<void(TfrmTemplet&)>& act) {
    onTemplates = [act](TfrmTemplet& dialog) {
      dialog.show();
      act(dialog);
    };
    Action("Templet1")->trigger();
  }
  static QListWidget* List(TfrmTemplet& d) { return d.findChild<QListWidget*>(QStringLiteral("TempletList")); }
  static QCheckBox* Box(TfrmTemplet& d) { return d.findChild<QCheckBox*>(QStringLiteral("chckbxDontShow")); }
  static void Click(TfrmTemplet& d, const char* button) {
    d.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }
  QVariant Stored() {
    QSettings s(settingsPath, QSettings::IniFormat);
    return s.value(QStringLiteral("Settings/ShowTempletsDialog"));
  }
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
  }
};

TEST_F(TemplatesTest, ListsTheTemplatesFolderByFileName) {
  QFile(WorkingFolder() + "templates/notes.txt").open(QIODevice::WriteOnly);
  WithDialog([](TfrmTemplet& d) {
    EXPECT_EQ(d.windowTitle(), "Template");
    EXPECT_EQ(List(d)->count(), 3);
    for (int i = 0; i < List(d)->count(); ++i) EXPECT_TRUE(List(d)->item(i)->text().endsWith(".jslr"));
    EXPECT_FALSE(Box(d)->isChecked());
  });
}

TEST_F(TemplatesTest, OkWithNothingSelectedOpensNothing) {
  Form().Insert1Click();
  const TEditorState before = State();
  bool closed = false;
  WithDialog([&](TfrmTemplet& d) {
    List(d)->clearSelection();
    Click(d, "btnOK");
    closed = !d.isVisible();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(TemplatesTest, OkOpensTheSelectedTemplateAsTheProjectItself) {
  QString chosen;
  WithDialog([&](TfrmTemplet& d) {
    List(d)->setCurrentRow(1);
    chosen = WorkingFolder() + "templates/" + List(d)->item(1)->text();
    Click(d, "btnOK");
  });
  EXPECT_EQ(QDir::cleanPath(Form().CurrentProjectPath()), QDir::cleanPath(chosen));
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + Form().CurrentProjectPath()});
  EXPECT_GT(Form().Agent().ItemCount(), 0);
  EXPECT_FALSE(Form().Modified());

  // A later Save writes into the template.
  const QByteArray before = ReadAll(chosen);
  Form().Insert1Click();
  Files().Save1Click();
  EXPECT_NE(ReadAll(chosen), before);
  EXPECT_TRUE(prompts.fileDialogs.isEmpty());
}

TEST_F(TemplatesTest, DoubleClickOpensLikeOk) {
  WithDialog([&](TfrmTemplet& d) {
    QListWidgetItem* item = List(d)->item(0);
    List(d)->setCurrentItem(item);
    emit List(d)->itemDoubleClicked(item);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_FALSE(Form().CurrentProjectPath().isEmpty());
}

TEST_F(TemplatesTest, CancelStartsANewProject) {
  ASSERT_TRUE(Files().OpenProjectFile(WriteProject("p.jslr", {"x"})));
  WithDialog([](TfrmTemplet& d) { Click(d, "btnCancel"); });
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_EQ(Form().Agent().ItemCount(), 0);
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(TemplatesTest, CancelOnAModifiedProjectAsksAndCancelThereKeepsTheProject) {
  ASSERT_TRUE(Files().OpenProjectFile(WriteProject("p.jslr", {"x"})));
  Form().Insert1Click();
  const TEditorState before = State();
  prompts.answers = {TAnswer::Cancel};
  bool closed = false;
  WithDialog([&](TfrmTemplet& d) {
    Click(d, "btnCancel");
    closed = !d.isVisible();
  });
  EXPECT_EQ(prompts.Texts(), QStringList{"Save changes to files?"});
  EXPECT_TRUE(closed);
  EXPECT_EQ(State(), before);
}

TEST_F(TemplatesTest, EscapeIsCancel) {
  Form().Insert1Click();
  prompts.answers = {TAnswer::No};
  WithDialog([](TfrmTemplet& d) { QTest::keyClick(&d, Qt::Key_Escape); });
  EXPECT_EQ(Form().Agent().ItemCount(), 0);
}

TEST_F(TemplatesTest, TheCheckBoxWritesTheSettingAtOnce) {
  EXPECT_FALSE(Stored().isValid());
  WithDialog([&](TfrmTemplet& d) {
    Box(d)->click();
    EXPECT_EQ(Stored().toInt(), 0);
    EXPECT_TRUE(Stored().isValid());
    Box(d)->click();
    EXPECT_EQ(Stored().toInt(), 1);
    Box(d)->click();
    Click(d, "btnOK");
  });
  EXPECT_EQ(Stored().toInt(), 0);
  // Shown again, the box comes up ticked.
  WithDialog([](TfrmTemplet& d) {
    EXPECT_TRUE(Box(d)->isChecked());
    Click(d, "btnOK");
  });
}

TEST_F(TemplatesTest, AMissingTemplatesFolderIsCreated) {
  ASSERT_TRUE(QDir(WorkingFolder() + "templates").removeRecursively());
  WithDialog([](TfrmTemplet& d) { EXPECT_EQ(List(d)->count(), 0); });
  EXPECT_TRUE(QFileInfo(WorkingFolder() + "templates").isDir());
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(TemplatesTest, ATemplatesFolderThatCannotBeCreatedIsReportedAndTheDialogStillOpens) {
  ASSERT_TRUE(QDir(WorkingFolder() + "templates").removeRecursively());
  QFile blocker(WorkingFolder() + "templates");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  bool shown = false;
  WithDialog([&](TfrmTemplet& d) { shown = d.isVisible(); });
  EXPECT_TRUE(shown);
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].text.startsWith("Cannot create ")) << prompts.asked[0].text.toStdString();
  EXPECT_EQ(prompts.asked[0].title, "JavaScript Lumeroll");
}

}  // namespace
