#pragma once
// TPropertyPages owns the four property pages of the main window and binds
// them to the project agent: it copies values between the agent and the
// controls, handles the controls' edits and reports them to the window.
//
// The window hosts the pages (HostIn), connects the three signals and calls
// the commit and refresh operations; the pages never touch the tree, the
// help window or the modified flag themselves.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "editor/pages/item_page.h"
#include "editor/pages/path_page.h"
#include "editor/pages/script_page.h"
#include "editor/pages/text_page.h"
#include "model/result.h"

class Prompts;
class QTabWidget;
class QWidget;
class TAppletBinding;
class TColorSwatch;
class TItemBinding;
class TSeparatorGuard;
class TkvdAppletAgent;

class TPropertyPages : public QObject {
  Q_OBJECT

 public:
  // `resourceFolder` holds the "help" folder; `dialogParent` parents the
  // warnings and dialogs.
  TPropertyPages(TkvdAppletAgent& agent, Prompts& prompts, QString resourceFolder, QWidget* dialogParent = nullptr);
  ~TPropertyPages() override;

  TScriptPage* tbshtMenu() const { return tbshtMenu_; }
  TTextPage* tbshtText() const { return tbshtText_; }
  TItemPage* tbshtItem() const { return tbshtItem_; }
  TPathPage* tbshtPath() const { return tbshtPath_; }

  // Puts the pages into the first four tabs of `pgcntrl1` ("Script", "Text",
  // "Item", "Path"), adding the tabs it lacks.
  void HostIn(QTabWidget* pgcntrl1);

  void CommitAppletPages();
  // On a conversion error no control changes and the result has the message.
  TResult RefreshAppletPages();
  void CommitItemPage(int index);
  void RefreshItemPage(int index);
  // The applet pages, then the Item page into entry `currentItemIndex`
  // unless it is -1 (no current item node).
  void CommitPages(int currentItemIndex);

  // The controls whose mouse moves empty the window's hint line.
  QList<QWidget*> HintControls() const;

  // Change handling, also usable by the window.
  void spnedtApWidthChange(QObject* control);
  void edtICaptionChange();
  void pnlApBgClrClick(TColorSwatch* swatch);
  bool PickColor(TColorSwatch* swatch);
  void spdbtnItURLClick();
  void SpeedButton1Click(QObject* button);
  bool CheckSeparatorText(QObject* control);
  // F1: the help topic of the group that holds `focus`, the general topic
  // outside the groups.
  void ShowHelpFor(const QWidget* focus);

 signals:
  // An edit changed the project: the window sets its modified flag.
  void Modified();
  // The caption field changed; the selected item node takes this caption.
  void ItemCaptionEdited(const QString& caption);
  // A help button asks the help window to show this address.
  void HelpTopicRequested(const QString& url);

 private:
  void ConnectScriptPage();
  void ConnectTextPage();
  void ConnectItemPage();
  void ConnectPathPage();
  void ConnectHelp(QWidget* page);
  // Edits the binding has no own handling for: modified, then the guard.
  void GuardedEdit(QObject* control);

  TkvdAppletAgent& agent_;
  Prompts& prompts_;
  QString resourceFolder_;
  QWidget* dialogParent_;
  QPointer<TScriptPage> tbshtMenu_;
  QPointer<TTextPage> tbshtText_;
  QPointer<TItemPage> tbshtItem_;
  QPointer<TPathPage> tbshtPath_;
  std::unique_ptr<TAppletBinding> applet_;
  std::unique_ptr<TItemBinding> item_;
  std::unique_ptr<TSeparatorGuard> guard_;
};
