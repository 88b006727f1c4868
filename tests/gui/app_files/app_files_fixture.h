#pragma once
// The whole program with helpers for the file command tests: project files
// written by a separate agent, a snapshot of everything a failed command must
// leave alone, and shortcuts to edit the project the way a user does.

#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <string>
#include <vector>

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "support/app_fixture.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// What a command that changes nothing must leave as it was.
struct TEditorState {
  TAppletData applet;
  TItemArray items;
  std::vector<QString> nodes;  // captions in pre-order, the root first
  QString path;
  bool modified = false;

  bool operator==(const TEditorState&) const = default;
};

class AppFilesTest : public AppTest {
 protected:
  // A project file holding items with these captions (all at level 0) and a
  // recognisable width.
  QString WriteProject(const QString& name, const std::vector<std::string>& captions, const char* width = "321") {
    TkvdAppletAgent agent;
    TAppletData applet = DefaultAppletData();
    applet.pWidth = width;
    TItemArray items;
    for (const std::string& c : captions) {
      TItemData item = DefaultItemData();
      item.ICaption = c;
      item.ILevel = "0";
      items.push_back(item);
    }
    agent.ReplaceProject(applet, items, "");
    const QString path = ProjectFolder() + name;
    EXPECT_TRUE(agent.SaveProject(Local(path)).ok) << path.toStdString();
    return path;
  }

  TEditorState State() {
    TEditorState s{Form().Agent().AppletData(), Form().Agent().Items(), {}, Form().CurrentProjectPath(),
                   Form().Modified()};
    for (const QString& caption : AllCaptions()) s.nodes.push_back(caption);
    return s;
  }

  // Inserts an item below the selection, selects its node and types its
  // caption and content into the Item page.
  void InsertItem(const QString& caption, const QString& content = QString()) {
    // The new node becomes the selected node's last child.
    const int selected = Form().SelectedEntry();
    const int entry = selected < 0 ? Model().EntryCount() : selected + Model().BlockSize(selected);
    Form().Insert1Click();
    Tree().setCurrentIndex(Model().IndexOfEntry(entry));
    auto* captionField = Form().findChild<QLineEdit*>(QStringLiteral("edtICaption"));
    auto* contentField = Form().findChild<QPlainTextEdit*>(QStringLiteral("rchedtIContent"));
    ASSERT_TRUE(captionField && contentField);
    captionField->selectAll();
    QTest::keyClicks(captionField, caption);
    if (!content.isEmpty()) {
      contentField->selectAll();
      QTest::keyClicks(contentField, content);
    }
  }

  bool SaveEnabled() {
    const bool menu = Action("Save1")->isEnabled();
    EXPECT_EQ(menu, Button("tlbtnSave")->isEnabled());
    return menu;
  }

  // The recent files list as stored, line by line.
  QStringList RecentLines() {
    QString text = QString::fromLocal8Bit(ReadAll(WorkingFolder() + "recentfile.dat"));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
  }
  QStringList RecentCaptions() {
    QStringList captions;
    for (QAction* a : Form().findChild<QMenu*>(QStringLiteral("mnitRecentFiles"))->actions()) captions << a->text();
    return captions;
  }

  // Puts a file into the preview folder as Preview does.
  void FillPreview() {
    Output().Preview1Click();
    ASSERT_TRUE(QFileInfo::exists(PreviewFolder() + "~preview.html"));
  }
  bool PreviewExists() { return QFileInfo::exists(PreviewFolder()); }

  static QString NamePart(const QString& path) { return QFileInfo(path).fileName(); }
};
