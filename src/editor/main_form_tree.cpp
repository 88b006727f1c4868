// The design tree's side of the window: the selection-change protocol, the
// enabled state of the shape commands, the pages shown for the selection and
// the hint line.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTreeWidget>

#include "editor/design_tree_builder.h"
#include "editor/design_tree_commands.h"
#include "editor/main_form.h"

void TMainForm::Insert1Click() { treeCommands_->Insert(); }
void TMainForm::Delete1Click() { treeCommands_->Delete(); }
void TMainForm::MoveUp1Click() { treeCommands_->MoveUp(); }
void TMainForm::MoveDown1Click() { treeCommands_->MoveDown(); }

void TMainForm::UpdateItemCommands() {
  const TDesignTreeCommands::TEnabled enabled = treeCommands_->EnabledFor(trvwDesignPanel_->currentItem());
  const bool states[4] = {enabled.insert, enabled.remove, enabled.moveUp, enabled.moveDown};
  for (int i = 0; i < 4; ++i) {
    popupCommands_[i]->setEnabled(states[i]);
    menuCommands_[i]->setEnabled(states[i]);
    toolCommands_[i]->setEnabled(states[i]);
  }
}

void TMainForm::ShowPagesForSelection() {
  const QTreeWidgetItem* selected = trvwDesignPanel_->currentItem();
  const int script = kScriptTab;
  const int text = kTextTab;
  const int item = kItemTab;
  if (selected && selected->parent()) {
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
  ShowPagesForSelection();
  if (currentItemNode_) CommitItemPage(design_tree::AbsoluteIndex(currentItemNode_) - 1);
  QTreeWidgetItem* selected = trvwDesignPanel_->currentItem();
  if (!selected || !selected->parent()) {
    UpdateItemCommands();
    return;
  }
  if (selected != currentItemNode_) {
    currentItemNode_ = selected;
    RefreshItemPage(design_tree::AbsoluteIndex(selected) - 1);
  }
  UpdateItemCommands();
  SetModified(true);
}

void TMainForm::trvwDesignPanelMouseDown(QMouseEvent* event) {
  if (treeRebuilding_) return;
  // A right-click selects the node under the pointer before the context menu
  // opens, so the menu's commands act on that node.
  if (event->button() == Qt::RightButton) {
    if (QTreeWidgetItem* under = trvwDesignPanel_->itemAt(event->position().toPoint())) {
      trvwDesignPanel_->setCurrentItem(under);
    }
  }
  if (QTreeWidgetItem* selected = trvwDesignPanel_->currentItem()) {
    selected->setSelected(true);
    ShowPagesForSelection();
    UpdateItemCommands();
  }
}

void TMainForm::trvwDesignPanelCustomDrawItem() {
  if (!treeRebuilding_) UpdateItemCommands();
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
