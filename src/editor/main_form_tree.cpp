// The design tree's side of the window: the selection-change protocol, the
// enabled state of the shape commands (set when the selection or the shape
// changes), the tree's keys, the pages shown for the selection and the hint
// line.
#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTreeView>

#include "editor/design_tree_commands.h"
#include "editor/design_tree_model.h"
#include "editor/main_form.h"
#include "editor/pages/property_pages.h"

void TMainForm::Insert1Click() { treeCommands_->Insert(); }
void TMainForm::Delete1Click() { treeCommands_->Delete(); }
void TMainForm::MoveUp1Click() { treeCommands_->MoveUp(); }
void TMainForm::MoveDown1Click() { treeCommands_->MoveDown(); }
void TMainForm::Indent1Click() { treeCommands_->Indent(); }
void TMainForm::Outdent1Click() { treeCommands_->Outdent(); }

void TMainForm::UpdateItemCommands() {
  const TDesignTreeCommands::TEnabled enabled = treeCommands_->EnabledFor(trvwDesignPanel_->currentIndex());
  const bool states[kItemCommandCount] = {enabled.insert,   enabled.remove, enabled.moveUp,
                                          enabled.moveDown, enabled.indent, enabled.outdent};
  for (int i = 0; i < kItemCommandCount; ++i) itemCommands_[i]->setEnabled(states[i]);
}

void TMainForm::ShowPagesForSelection() {
  const int entry = treeModel_->EntryOf(trvwDesignPanel_->currentIndex());
  const int script = kScriptTab;
  const int text = kTextTab;
  const int item = kItemTab;
  if (entry >= 0) {
    pgcntrl1_->setTabVisible(item, true);
    pgcntrl1_->setCurrentIndex(item);
    pgcntrl1_->setTabVisible(script, false);
    pgcntrl1_->setTabVisible(text, false);
  } else {
    pgcntrl1_->setTabVisible(script, true);
    pgcntrl1_->setTabVisible(text, true);
    pgcntrl1_->setCurrentIndex(script);
    pgcntrl1_->setTabVisible(item, false);
  }
}

void TMainForm::trvwDesignPanelChange() {
  if (treeRebuilding_) return;
  // Typing on another node is another step.
  pages_->EndTyping();
  ShowPagesForSelection();
  const QModelIndex selected = trvwDesignPanel_->currentIndex();
  const int entry = treeModel_->EntryOf(selected);
  if (entry < 0) {
    UpdateItemCommands();
    emit SelectedItemChanged(-1);
    return;
  }
  if (QModelIndex(currentItemNode_) != selected) {
    currentItemNode_ = selected;
    pages_->SetItemIndex(entry);
    RefreshItemPage(entry);
  }
  UpdateItemCommands();
  emit SelectedItemChanged(entry);
}

void TMainForm::trvwDesignPanelMouseDown(QMouseEvent* event) {
  if (treeRebuilding_) return;
  // A right-click selects the node under the pointer before the context menu
  // opens, so the menu's commands act on that node.
  if (event->button() == Qt::RightButton) {
    const QModelIndex under = trvwDesignPanel_->indexAt(event->position().toPoint());
    if (under.isValid()) trvwDesignPanel_->setCurrentIndex(under);
  }
  const QModelIndex selected = trvwDesignPanel_->currentIndex();
  if (selected.isValid()) {
    trvwDesignPanel_->selectionModel()->select(selected, QItemSelectionModel::Select);
    ShowPagesForSelection();
    UpdateItemCommands();
  }
}

bool TMainForm::trvwDesignPanelKeyDown(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  const int key = event->key();
  auto runIfEnabled = [](QAction* action) {
    if (action->isEnabled()) action->trigger();
    return true;
  };
  if (key == Qt::Key_Insert && mods == Qt::NoModifier) return runIfEnabled(itemCommands_[kInsert]);
  if (key == Qt::Key_Delete && mods == Qt::NoModifier) return runIfEnabled(itemCommands_[kDelete]);
  if (key == Qt::Key_Up && mods == Qt::ControlModifier) return runIfEnabled(itemCommands_[kMoveUp]);
  if (key == Qt::Key_Down && mods == Qt::ControlModifier) return runIfEnabled(itemCommands_[kMoveDown]);
  if (key == Qt::Key_F2 && mods == Qt::NoModifier) {
    EditCaption();
    return true;
  }
  if ((key == Qt::Key_F10 && mods == Qt::ShiftModifier) || (key == Qt::Key_Menu && mods == Qt::NoModifier)) {
    const QRect at = trvwDesignPanel_->visualRect(trvwDesignPanel_->currentIndex());
    if (!treeRebuilding_) PopupMenu1_->popup(trvwDesignPanel_->viewport()->mapToGlobal(at.center()));
    return true;
  }
  return false;
}

void TMainForm::RegisterHintControl(QWidget* control) {
  control->setMouseTracking(true);
  control->installEventFilter(this);
}

void TMainForm::spnedtApWidthMouseMove(QWidget* control) {
  if (treeRebuilding_ || !stctxtHint_) return;
  stctxtHint_->setText(control->toolTip());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (trvwDesignPanel_ && watched == trvwDesignPanel_ && event->type() == QEvent::KeyPress) {
    if (trvwDesignPanelKeyDown(static_cast<QKeyEvent*>(event))) return true;
  }
  if (trvwDesignPanel_ && watched == trvwDesignPanel_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) trvwDesignPanelMouseDown(static_cast<QMouseEvent*>(event));
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
      spnedtApWidthMouseMove(trvwDesignPanel_);
    }
    return QMainWindow::eventFilter(watched, event);
  }
  if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && watched->isWidgetType()) {
    spnedtApWidthMouseMove(static_cast<QWidget*>(watched));
  }
  return QMainWindow::eventFilter(watched, event);
}
