// The live preview docked in the whole editor, in the real web view: what
// the pane's page shows after edits, selection, errors and clicks, and what
// it leaves alone (files, the idle machine). One editor for all tests.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <QWebEngineView>

#include "document/document.h"
#include "editor/design_tree_model.h"
#include "editor/edit_commands.h"
#include "editor/main_form.h"
#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "preview/live_preview_pane.h"
#include "preview/preview_call.h"
#include "preview/preview_scheme.h"
#include "preview/preview_web_page.h"
#include "app/live_preview_dock.h"
#include "app/startup.h"
#include "support/scripted_prompts.h"

namespace {

constexpr int kWaitMs = 20000;

// The editor on a four-item project in temporary folders, with the pane.
struct TWorld {
  QTemporaryDir temp;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  std::unique_ptr<TLumerollApplication> app;
  QStringList filesAtStart;

  QString Folder(const char* name) const { return temp.filePath(QString::fromLatin1(name)) + "/"; }
  QString RuntimePath() const { return Folder("resources") + "orvantalumeroll.js"; }

  // Every file under the temporary folder but the settings file.
  QStringList Files() const {
    QStringList files;
    QDirIterator it(temp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      if (!path.endsWith("settings.ini")) files << path;
    }
    files.sort();
    return files;
  }

  // paneShown false: the settings say the user had hidden the pane.
  void Start(bool paneShown = true) {
    QDir root(temp.path());
    for (const char* sub : {"resources", "working", "projects"}) root.mkpath(QString::fromLatin1(sub));
    const QString built = QCoreApplication::applicationDirPath();
    QFile::copy(built + "/orvantalumeroll.js", RuntimePath());
    const QString project = Folder("projects") + "news.jslr";
    QFile::copy(built + "/templates/Dark Ticker.jslr", project);
    const QString settings = temp.filePath("settings.ini");
    if (!paneShown) QSettings(settings, QSettings::IniFormat).setValue("Settings/ShowLivePreview", 0);
    TStartupServices services{prompts,
                              launcher,
                              AppFolders{Folder("resources").toStdString(), Folder("working").toStdString()},
                              [settings] { return std::make_unique<QSettings>(settings, QSettings::IniFormat); },
                              TDetectionEnvironment{temp.filePath("bin"), temp.path(), temp.filePath("data"),
                                                    temp.filePath("data")},
                              {},
                              [](TfrmTemplet&) {},
                              /*livePreview=*/true};
    app = std::make_unique<TLumerollApplication>(std::move(services));
    app->MainForm().resize(1200, 700);
    app->Start({project});
    // What the editor itself writes at start (the recent files) is not the
    // pane's doing.
    filesAtStart = Files();
  }
};

TWorld* world = nullptr;

// Qt WebEngine's helper processes below this one (renderers and the
// processes they are forked from), found by walking /proc.
int WebEngineProcessCount() {
  QHash<qint64, qint64> parentOf;
  QHash<qint64, QString> nameOf;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool number = false;
    const qint64 pid = entry.toLongLong(&number);
    if (!number) continue;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    // pid (name) state ppid ...; the name may hold spaces and parentheses.
    const QByteArray line = stat.readAll();
    const int open = line.indexOf('('), close = line.lastIndexOf(')');
    if (open < 0 || close < open) continue;
    nameOf[pid] = QString::fromUtf8(line.mid(open + 1, close - open - 1));
    const QList<QByteArray> rest = line.mid(close + 2).split(' ');
    if (rest.size() > 1) parentOf[pid] = rest[1].toLongLong();
  }
  int count = 0;
  for (auto it = nameOf.cbegin(); it != nameOf.cend(); ++it) {
    if (!it.value().startsWith(QStringLiteral("QtWebEngine"))) continue;
    // Walk up to this process: a descendant, not another program's helper.
    for (qint64 up = parentOf.value(it.key()), steps = 0; up > 1 && steps < 64; up = parentOf.value(up), ++steps) {
      if (up == QCoreApplication::applicationPid()) {
        ++count;
        break;
      }
    }
  }
  return count;
}

}  // namespace

