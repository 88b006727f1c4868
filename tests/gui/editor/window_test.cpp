// The window around the tree: menus and toolbar as built, View toggles, the
// Help menu's launches, the help and about windows, the status strip.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include "editor_fixture.h"
#include "output/product_info.h"
#include "platform/qt_prompts.h"
#include "help/about_window.h"
#include "help/help_window.h"

namespace {

QStringList MenuCaptions(const QMenu* menu) {
  QStringList captions;
  for (const QAction* action : menu->actions()) captions << (action->isSeparator() ? "-" : action->text());
  return captions;
}

void WriteFile(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

}  // namespace

using WindowTest = EditorTest;

TEST_F(WindowTest, MenusHoldEveryItemInOrder) {
  struct TCase {
    const char* menu;
    QStringList captions;
  } cases[] = {
      {"File1",
       {"&New...", "&Open...", "&Save", "Save &As...", "-", "&Templates", "Save As Te&mplate", "-",
        "&Import Menu Structure", "&Export Menu Structure", "Import News &Feed...", "-", "&Recent Files", "-", "E&xit"}},
      {"View1", {"&Tool Bar", "&Status Bar"}},
      {"Item1", {"I&nsert", "&Delete", "Move &Up", "Move Do&wn", "&Indent", "&Outdent"}},
      {"Applet1", {"&Preview", "Build &HTML...", "Pu&blish..."}},
      {"Option1", {"Web &Browser..."}},
      {"Help1", {"Help &Topics", "View &Sample...", "-", "&Homepage", "&Contact Us", "&About"}},
      {"PopupMenu1", {"I&nsert", "&Delete", "Move &Up", "Move Do&wn", "&Indent", "&Outdent"}},
  };
  for (const TCase& c : cases) {
    const QMenu* menu = form->findChild<QMenu*>(QString::fromLatin1(c.menu));
    ASSERT_NE(menu, nullptr) << c.menu;
    EXPECT_EQ(MenuCaptions(menu), c.captions) << c.menu;
    // Each mnemonic of a menu reaches one item only.
    QSet<QChar> keys;
    for (const QString& caption : c.captions) {
      const qsizetype at = caption.indexOf('&');
      if (at >= 0 && at + 1 < caption.size()) {
        EXPECT_FALSE(keys.contains(caption[at + 1].toLower())) << c.menu << " " << caption.toStdString();
        keys.insert(caption[at + 1].toLower());
      }
    }
  }
  QStringList topLevel;
  for (const QAction* action : form->menuBar()->actions()) topLevel << action->text();
  EXPECT_EQ(topLevel, (QStringList{"&File", "&Edit", "&View", "&Item", "&Script", "&Option", "&Help"}));
  EXPECT_EQ(Action("New1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
  EXPECT_EQ(Action("Open1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(Action("Save1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
  EXPECT_EQ(Action("Preview1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
  EXPECT_EQ(Action("Exit1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
}

// A command is one action wherever it shows, so its state and caption
// cannot drift apart between the menu, the context menu and the toolbar.
TEST_F(WindowTest, EachCommandIsOneActionInTheMenusAndOnTheToolbar) {
  const auto inMenu = [&](const char* menu, QAction* action) {
    return form->findChild<QMenu*>(QString::fromLatin1(menu))->actions().contains(action);
  };
  struct TCase {
    const char* action;
    const char* menu;
    const char* button;
    bool inPopup;
  } cases[] = {
      {"New1", "File1", "tlbtnNew", false},          {"Open1", "File1", "tlbtnOpen", false},
      {"Save1", "File1", "tlbtnSave", false},        {"Undo1", "Edit1", "tlbtnUndo", false},
      {"Redo1", "Edit1", "tlbtnRedo", false},        {"Insert1", "Item1", "tlbtnInsert", true},
      {"Delete1", "Item1", "tlbtnDelete", true},     {"MoveUp1", "Item1", "tlbtnMoveUp", true},
      {"MoveDown1", "Item1", "tlbtnMoveDown", true}, {"Indent1", "Item1", "tlbtnIndent", true},
      {"Outdent1", "Item1", "tlbtnOutdent", true},   {"BuildHTML1", "Applet1", "tlbtnBuildHTML", false},
      {"Preview1", "Applet1", "tlbtnPreview", false}, {"Topic1", "Help1", "tlbtnHelp", false},
  };
  for (const TCase& c : cases) {
    QAction* action = Action(c.action);
    ASSERT_NE(action, nullptr) << c.action;
    EXPECT_EQ(form->findChildren<QAction*>(QString::fromLatin1(c.action)).size(), 1) << c.action;
    EXPECT_TRUE(inMenu(c.menu, action)) << c.action;
    EXPECT_EQ(inMenu("PopupMenu1", action), c.inPopup) << c.action;
    EXPECT_EQ(Button(c.button)->defaultAction(), action) << c.button;
  }
  // The buttons follow the selection with their actions.
  LoadNested({{"A", 0}, {"B", 0}});
  Select("B");
  EXPECT_TRUE(Button("tlbtnIndent")->isEnabled());
  EXPECT_FALSE(Button("tlbtnOutdent")->isEnabled());
  EXPECT_EQ(Action("Indent1")->shortcut(), QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Right));
  EXPECT_EQ(Action("Outdent1")->shortcut(), QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Left));
}

TEST_F(WindowTest, ToolbarButtonsCarryTheirHintsAndImages) {
  const QStringList names = {"tlbtnNew",      "tlbtnOpen",   "tlbtnSave",      "tlbtnUndo",
                             "tlbtnRedo",     "tlbtnInsert", "tlbtnDelete",    "tlbtnMoveUp",
                             "tlbtnMoveDown", "tlbtnIndent", "tlbtnOutdent",   "tlbtnBuildHTML",
                             "tlbtnPreview",  "tlbtnHelp"};
  const QList<QToolButton*> buttons = form->findChild<QToolBar*>("tlbr1")->findChildren<QToolButton*>();
  QStringList found;
  for (const QToolButton* button : buttons) {
    if (names.contains(button->objectName())) {
      found << button->objectName();
      EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
      // Drawn at the device resolution, not scaled up from 16 pixels.
      EXPECT_EQ(button->icon().pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32)) << button->objectName().toStdString();
    }
  }
  EXPECT_EQ(found, names);
  EXPECT_EQ(form->findChild<QToolButton*>("tlbtnPreview")->toolTip(),
            QStringLiteral("preview the applet in web browser"));
}

TEST_F(WindowTest, ViewTogglesHideAndShowTheToolbarAndTheWholeStatusLine) {
  auto* toolbar = form->findChild<QToolBar*>("tlbr1");
  auto* hint = form->findChild<QLabel*>("stctxtHint");
  auto* bar = form->findChild<QProgressBar*>("prgrsbrMainFormBottom");
  QStatusBar* status = form->statusBar();
  form->show();
  EXPECT_TRUE(Action("ToolBar1")->isChecked());
  EXPECT_TRUE(Action("StatusBar2")->isChecked());

  Action("ToolBar1")->trigger();
  EXPECT_FALSE(toolbar->isVisible());
  EXPECT_FALSE(Action("ToolBar1")->isChecked());
  Action("StatusBar2")->trigger();
  EXPECT_FALSE(status->isVisible());
  EXPECT_TRUE(hint->isHidden());
  EXPECT_TRUE(bar->isHidden());
  EXPECT_FALSE(Action("StatusBar2")->isChecked());
  // Progress still runs while unseen.
  form->Begin("Working ... ...", 10);
  form->Advance(3);
  EXPECT_EQ(bar->value(), 3);
  form->End();

  Action("ToolBar1")->trigger();
  Action("StatusBar2")->trigger();
  EXPECT_TRUE(toolbar->isVisible());
  EXPECT_TRUE(status->isVisible());
  EXPECT_TRUE(hint->isVisible());
  EXPECT_TRUE(bar->isHidden()) << "no work runs";
  form->Begin("Working ... ...", 10);
  EXPECT_TRUE(bar->isVisible());
  form->End();
  EXPECT_TRUE(bar->isHidden());
  EXPECT_TRUE(Action("ToolBar1")->isChecked());
  EXPECT_TRUE(Action("StatusBar2")->isChecked());
}

TEST_F(WindowTest, ProgressShowsOnTheStatusStripAndRestoresIt) {
  auto* hint = form->findChild<QLabel*>("stctxtHint");
  auto* bar = form->findChild<QProgressBar*>("prgrsbrMainFormBottom");
  form->show();
  EXPECT_TRUE(bar->isHidden()) << "an empty bar at rest";
  form->Agent().progress().Begin("Making HTML Codes ... ...", 4);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(hint->text(), QStringLiteral("Making HTML Codes ... ..."));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  form->Agent().progress().Advance(2);
  form->Agent().progress().Advance(5);
  EXPECT_EQ(bar->value(), 4);
  form->Agent().progress().End();
  EXPECT_EQ(bar->value(), 0);
  EXPECT_TRUE(bar->isHidden());
  EXPECT_TRUE(hint->text().isEmpty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowTest, HintLineFollowsThePointerUnlessTheTreeIsRebuilt) {
  auto* hint = form->findChild<QLabel*>("stctxtHint");
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(form->findChild<QToolButton*>("tlbtnInsert"), &enter);
  EXPECT_EQ(hint->text(), QStringLiteral("Insert a new item"));
  QApplication::sendEvent(&form->DesignTree(), &enter);
  EXPECT_EQ(hint->text(), QStringLiteral("Add, remove or move items by right-clicking the mouse."));
  QApplication::sendEvent(&form->PageControl(), &enter);
  EXPECT_TRUE(hint->text().isEmpty());
  form->SetTreeRebuilding(true);
  QApplication::sendEvent(form->findChild<QToolButton*>("tlbtnHelp"), &enter);
  EXPECT_TRUE(hint->text().isEmpty());
  form->SetTreeRebuilding(false);
}

TEST_F(WindowTest, HelpMenuOpensItsPagesThroughTheLauncher) {
  const QString base = folder.path() + "/";
  struct TCase {
    const char* action;
    QString target;
  } cases[] = {
      {"Topic1", QUrl::fromLocalFile(base + "help/index.html").toString()},
      {"tlbtnHelp", QUrl::fromLocalFile(base + "help/index.html").toString()},
      {"ViewSample1", QUrl::fromLocalFile(base + "samples/index.html").toString()},
      {"Homepage1", QString::fromLatin1(kHomePageAddress)},
      {"ContactUs1", QString::fromLatin1(kSupportPageAddress)},
  };
  for (const TCase& c : cases) {
    launcher.launches.clear();
    // The toolbar's help button, or a menu item.
    if (QString::fromLatin1(c.action).startsWith(QStringLiteral("tlbtn")))
      Button(c.action)->click();
    else
      Action(c.action)->trigger();
    ASSERT_EQ(launcher.launches.size(), 1) << c.action;
    EXPECT_FALSE(launcher.launches[0].program);
    EXPECT_EQ(launcher.launches[0].target, c.target) << c.action;
  }
}

TEST_F(WindowTest, HelpWindowComesBackWithEachNewTopic) {
  WriteFile(folder.path() + "/help/first.htm", "<html><body><p>First topic</p></body></html>");
  WriteFile(folder.path() + "/help/second.htm", "<html><body><p>Second topic</p></body></html>");
  TfrmHelp help(launcher, form.get());
  form->SetHelpWindow(&help);
  EXPECT_FALSE(help.isVisible());
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Help"));
  EXPECT_EQ(help.size(), QSize(402, 428));

  form->ShowHelpTopic("first.htm");
  EXPECT_TRUE(help.isVisible());
  EXPECT_TRUE(help.Browser().toPlainText().contains("First topic"));
  help.close();
  EXPECT_FALSE(help.isVisible());
  form->ShowHelpTopic("second.htm");
  EXPECT_TRUE(help.isVisible());
  EXPECT_TRUE(help.Browser().toPlainText().contains("Second topic"));
  EXPECT_EQ(help.Browser().source(), QUrl::fromLocalFile(folder.path() + "/help/second.htm"));
}

TEST(HelpWindowAddressTest, ADriveWithABarBecomesADriveWithAColon) {
  const std::pair<const char*, const char*> cases[] = {
      {"file:///C|/Program Files/Lumeroll/help/a.htm", "file:///C:/Program Files/Lumeroll/help/a.htm"},
      {"file:///d|/caf%C3%A9/help/b.htm", "file:///d:/caf%C3%A9/help/b.htm"},
      {"file:///usr/share/javascript-lumeroll/help/c.htm", "file:///usr/share/javascript-lumeroll/help/c.htm"},
      {"file:///C:/help/d.htm", "file:///C:/help/d.htm"},
      {"file:///CD|/help/e.htm", "file:///CD|/help/e.htm"},
      {"https://example.org/C|/f.htm", "https://example.org/C|/f.htm"},
  };
  for (const auto& [given, loaded] : cases)
    EXPECT_EQ(HelpWindowAddress(QUrl(QString::fromUtf8(given))), QUrl(QString::fromUtf8(loaded))) << given;
}

TEST_F(WindowTest, AboutWindowLinksTurnRedUnderThePointerAndOpenTheirAddress) {
  TformAbout about(launcher, form.get());
  EXPECT_EQ(about.windowTitle(), QStringLiteral("JavaScript Lumeroll"));
  EXPECT_EQ(about.size(), QSize(313, 211));
  EXPECT_EQ(about.findChild<QLabel*>("lblProductName")->text(), QStringLiteral("JavaScript Lumeroll"));
  EXPECT_TRUE(about.findChild<QLabel*>("lblProductName")->font().bold());
  EXPECT_EQ(about.findChild<QLabel*>("lblProductVersion")->text(), QStringLiteral("Version 1.0"));
  QLabel& home = about.HomePageLink();
  QLabel& support = about.SupportLink();
  const QColor blue(0, 0, 255), red(255, 0, 0);
  EXPECT_EQ(home.palette().color(QPalette::WindowText), blue);
  EXPECT_EQ(home.cursor().shape(), Qt::PointingHandCursor);

  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(&home, &enter);
  EXPECT_EQ(home.palette().color(QPalette::WindowText), red);
  EXPECT_EQ(support.palette().color(QPalette::WindowText), blue);
  QTest::mouseMove(&about, QPoint(5, 200));
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 200), QPointF(5, 200), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&about, &move);
  EXPECT_EQ(home.palette().color(QPalette::WindowText), blue);

  QTest::mouseClick(&support, Qt::LeftButton);
  ASSERT_EQ(launcher.launches.size(), 1);
  EXPECT_EQ(launcher.launches[0].target, QString::fromLatin1(kSupportPageAddress));
}

TEST_F(WindowTest, ExitClosesTheWindowAndUnconnectedCommandsStayDisabled) {
  for (const char* name : {"New1", "Open1", "Save2", "Templet1", "SaveAsTemplate1", "ImportMenuStructure1",
                           "ExportMenuStructure1", "ImportNewsFeed1", "mnitRecentFiles", "Preview1", "BuildHTML1", "Publish1",
                           "WebBrowser1"}) {
    EXPECT_FALSE(Action(name)->isEnabled()) << name;
  }
  for (const char* name : {"tlbtnNew", "tlbtnOpen", "tlbtnBuildHTML", "tlbtnPreview"})
    EXPECT_FALSE(Button(name)->isEnabled()) << name;
  form->show();
  Action("Exit1")->trigger();
  EXPECT_FALSE(form->isVisible());
}

// Messages quote levels, captions and paths: markup in them is shown as text.
TEST(QtPromptsTest, MessageBoxesShowPlainText) {
  const QString text = QStringLiteral("'<b>x</b><a href=\"http://example.com\">y</a>' is not a valid integer value");
  Qt::TextFormat format = Qt::AutoText;
  QString shown;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        format = box->textFormat();
        shown = box->text();
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->buttons().front()->click();
      }
    }
  });
  TQtPrompts prompts;
  prompts.Tell(nullptr, TMessageKind::Error, text);
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_EQ(shown, text);
}

TEST(QtPromptsTest, FiltersBecomeQtFilters) {
  struct TCase {
    const char* given;
    const char* expected;
  } cases[] = {
      {"Project Files|*.jslr", "Project Files (*.jslr)"},
      {"Project Files (*.jslr)|*.jslr|All Files (*.*)|*.*", "Project Files (*.jslr);;All Files (*.*)"},
      {"Pages|*.htm;*.html|Any|*", "Pages (*.htm *.html);;Any (*)"},
      // The link browse filter: patterns in the brackets separated by ";".
      {"HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*", "HTML files (*.htm *.html);;Any file (*.*)"},
      {"", ""},
      {"Dangling description", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(TQtPrompts::QtFilter(c.given), QString::fromLatin1(c.expected)) << c.given;
  EXPECT_EQ(TQtPrompts::KindTitle(TMessageKind::Confirm), QStringLiteral("Confirm"));
  EXPECT_EQ(TQtPrompts::KindTitle(TMessageKind::Error), QStringLiteral("Error"));
}
