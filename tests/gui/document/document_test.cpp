// The document: each change is applied once and signalled once, bad indexes
// change nothing, and the modified flag follows the history's clean step.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoCommand>

#include "document/document.h"
#include "model/project_file.h"

namespace {

TItemData Item(const char* caption, int level) {
  TItemData item = DefaultItemData();
  item.ICaption = caption;
  item.ILevel = std::to_string(level);
  return item;
}

std::vector<std::string> Captions(const TLumerollDocument& document) {
  std::vector<std::string> out;
  for (const TItemData& item : document.Agent().Items()) out.push_back(item.ICaption);
  return out;
}

// A step that changes the applet's width, for the history's bookkeeping.
class TWidthStep : public QUndoCommand {
 public:
  TWidthStep(TLumerollDocument& document, std::string value) : document_(document), value_(std::move(value)) {}
  void redo() override {
    old_ = document_.Agent().AppletData().pWidth;
    document_.ApplyAppletField(1, value_);
  }
  void undo() override { document_.ApplyAppletField(1, old_); }

 private:
  TLumerollDocument& document_;
  std::string value_, old_;
};

}  // namespace

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() {
    document.ApplyProject(DefaultAppletData(), {Item("A", 0), Item("A1", 1), Item("B", 0)}, "");
    document.ClearHistory();
    for (QSignalSpy* spy : {&applet, &item, &shape, &edited, &reset, &changed}) spy->clear();
  }

  TLumerollDocument document;
  QSignalSpy applet{&document, &TLumerollDocument::AppletFieldChanged};
  QSignalSpy item{&document, &TLumerollDocument::ItemChanged};
  QSignalSpy shape{&document, &TLumerollDocument::ShapeChanged};
  QSignalSpy edited{&document, &TLumerollDocument::ShapeEdited};
  QSignalSpy reset{&document, &TLumerollDocument::ProjectReset};
  QSignalSpy changed{&document, &TLumerollDocument::Changed};
};

TEST_F(DocumentTest, EachChangeIsSignalledOnceWithWhatChanged) {
  document.ApplyAppletField(2, "120");
  EXPECT_EQ(document.Agent().AppletData().pHeight, "120");
  ASSERT_EQ(applet.count(), 1);
  EXPECT_EQ(applet[0][0].toInt(), 2);

  document.ApplyItemField(2, 0, "Bee");
  EXPECT_EQ(Captions(document), (std::vector<std::string>{"A", "A1", "Bee"}));
  ASSERT_EQ(item.count(), 1);
  EXPECT_EQ(item[0][0].toInt(), 2);

  document.ApplyInsert(3, Item("C", 0));
  document.ApplyCarryBlockUp(3, 1, 1);  // C before Bee
  document.ApplyDelete(0, 2);           // A's block
  EXPECT_EQ(Captions(document), (std::vector<std::string>{"C", "Bee"}));
  EXPECT_EQ(shape.count(), 3);
  ASSERT_EQ(edited.count(), 3);
  const auto edit = [&](int i) { return edited[i][0].value<TShapeEdit>(); };
  EXPECT_EQ(edit(1).kind, TShapeEdit::TKind::CarryUp);
  EXPECT_EQ(edit(1).places, 1);
  EXPECT_EQ(edit(2).kind, TShapeEdit::TKind::Remove);
  EXPECT_EQ(edit(2).count, 2);

  document.ApplyProject(DefaultAppletData(), {}, "");
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(changed.count(), 6);
}