// An editor of its own, started with the pane hidden. It comes first in this
// program, before any web view has started Chromium in the process.
TEST(LivePreviewWhileHidden, NoWebEngineUntilShownAndNoneAgainAfterHiding) {
  ASSERT_EQ(WebEngineProcessCount(), 0) << "another test started Qt WebEngine first";
  TWorld hidden;
  hidden.Start(/*paneShown=*/false);
  TLivePreviewDock& dock = *hidden.app->LivePreview();
  TLivePreviewPane& pane = dock.Pane();
  pane.SetReleaseDelay(300);
  QTest::qWait(1500);  // time for anything started at launch to appear
  EXPECT_FALSE(dock.Dock().isVisible());
  EXPECT_FALSE(pane.HasView());
  EXPECT_EQ(WebEngineProcessCount(), 0);

  auto shownText = [&] {
    QVariant text;
    bool done = false;
    pane.Page().runJavaScript("var a=document.querySelector('#stage .lumeroll-item a');a?a.textContent:''",
                              [&](const QVariant& v) { text = v, done = true; });
    if (!QTest::qWaitFor([&] { return done; }, kWaitMs)) ADD_FAILURE() << "the page did not answer";
    return text.toString();
  };
  dock.ToggleAction().trigger();
  ASSERT_TRUE(pane.HasView());
  EXPECT_TRUE(QTest::qWaitFor([&] { return pane.Idle() && shownText() == QStringLiteral("Breaking"); }, kWaitMs));
  EXPECT_GT(WebEngineProcessCount(), 0);

  dock.ToggleAction().trigger();
  // An edit while hidden shows once the pane is back.
  hidden.app->MainForm().SelectEntry(0);
  QLineEdit* caption = hidden.app->MainForm().findChild<QLineEdit*>("edtICaption");
  ASSERT_NE(caption, nullptr);
  caption->setText(QStringLiteral("Edited while hidden"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !pane.HasView(); }, kWaitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return WebEngineProcessCount() == 0; }, kWaitMs))
      << WebEngineProcessCount() << " still running";

  dock.ToggleAction().trigger();
  ASSERT_TRUE(pane.HasView());
  EXPECT_TRUE(QTest::qWaitFor([&] { return pane.Idle() && shownText() == caption->text(); }, kWaitMs))
      << shownText().toStdString();
  EXPECT_EQ(pane.SelectedItem(), 0);
}

class LivePreview : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    world = new TWorld;
    world->Start();
  }
  static void TearDownTestSuite() {
    delete world;
    world = nullptr;
  }

  TMainForm& Form() { return world->app->MainForm(); }
  TLivePreviewDock& Dock() { return *world->app->LivePreview(); }
  TLivePreviewPane& Pane() { return Dock().Pane(); }
  template <class T>
  T* Find(const char* name) {
    return Form().findChild<T*>(QString::fromLatin1(name));
  }

  QVariant Eval(const QString& script) {
    QVariant result;
    bool done = false;
    Pane().Page().runJavaScript(script, [&](const QVariant& v) {
      result = v;
      done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kWaitMs)) ADD_FAILURE() << "no answer to " << script.toStdString();
    return result;
  }
  // Waits until the pane has shown the latest change, then for the page to
  // agree with `expected`.
  bool WaitForPage(const QString& script, const QVariant& expected) {
    QVariant last;
    const bool ok = QTest::qWaitFor(
        [&] {
          if (!Pane().Idle()) return false;
          last = Eval(script);
          return last == expected;
        },
        kWaitMs);
    if (!ok) ADD_FAILURE() << script.toStdString() << " gave " << last.toString().toStdString();
    return ok;
  }
  // How many times the page has built the box.
  int Builds() { return Eval("lumerollPreview.builds()").toInt(); }
  bool WaitShown(const QString& text) {
    const bool ok = QTest::qWaitFor([&] { return Pane().Idle() && ShownText() == text; }, kWaitMs);
    if (!ok) ADD_FAILURE() << "shows " << ShownText().toStdString() << ", not " << text.toStdString();
    return ok;
  }
  QString ShownText() {
    return Eval("(function(){var s=[].filter.call(document.querySelectorAll('#stage .lumeroll-item'),"
                "function(e){return getComputedStyle(e).visibility==='visible';});"
                "return s.length===1?s[0].querySelector('a').textContent:'shown '+s.length;})()")
        .toString();
  }
  // The size the designer set: the runtime counts border and padding in the
  // box's own width and height, so they come off again here.
  QString ContentSizeScript(const char* side) {
    const bool across = QByteArray(side) == "width";
    return QStringLiteral(
               "(function(){var s=getComputedStyle(document.querySelector('#stage .lumeroll-box'));"
               "return String(Math.round(parseFloat(s.%1)-parseFloat(s.%2)-parseFloat(s.%3)"
               "-parseFloat(s.%4)-parseFloat(s.%5)));})()")
        .arg(QString::fromLatin1(side),
             QString::fromLatin1(across ? "borderLeftWidth" : "borderTopWidth"),
             QString::fromLatin1(across ? "borderRightWidth" : "borderBottomWidth"),
             QString::fromLatin1(across ? "paddingLeft" : "paddingTop"),
             QString::fromLatin1(across ? "paddingRight" : "paddingBottom"));
  }
  QString BoxStyle(const char* property) {
    return Eval(QStringLiteral("getComputedStyle(document.querySelector('#stage .lumeroll-box')).%1")
                    .arg(QString::fromLatin1(property)))
        .toString();
  }
  // The entry of the tree's current node, -1 for the root.
  int TreeEntry() { return Form().TreeModel().EntryOf(Form().DesignTree().currentIndex()); }
  QString CaptionOf(int entry) { return QString::fromStdString(Form().Agent().Items().at(entry).ICaption); }
  // The pane holds the tree's item and shows it (or runs, for the root).
  void ExpectInStepWithTheTree() {
    const int entry = TreeEntry();
    EXPECT_EQ(Pane().SelectedItem(), entry);
    if (entry < 0) return;
    const QString caption = CaptionOf(entry);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pane().Idle() && ShownText() == caption; }, kWaitMs))
        << "shows " << ShownText().toStdString() << ", the tree has " << caption.toStdString();
  }
  void TreeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&Form().DesignTree(), key, modifiers);
  }
  // Selects the tree node of entry `index`, -1 for the root.
  void SelectEntry(int index) { Form().SelectEntry(index); }
  void SetNumber(const char* name, int value) {
    TNumberField* field = Find<TNumberField>(name);
    ASSERT_NE(field, nullptr) << name;
    field->setValue(value);
  }
};

