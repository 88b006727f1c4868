#pragma once
// Building blocks the four property pages share, so every page looks alike:
// bold labels, fixed lists, flat toggle buttons and the group box with its
// help button at the right edge.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QObject;
class QToolButton;
class QWidget;

QLabel* BoldLabel(const QString& text, QWidget* parent);

// A non-editable list of the given entries.
QComboBox* FixedList(const QString& name, const std::vector<std::string>& entries, QWidget* parent);

// A flat button that stays down or up on each click.
QToolButton* ToggleButton(const QString& name, const QString& glyph, bool bold, bool italic, QWidget* parent);

// The "?" button of a group; `tag` picks its help topic.
QToolButton* HelpButton(const QString& name, int tag, QWidget* parent);
int HelpTag(const QObject* button);
// The tag of the help button of the group that holds `control`; 0 outside
// every group.
int GroupHelpTag(const QWidget* control);

struct TPageGroup {
  QGroupBox* box;
  QGridLayout* grid;  // the group's controls go here
};

// A group box titled `title` with `help` at its right edge.
TPageGroup HelpedGroup(const QString& title, QToolButton* help, QWidget* parent);

// Tab visits each group of `page` in turn, its controls in the order they
// were added (which is the order they read in) and then its help button.
void SetReadingTabOrder(QWidget* page);
