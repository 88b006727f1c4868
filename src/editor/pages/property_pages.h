#pragma once
// TPropertyPages owns the four property pages of the main window and binds
// them to the project agent: it copies values between the agent and the
// controls, handles the controls' edits and reports them to the window.
//
// Every edit goes into the project the moment it is made, through the edit
// sink (the window makes an undoable step of it); the pages only read the
// agent. Refreshes change the controls without making edits. The pages never touch the tree, the help window or the modified
// flag themselves.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "editor/pages/item_page.h"
#include "editor/pages/path_page.h"
#include "editor/pages/script_page.h"
#include "editor/pages/text_page.h"
#include "model/applet_data.h"
#include "model/result.h"

class Prompts;
class QTabWidget;
class QWidget;
class TAppletBinding;
class TColorSwatch;
class TItemBinding;
class TSeparatorGuard;
class TkvdAppletAgent;

// One edit of a page control as it goes into the project.
struct TPageEdit {
  int item = -1;  // entry index for an Item page field, -1 for an applet parameter
  int field = 0;  // the TAppletData or TItemData field number
  std::string before;
  std::string after;
  bool typing = false;  // typed text, which merges with more typing in the field
  int session = 0;      // typing merges only within one session of the field
};

class TPropertyPages : public QObject {
  Q_OBJECT

 public:
  // `resourceFolder` holds the "help" folder; `dialogParent` parents the
  // warnings and dialogs.
  TPropertyPages(const TkvdAppletAgent& agent, Prompts& prompts, QString resourceFolder, QWidget* dialogParent = nullptr);
  ~TPropertyPages() override;

  TScriptPage* tbshtMenu() const { return tbshtMenu_; }
  TTextPage* tbshtText() const { return tbshtText_; }
  TItemPage* tbshtItem() const { return tbshtItem_; }
  TPathPage* tbshtPath() const { return tbshtPath_; }

  // Puts the pages into the first four tabs of `pgcntrl1` ("Script", "Text",
  // "Item", "Path"), adding the tabs it lacks.
  void HostIn(QTabWidget* pgcntrl1);

  using TEditSink = std::function<void(const TPageEdit&)>;
  void SetEditSink(TEditSink sink) { sink_ = std::move(sink); }

  // The entry the Item page shows and edits, -1 for none.
  void SetItemIndex(int index) { itemIndex_ = index; }
  int ItemIndex() const { return itemIndex_; }
  // Shows one value the project changed, unless the control shows it already.
  void RefreshAppletField(int field);
  void RefreshItemFields(int index);
  // Ends the present typing session: the next typed text starts a new step.
  void EndTyping() { ++session_; }

  // On a conversion error no control changes and the result has the message.
  TResult RefreshAppletPages();
  // Whether RefreshAppletPages could show `data`, changing nothing.
  TResult CheckAppletData(const TAppletData& data) const;
  void RefreshItemPage(int index);
  // The values as the controls show them, as an edit would write them: the
  // applet parameters, and the Item page's four fields over entry
  // ItemIndex() (its level and reserved field as the project has them).
  TAppletData ShownAppletData() const;
  TItemData ShownItem() const;

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
  // The user edited a control (the edit itself goes through the edit sink,
  // and the history decides whether the project is modified).
  void Modified();
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
  // The edit of `control` into the project, when its value differs there.
  void WriteThrough(QObject* control, bool typing);
  void Send(const TPageEdit& edit);

  const TkvdAppletAgent& agent_;
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
  TEditSink sink_;
  int itemIndex_ = -1;
  int session_ = 0;
  bool refreshing_ = false;
  bool browsing_ = false;  // the link browse sets the link field
};