TEST_F(LivePreview, ShownAtFirstStartWithTheProjectsBoxAndAViewMenuEntry) {
  EXPECT_TRUE(Dock().Dock().isVisible());
  QAction& toggle = Dock().ToggleAction();
  EXPECT_EQ(toggle.text(), QStringLiteral("&Live Preview"));
  EXPECT_EQ(toggle.shortcut(), QKeySequence(Qt::Key_F8));
  EXPECT_TRUE(Find<QMenu>("View1")->actions().contains(&toggle));
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-box .lumeroll-item').length", 4));
  EXPECT_TRUE(IsPreviewUrl(Pane().Page().url()));
}

TEST_F(LivePreview, TypingACaptionShowsItInThePage) {
  SelectEntry(0);
  QLineEdit* caption = Find<QLineEdit>("edtICaption");
  ASSERT_NE(caption, nullptr);
  caption->setFocus();
  caption->end(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Pane().Idle(); }, kWaitMs));
  const int generations = Pane().GenerationCount();
  const int patches = Pane().PatchCount();
  QTest::keyClicks(caption, " now");
  EXPECT_TRUE(WaitForPage("document.querySelector('#stage .lumeroll-item a').textContent",
                          QStringLiteral("Breaking now")));
  // Four keys typed in one turn of the event loop are one patch, and the
  // box is not generated again.
  EXPECT_EQ(Pane().PatchCount(), patches + 1);
  EXPECT_EQ(Pane().GenerationCount(), generations);
  // Typing stays in the editor: the update does not take the focus away.
  EXPECT_FALSE(Pane().View().hasFocus());
}

// A key after a pause starts an update on the next turn of the event loop,
// with no wait; keys that follow while it is on its way go in one more.
TEST_F(LivePreview, TheFirstChangeAfterAPauseGoesAtOnceAndTheRestAreCombined) {
  SelectEntry(0);
  QLineEdit* caption = Find<QLineEdit>("edtICaption");
  ASSERT_NE(caption, nullptr);
  caption->setFocus();
  caption->end(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Pane().Idle(); }, kWaitMs));
  QTest::qWait(TLivePreviewPane::kMaxCombineMs);  // a pause longer than any combining wait
  const int generations = Pane().GenerationCount();
  const int patches = Pane().PatchCount();
  QTest::keyClick(caption, Qt::Key_Exclam);
  QCoreApplication::processEvents();
  EXPECT_EQ(Pane().PatchCount(), patches + 1);
  for (const char c : {'a', 'b', 'c'}) QTest::keyClick(caption, c);
  EXPECT_TRUE(WaitForPage("document.querySelector('#stage .lumeroll-item a').textContent", caption->text()));
  EXPECT_EQ(Pane().PatchCount(), patches + 2);
  EXPECT_EQ(Pane().GenerationCount(), generations);
}