TEST_F(DocumentTest, IndexesOutsideTheProjectChangeNothing) {
  const TItemArray before = document.Agent().Items();
  document.ApplyAppletField(-1, "x");
  document.ApplyAppletField(TAppletData::FieldCount, "x");
  document.ApplyItemField(3, 0, "x");
  document.ApplyItemField(0, TItemData::FieldCount, "x");
  document.ApplyInsert(4, Item("X", 0));
  document.ApplyDelete(2, 2);
  document.ApplyDelete(0, 0);
  document.ApplyCarryBlockUp(0, 1, 1);
  document.ApplyCarryBlockUp(2, 2, 1);
  EXPECT_EQ(document.Agent().Items(), before);
  EXPECT_EQ(document.Agent().AppletData(), DefaultAppletData());
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(DocumentTest, ModifiedIsTheHistorysCleanState) {
  QSignalSpy modified(&document, &TLumerollDocument::ModifiedChanged);
  EXPECT_FALSE(document.IsModified());
  document.UndoStack().push(new TWidthStep(document, "500"));
  EXPECT_TRUE(document.IsModified());
  document.UndoStack().undo();
  EXPECT_FALSE(document.IsModified());
  document.UndoStack().redo();
  document.SetModified(false);  // a save: this step is the clean one
  EXPECT_FALSE(document.IsModified());
  EXPECT_TRUE(document.UndoStack().isClean());
  document.SetModified(true);  // recovered work: no step of the history is on disk
  EXPECT_TRUE(document.IsModified());
  document.UndoStack().undo();
  document.UndoStack().redo();
  EXPECT_TRUE(document.IsModified());
  document.ClearHistory();
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.UndoStack().count(), 0);
  std::vector<bool> seen;
  for (const QList<QVariant>& call : modified) seen.push_back(call[0].toBool());
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(DocumentTest, HistoryKeepsTheNewestThousandSteps) {
  for (int i = 0; i < TLumerollDocument::kUndoLimit + 5; ++i)
    document.UndoStack().push(new TWidthStep(document, std::to_string(i)));
  EXPECT_EQ(document.UndoStack().count(), TLumerollDocument::kUndoLimit);
  while (document.UndoStack().canUndo()) document.UndoStack().undo();
  // The five oldest steps are gone, so the width goes back to what the sixth found.
  EXPECT_EQ(document.Agent().AppletData().pWidth, "4");
}

TEST_F(DocumentTest, StartingAProjectResetsTheViewsOnceAndStartsAnEmptyHistory) {
  document.UndoStack().push(new TWidthStep(document, "500"));
  ASSERT_TRUE(document.IsModified());
  document.StartProject({DefaultAppletData(), {Item("N", 0)}, "v2"});
  EXPECT_EQ(Captions(document), std::vector<std::string>{"N"});
  EXPECT_EQ(document.Agent().FileVersion, "v2");
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(changed.count(), 2);  // the width step and the new project
  EXPECT_EQ(document.UndoStack().count(), 0);
  EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentTest, AnImportIsOneNamedStepWhoseUndoGivesBackTheProjectsBytes) {
  NullProgress quiet;
  auto bytes = [&] { return WriteProjectText(document.Agent().AppletData(), document.Agent().Items(), quiet); };
  document.ApplyAppletField(1, "321");
  document.ClearHistory();
  const std::string before = bytes();
  TAppletData imported = DefaultAppletData();
  imported.pHeight = "77";
  QSignalSpy selections(&document, &TLumerollDocument::SelectionRequested);
  reset.clear();

  document.ImportProject({imported, {Item("X", 0), Item("X1", 1)}, "v9"}, QStringLiteral("Import News Feed"));
  ASSERT_EQ(document.UndoStack().count(), 1);
  EXPECT_EQ(document.UndoStack().undoText(), QStringLiteral("Import News Feed"));
  EXPECT_EQ(Captions(document), (std::vector<std::string>{"X", "X1"}));
  EXPECT_EQ(document.Agent().AppletData().pHeight, "77");
  EXPECT_EQ(reset.count(), 1);
  // The imported items are in no file yet.
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(selections.count(), 0);
  const std::string after = bytes();

  document.UndoStack().undo();
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(document.Agent().FileVersion, "");
  EXPECT_FALSE(document.IsModified());
  document.UndoStack().redo();
  EXPECT_EQ(bytes(), after);
  EXPECT_EQ(document.Agent().FileVersion, "v9");
  EXPECT_EQ(reset.count(), 3);
  // Undo and redo put the selection on the root, as after the import.
  ASSERT_EQ(selections.count(), 2);
  EXPECT_EQ(selections[0][0].toInt(), -1);
  EXPECT_EQ(selections[1][0].toInt(), -1);
}
