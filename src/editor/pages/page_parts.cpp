#include "editor/pages/page_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kTagProperty = "tag";

}  // namespace

QLabel* BoldLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

QComboBox* FixedList(const QString& name, const std::vector<std::string>& entries, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(false);
  for (const std::string& e : entries) list->addItem(QString::fromStdString(e));
  return list;
}

QToolButton* ToggleButton(const QString& name, const QString& glyph, bool bold, bool italic, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(glyph);
  button->setCheckable(true);
  button->setAutoRaise(true);
  QFont f = button->font();
  f.setBold(bold);
  f.setItalic(italic);
  button->setFont(f);
  return button;
}

QToolButton* HelpButton(const QString& name, int tag, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(QStringLiteral("?"));
  button->setAutoRaise(true);
  button->setProperty(kTagProperty, tag);
  return button;
}

int HelpTag(const QObject* button) { return button ? button->property(kTagProperty).toInt() : 0; }

int GroupHelpTag(const QWidget* control) {
  for (const QWidget* w = control; w; w = w->parentWidget()) {
    if (!qobject_cast<const QGroupBox*>(w)) continue;
    for (const QToolButton* b : w->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
      if (b->property(kTagProperty).isValid()) return HelpTag(b);
    return 0;
  }
  return 0;
}

void SetReadingTabOrder(QWidget* page) {
  QList<QWidget*> order;
  for (QGroupBox* box : page->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
    QWidget* help = nullptr;
    for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!(child->focusPolicy() & Qt::TabFocus)) continue;
      if (child->property(kTagProperty).isValid()) {
        help = child;
      } else {
        order << child;
      }
    }
    if (help) order << help;
  }
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

TPageGroup HelpedGroup(const QString& title, QToolButton* help, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* row = new QHBoxLayout(box);
  auto* grid = new QGridLayout;
  // The controls take the width the window gives; each page says which of
  // its columns grow.
  row->addLayout(grid, 1);
  auto* helpColumn = new QVBoxLayout;
  help->setParent(box);
  helpColumn->addWidget(help);
  helpColumn->addStretch(1);
  row->addLayout(helpColumn);
  return {box, grid};
}