// A title typed into one item replaces that item in the page and nothing
// else: the box is not built again, and the item keeps its place, its
// position in the list's labels, and stays shown and held.
TEST_F(LivePreview, AnItemEditPatchesThatItemAndKeepsItHeld) {
  SelectEntry(2);
  const QString before = CaptionOf(2);
  ASSERT_TRUE(WaitShown(before));
  const int builds = Builds();
  QLineEdit* caption = Find<QLineEdit>("edtICaption");
  ASSERT_NE(caption, nullptr);
  caption->setFocus();
  caption->end(false);
  QTest::keyClicks(caption, " warning");
  const QString after = before + QStringLiteral(" warning");
  EXPECT_TRUE(WaitShown(after));
  EXPECT_EQ(Builds(), builds);
  EXPECT_EQ(Eval("lumerollPreview.current().held").toInt(), 2);
  EXPECT_EQ(Eval("var l=document.querySelectorAll('#stage .lumeroll-item');"
                 "l.length+'|'+l[2].getAttribute('aria-label')+'|'+l[2].inert")
                .toString(),
            QStringLiteral("4|%1, 3 of 4|false").arg(after));
  // The undo is an item change too.
  Form().DesignTree().setFocus();
  Form().Document().UndoStack().undo();
  EXPECT_TRUE(WaitShown(before));
  EXPECT_EQ(Builds(), builds);
}

// A move changes the list: the box is built again, holding the moved item.
TEST_F(LivePreview, AChangeOfShapeBuildsTheBoxAgain) {
  SelectEntry(1);
  ASSERT_TRUE(WaitShown(CaptionOf(1)));
  const int builds = Builds();
  TreeKey(Qt::Key_Down, Qt::ControlModifier);
  ASSERT_EQ(TreeEntry(), 2);
  ExpectInStepWithTheTree();
  EXPECT_EQ(Builds(), builds + 1);
  Form().Document().UndoStack().undo();
  ExpectInStepWithTheTree();
  EXPECT_EQ(Builds(), builds + 2);
}

TEST_F(LivePreview, UndoAndRedoShowTheEarlierAndLaterCaption) {
  SelectEntry(0);
  QLineEdit* caption = Find<QLineEdit>("edtICaption");
  ASSERT_NE(caption, nullptr);
  const QString before = caption->text();
  const QString script = QStringLiteral("document.querySelector('#stage .lumeroll-item a').textContent");
  ASSERT_TRUE(WaitForPage(script, before));
  caption->setFocus();
  caption->end(false);
  QTest::keyClicks(caption, " again");
  EXPECT_TRUE(WaitForPage(script, before + QStringLiteral(" again")));
  // The typing ends when the focus leaves, so the undo takes all of it back.
  Form().DesignTree().setFocus();
  Form().Document().UndoStack().undo();
  EXPECT_TRUE(WaitForPage(script, before));
  Form().Document().UndoStack().redo();
  EXPECT_TRUE(WaitForPage(script, before + QStringLiteral(" again")));
}

TEST_F(LivePreview, TheSelectedItemIsHeldAndTheRootRuns) {
  SetNumber("spnedtpDelay", 100);  // the runtime's shortest step, so running shows quickly
  SelectEntry(2);
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-item').length", 4));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShownText() == QStringLiteral("Weather"); }, kWaitMs)) << ShownText().toStdString();
  QTest::qWait(1000);  // ten delays: a running box would have moved on
  EXPECT_EQ(ShownText(), QStringLiteral("Weather"));

  SelectEntry(-1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ShownText() != QStringLiteral("Weather"); }, kWaitMs))
      << Eval("var b=lumerollPreview.current();[document.visibilityState,b.held,b.hovered,b.focused,b.userPaused,b.timer,b.delay,b.items.length].join(' ')").toString().toStdString();
}

// They restyle the box in place: it is not built again.
TEST_F(LivePreview, SizeBorderAndColoursReachTheBoxsComputedStyle) {
  SelectEntry(-1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Pane().Idle(); }, kWaitMs));
  const int builds = Builds();
  SetNumber("spnedtpWidth", 300);
  SetNumber("spnedtpBorderWidth", 4);
  world->prompts.colors.push_back(QColor(255, 0, 0));
  world->prompts.colors.push_back(QColor(0, 0, 255));
  for (const char* swatch : {"pnlpBorderColor", "pnlpBackgroundColor"}) {
    TColorSwatch* s = Find<TColorSwatch>(swatch);
    ASSERT_NE(s, nullptr) << swatch;
    QTest::mouseClick(s, Qt::LeftButton);
  }
  EXPECT_TRUE(WaitForPage(ContentSizeScript("width"), QStringLiteral("300")));
  const struct {
    const char* property;
    const char* value;
  } expected[] = {{"borderTopWidth", "4px"},
                  {"borderTopColor", "rgb(255, 0, 0)"},
                  {"backgroundColor", "rgb(0, 0, 255)"}};
  for (const auto& e : expected) EXPECT_EQ(BoxStyle(e.property), QString::fromLatin1(e.value)) << e.property;
  EXPECT_EQ(Builds(), builds);
}

// A title's colour is in every item's markup: the box is built again. A
// value the box line refuses shows as the message, and a good one brings
// the box back.
TEST_F(LivePreview, OtherParametersAndRefusedValuesBuildTheBoxAgain) {
  SelectEntry(-1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Pane().Idle(); }, kWaitMs));
  const int builds = Builds();
  world->prompts.colors.push_back(QColor(0, 128, 0));
  TColorSwatch* title = Find<TColorSwatch>("pnlpTitleColor");
  ASSERT_NE(title, nullptr);
  QTest::mouseClick(title, Qt::LeftButton);
  EXPECT_TRUE(WaitForPage("getComputedStyle(document.querySelector('#stage .lumeroll-item a')).color",
                          QStringLiteral("rgb(0, 128, 0)")));
  EXPECT_EQ(Builds(), builds + 1);

  constexpr int kBorderStyle = 4;
  const std::string style = Form().Agent().AppletData().Field(kBorderStyle);
  Form().Document().ApplyAppletField(kBorderStyle, "solid");
  EXPECT_TRUE(WaitForPage("document.getElementById('message').textContent",
                          QStringLiteral("'solid' is not a valid integer value")));
  EXPECT_EQ(Eval("document.querySelectorAll('#stage .lumeroll-box').length").toInt(), 0);
  Form().Document().ApplyAppletField(kBorderStyle, style);
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-box').length", 1));
  EXPECT_EQ(Eval("document.getElementById('message').hidden"), QVariant(true));
}

TEST_F(LivePreview, WhatCannotBeShownAppearsAsTextInThePane) {
  ASSERT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-box').length", 1));
  const struct {
    std::string TAppletData::*field;
    const char* value;
  } cases[] = {{&TAppletData::pBorderStyle, "solid"}, {&TAppletData::pCursor, "1.5"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    TPreviewSnapshot bad{Form().Agent().AppletData(), Form().Agent().Items(), Form().Agent().ScriptFiles};
    bad.applet.*c.field = c.value;
    EXPECT_EQ(Eval(BuildPreviewCall(bad).script), QVariant(QStringLiteral("error")));
    EXPECT_EQ(Eval("document.getElementById('message').textContent"),
              QVariant(QStringLiteral("'%1' is not a valid integer value").arg(c.value)));
    EXPECT_EQ(Eval("document.querySelectorAll('#stage .lumeroll-box').length"), QVariant(0));
  }
  Pane().ScheduleUpdate();
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-box').length", 1));
  EXPECT_EQ(Eval("document.getElementById('message').hidden"), QVariant(true));
}

TEST_F(LivePreview, AMissingRuntimeScriptIsSaidInThePane) {
  const QString runtime = world->RuntimePath();
  ASSERT_TRUE(QFile::rename(runtime, runtime + ".away"));
  QSignalSpy updated(&Pane(), &TLivePreviewPane::Updated);
  Pane().Reload();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !updated.isEmpty() && updated.last().value(0) == "missing"; }, kWaitMs));
  EXPECT_TRUE(Eval("document.getElementById('message').textContent").toString().contains("orvantalumeroll.js is missing"));

  ASSERT_TRUE(QFile::rename(runtime + ".away", runtime));
  Pane().Reload();
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-box').length", 1));
}

TEST_F(LivePreview, LinksOpenInTheChosenBrowserAndThePaneStays) {
  SelectEntry(1);
  QComboBox* link = Find<QComboBox>("cmbxILink");
  ASSERT_NE(link, nullptr);
  ASSERT_TRUE(link->isEditable());
  link->setFocus();
  QTest::keyClicks(link, "https://example.org/sport.html");
  ASSERT_TRUE(WaitForPage("document.querySelectorAll('#stage a[href]').length", 1));
  world->launcher.launches.clear();
  for (const char* target : {"_self", "_blank"}) {
    SCOPED_TRACE(target);
    Eval(QStringLiteral("var a=document.querySelector('#stage a[href]');a.target='%1';a.click();").arg(target));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !world->launcher.launches.isEmpty(); }, kWaitMs));
    ASSERT_EQ(world->launcher.launches.size(), 1);
    EXPECT_EQ(world->launcher.launches[0].target, QStringLiteral("https://example.org/sport.html"));
    world->launcher.launches.clear();
    EXPECT_TRUE(IsPreviewUrl(Pane().Page().url()));
    EXPECT_EQ(Eval("document.querySelectorAll('#stage .lumeroll-box').length"), QVariant(1));
  }
}

TEST_F(LivePreview, PageWidthAndBackgroundFromTheBar) {
  Find<QAction>("LivePreviewWidth360")->trigger();
  Find<QAction>("LivePreviewDarkPage")->trigger();
  EXPECT_TRUE(WaitForPage("getComputedStyle(document.getElementById('page')).width", QStringLiteral("360px")));
  EXPECT_EQ(Eval("getComputedStyle(document.body).backgroundColor"), QVariant(QStringLiteral("rgb(32, 33, 36)")));
  Find<QAction>("LivePreviewWidthFit")->trigger();
  Find<QAction>("LivePreviewDarkPage")->trigger();
  EXPECT_EQ(Eval("document.getElementById('page').style.width"), QVariant(QString()));
  EXPECT_EQ(Eval("getComputedStyle(document.body).backgroundColor"), QVariant(QStringLiteral("rgb(255, 255, 255)")));
}

TEST_F(LivePreview, AnIdlePaneGeneratesAndFetchesNothing) {
  ASSERT_TRUE(QTest::qWaitFor([&] { return Pane().Idle(); }, kWaitMs));
  const int generations = Pane().GenerationCount();
  const int requests = Pane().Scheme().RequestCount();
  QTest::qWait(5000);
  EXPECT_EQ(Pane().GenerationCount(), generations);
  EXPECT_EQ(Pane().Scheme().RequestCount(), requests);
}

TEST_F(LivePreview, HidingIsKeptInTheSettings) {
  QAction& toggle = Dock().ToggleAction();
  toggle.trigger();
  EXPECT_FALSE(Dock().Dock().isVisible());
  QSettings settings(world->temp.filePath("settings.ini"), QSettings::IniFormat);
  EXPECT_EQ(settings.value("Settings/ShowLivePreview").toInt(), 0);
  EXPECT_FALSE(settings.value("Settings/LivePreviewDockState").toByteArray().isEmpty());
  toggle.trigger();
  EXPECT_TRUE(Dock().Dock().isVisible());
  settings.sync();
  EXPECT_EQ(settings.value("Settings/ShowLivePreview").toInt(), 1);
}

// The bar's buttons are reached with Tab, in the order shown, say what they
// do, and work from the keyboard.
TEST_F(LivePreview, TheBarIsReachedByTabAndNamed) {
  const struct {
    const char* button;
    const char* name;
  } expected[] = {{"LivePreviewWidthFitButton", "Page as wide as the pane"},
                  {"LivePreviewWidth360Button", "Page width 360 pixels"},
                  {"LivePreviewWidth768Button", "Page width 768 pixels"},
                  {"LivePreviewWidth1280Button", "Page width 1280 pixels"},
                  {"LivePreviewDarkPageButton", "Dark page"}};
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  QWidget* first = Find<QWidget>(expected[0].button);
  ASSERT_NE(first, nullptr);
  first->setFocus(Qt::TabFocusReason);
  for (const auto& e : expected) {
    SCOPED_TRACE(e.button);
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), QString::fromLatin1(e.button));
    EXPECT_EQ(focused->accessibleName(), QString::fromLatin1(e.name));
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  QTest::keyClick(Find<QWidget>("LivePreviewWidth768Button"), Qt::Key_Space);
  EXPECT_EQ(Pane().PageWidth(), 768);
  Pane().SetPageWidth(0);
}

// Every change of the tree's shape, and every undo and redo of one, leaves
// the pane holding the item the tree has selected, wherever it now is.
TEST_F(LivePreview, ThePaneHoldsTheTreesItemAcrossChangesOfShape) {
  QUndoStack& undo = Form().Document().UndoStack();
  const struct {
    const char* step;
    int select;  // entry selected first; -2 keeps the selection
    std::function<void()> act;
  } steps[] = {
      {"move down", 1, [&] { TreeKey(Qt::Key_Down, Qt::ControlModifier); }},
      {"move down again", -2, [&] { TreeKey(Qt::Key_Down, Qt::ControlModifier); }},
      {"move up", -2, [&] { TreeKey(Qt::Key_Up, Qt::ControlModifier); }},
      {"undo of the move up", -2, [&] { undo.undo(); }},
      {"redo of the move up", -2, [&] { undo.redo(); }},
      {"undo with another item selected", 0, [&] { undo.undo(); }},
      {"delete", 1,
       [&] {
         world->prompts.answers.push_back(TAnswer::Yes);
         TreeKey(Qt::Key_Delete);
       }},
      {"undo of the delete", 3, [&] { undo.undo(); }},
      {"redo of the delete", 2, [&] { undo.redo(); }},
      {"undo of the delete again", -2, [&] { undo.undo(); }},
      {"indent", 2, [&] { Form().Indent1Click(); }},
      {"outdent", -2, [&] { Form().Outdent1Click(); }},
      {"undo of the outdent", -2, [&] { undo.undo(); }},
      {"drop onto another item", 3,
       [&] {
         TDesignTreeModel& model = Form().TreeModel();
         std::unique_ptr<QMimeData> data(model.mimeData({model.IndexOfEntry(3)}));
         model.dropMimeData(data.get(), Qt::MoveAction, -1, 0, model.IndexOfEntry(0));
       }},
      {"undo of the drop", -2, [&] { undo.undo(); }},
      {"import", 2,
       [&] {
         const TkvdAppletAgent& agent = Form().Agent();
         TProjectState after{agent.AppletData(), agent.Items(), agent.FileVersion};
         std::swap(after.items[0], after.items[3]);
         Form().Document().ImportProject(std::move(after), QStringLiteral("Import Menu Structure"));
       }},
      {"select after the import", 3, [] {}},
      {"undo of the import", -2, [&] { undo.undo(); }},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    if (s.select != -2) SelectEntry(s.select);
    s.act();
    ExpectInStepWithTheTree();
  }
}

// The reported case: the item moved is the one typed into next.
TEST_F(LivePreview, TypingAfterAMoveShowsInTheMovedItem) {
  SelectEntry(1);
  TreeKey(Qt::Key_Down, Qt::ControlModifier);
  ASSERT_EQ(TreeEntry(), 2);
  QLineEdit* caption = Find<QLineEdit>("edtICaption");
  ASSERT_NE(caption, nullptr);
  caption->setFocus();
  caption->end(false);
  QTest::keyClicks(caption, " live");
  EXPECT_TRUE(QTest::qWaitFor([&] { return Pane().Idle() && ShownText() == caption->text(); }, kWaitMs))
      << ShownText().toStdString();
  Form().DesignTree().setFocus();
  Form().Document().UndoStack().undo();
  Form().Document().UndoStack().undo();
}

// A project whose configuration goes to the page in parts shows whole.
TEST_F(LivePreview, ALargeProjectReachesThePageWhole) {
  const TkvdAppletAgent& agent = Form().Agent();
  const TAppletData applet = agent.AppletData();
  const TItemArray before = agent.Items();
  const std::string version = agent.FileVersion;
  TItemArray large;
  for (int k = 0; k < 3000; ++k) {
    TItemData item = before[0];
    item.ICaption = "Item " + std::to_string(k);
    large.push_back(item);
  }
  ASSERT_GE(BuildPreviewCall({applet, large, agent.ScriptFiles}).parts.size(), 2);
  Form().Document().ApplyProject(applet, large, version);
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-item').length", 3000));
  EXPECT_EQ(Eval("document.querySelectorAll('#stage .lumeroll-item a')[2999].textContent"),
            QVariant(QStringLiteral("Item 2999")));
  Form().Document().ApplyProject(applet, before, version);
  EXPECT_TRUE(WaitForPage("document.querySelectorAll('#stage .lumeroll-item').length", int(before.size())));
}

// The pane beside the tree and the pages at the widths a window has: the
// tree keeps room for its captions, the pages their fields, and a wider
// window gives the pane its share.
TEST_F(LivePreview, TheTreeAndThePagesKeepTheirWidthBesideThePane) {
  ASSERT_TRUE(Dock().Dock().isVisible());
  QWidget& window = Form();
  QWidget* tree = Find<QWidget>("pnlTreeView");
  QWidget* pages = Find<QWidget>("pgcntrl1");
  ASSERT_TRUE(tree && pages);
  auto widthOf = [&](int width) {
    window.resize(width, 600);
    QTest::qWaitFor([&] { return window.width() == qMax(width, window.minimumSizeHint().width()); }, 2000);
    QCoreApplication::processEvents();
  };
  for (const int width : {600, 747, 800, 1000, 1400}) {
    SCOPED_TRACE(width);
    widthOf(width);
    EXPECT_GE(tree->width(), 200);
    EXPECT_GE(pages->width(), pages->minimumSizeHint().width());
    EXPECT_GE(Dock().Dock().width(), 180);
    EXPECT_LE(tree->width() + pages->width() + Dock().Dock().width(), window.width());
  }
  // Growing and shrinking again: the pane takes its share both ways and
  // comes back to its width.
  widthOf(1000);
  const int pane = Dock().Dock().width(), treeWidth = tree->width();
  widthOf(1600);
  // At least a fifth of the 600 pixels gained, where the pages used to get
  // them all.
  EXPECT_GT(Dock().Dock().width(), pane + 120);
  EXPECT_GT(tree->width(), treeWidth);
  widthOf(1000);
  EXPECT_NEAR(Dock().Dock().width(), pane, 4);
  window.resize(1200, 700);
}

// F8 in a window that has room to grow: the pane gets its own width and the
// tree and the pages keep theirs; hiding it gives the width back.
TEST_F(LivePreview, ShowingThePaneWidensTheWindowAndHidingNarrowsIt) {
  QWidget& window = Form();
  QWidget* tree = Find<QWidget>("pnlTreeView");
  QAction& toggle = Dock().ToggleAction();
  ASSERT_TRUE(toggle.isChecked());
  toggle.trigger();
  // The window's smallest width drops once its layout has let the pane go.
  QTest::qWaitFor([&] { return window.minimumWidth() < 760; }, 2000);
  window.resize(760, 600);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.width() == 760; }, 2000)) << window.width();
  QCoreApplication::processEvents();
  const int treeWidth = tree->width();
  toggle.trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.width() > 760 + 150; }, 2000)) << window.width();
  QCoreApplication::processEvents();
  EXPECT_GE(tree->width(), treeWidth - 4);
  EXPECT_LE(window.frameGeometry().right(), window.screen()->availableGeometry().right());
  toggle.trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.width() == 760; }, 2000)) << window.width();
  toggle.trigger();
  window.resize(1200, 700);
}

// Closing the window is not hiding the pane: what the user left is what the
// next start shows. The program quits as it does after its window closed.
TEST_F(LivePreview, ClosingTheWindowKeepsThePanesVisibility) {
  QAction& toggle = Dock().ToggleAction();
  for (const bool shown : {true, false}) {
    SCOPED_TRACE(shown ? "shown" : "hidden");
    if (toggle.isChecked() != shown) toggle.trigger();
    if (Form().Modified()) world->prompts.answers.push_back(TAnswer::No);
    ASSERT_TRUE(Form().close());
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();  // ends with aboutToQuit, as the program does
    QSettings settings(world->temp.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Settings/ShowLivePreview").toInt(), shown ? 1 : 0);
    Form().show();
    EXPECT_EQ(Dock().Dock().isVisible(), shown);
  }
  if (!toggle.isChecked()) toggle.trigger();
}

// Last, so everything above has run too: the pane wrote no file anywhere in
// the working, preview or project folder. It makes edits of its own so that
// it means something when run alone.
TEST_F(LivePreview, NoFileWasWritten) {
  SelectEntry(3);
  QLineEdit* caption = Find<QLineEdit>("edtICaption");
  ASSERT_NE(caption, nullptr);
  caption->setText(QStringLiteral("Traffic jam"));
  SetNumber("spnedtpHeight", 140);
  Pane().Reload();
  EXPECT_TRUE(WaitForPage(ContentSizeScript("height"), QStringLiteral("140")));
  EXPECT_EQ(world->Files(), world->filesAtStart);
  EXPECT_FALSE(QDir(world->Folder("working") + "preview").exists());
}
