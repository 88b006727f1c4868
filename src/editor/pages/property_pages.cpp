#include "editor/pages/property_pages.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/pages/applet_binding.h"
#include "editor/pages/color_swatch.h"
#include "editor/pages/control_text.h"
#include "editor/pages/item_binding.h"
#include "editor/pages/item_page.h"
#include "editor/pages/number_field.h"
#include "editor/pages/page_links.h"
#include "editor/pages/page_parts.h"
#include "editor/pages/path_page.h"
#include "editor/pages/script_page.h"
#include "editor/pages/separator_guard.h"
#include "editor/pages/text_page.h"
#include "model/applet_agent.h"
#include "platform/prompts.h"

TPropertyPages::TPropertyPages(const TkvdAppletAgent& agent, Prompts& prompts, QString resourceFolder,
                               QWidget* dialogParent)
    : agent_(agent),
      prompts_(prompts),
      resourceFolder_(std::move(resourceFolder)),
      dialogParent_(dialogParent),
      tbshtMenu_(new TScriptPage),
      tbshtText_(new TTextPage),
      tbshtItem_(new TItemPage),
      tbshtPath_(new TPathPage),
      applet_(std::make_unique<TAppletBinding>(*tbshtMenu_, *tbshtText_, *tbshtPath_)),
      item_(std::make_unique<TItemBinding>(*tbshtItem_)),
      guard_(std::make_unique<TSeparatorGuard>(prompts, dialogParent,
                                               QString::fromStdString(agent.FieldSeparator))) {
  ConnectScriptPage();
  ConnectTextPage();
  ConnectItemPage();
  ConnectPathPage();
  // Typing merges into one step until the focus moves.
  connect(qApp, &QApplication::focusChanged, this, [this] { EndTyping(); });
}

TPropertyPages::~TPropertyPages() {
  // Hosted pages belong to the tab control; the others are ours.
  for (QWidget* page : std::initializer_list<QWidget*>{tbshtMenu_, tbshtText_, tbshtItem_, tbshtPath_}) {
    if (page && !page->parent()) delete page;
  }
}

void TPropertyPages::HostIn(QTabWidget* pgcntrl1) {
  const std::initializer_list<std::pair<QWidget*, const char*>> pages = {
      {tbshtMenu_, "Script"}, {tbshtText_, "Text"}, {tbshtItem_, "Item"}, {tbshtPath_, "Path"}};
  int i = 0;
  for (const auto& [page, title] : pages) {
    if (i < pgcntrl1->count()) {
      QWidget* tab = pgcntrl1->widget(i);
      if (!tab->layout()) new QVBoxLayout(tab);
      tab->layout()->setContentsMargins(0, 0, 0, 0);
      tab->layout()->addWidget(page);
      pgcntrl1->setTabText(i, QString::fromLatin1(title));
    } else {
      pgcntrl1->addTab(page, QString::fromLatin1(title));
    }
    SetReadingTabOrder(page);
    ++i;
  }
}

void TPropertyPages::Send(const TPageEdit& edit) {
  if (sink_) sink_(edit);
}

void TPropertyPages::WriteThrough(QObject* control, bool typing) {
  if (refreshing_ || guard_->Busy()) return;
  TPageEdit edit;
  edit.typing = typing;
  edit.session = session_;
  if (const int field = applet_->FieldOf(control); field >= 0) {
    edit.field = field;
    edit.before = agent_.AppletData().Field(field);
    edit.after = applet_->ReadField(field);
  } else if (const int itemField = item_->FieldOf(control);
             itemField >= 0 && itemIndex_ >= 0 && itemIndex_ < agent_.ItemCount()) {
    edit.item = itemIndex_;
    edit.field = itemField;
    edit.before = agent_.Items()[static_cast<size_t>(itemIndex_)].Field(itemField);
    edit.after = item_->ReadField(itemField);
  } else {
    return;
  }
  if (edit.before == edit.after) return;
  // A step that is not typing stands alone: nothing merges into it or with it.
  if (!typing) EndTyping();
  Send(edit);
  if (!typing) EndTyping();
}

TResult TPropertyPages::RefreshAppletPages() {
  TAppletData data;
  agent_.GetAppletData(data);
  refreshing_ = true;
  TResult shown = applet_->Show(data);
  refreshing_ = false;
  return shown;
}

TResult TPropertyPages::CheckAppletData(const TAppletData& data) const { return applet_->Check(data); }

void TPropertyPages::RefreshAppletField(int field) {
  if (field < 0 || field >= TAppletData::FieldCount) return;
  refreshing_ = true;
  applet_->ShowOne(field, agent_.AppletData().Field(field));
  refreshing_ = false;
}

void TPropertyPages::RefreshItemPage(int index) {
  if (index < 0 || index >= agent_.ItemCount()) return;
  itemIndex_ = index;
  TItemData item;
  agent_.GetItemData(index, item);
  refreshing_ = true;
  item_->Show(item);
  refreshing_ = false;
}

void TPropertyPages::RefreshItemFields(int index) {
  if (index != itemIndex_ || index < 0 || index >= agent_.ItemCount()) return;
  refreshing_ = true;
  for (int field = 0; field < 4; ++field) item_->ShowOne(field, agent_.Items()[static_cast<size_t>(index)].Field(field));
  refreshing_ = false;
}

TAppletData TPropertyPages::ShownAppletData() const { return applet_->Read(); }

TItemData TPropertyPages::ShownItem() const {
  TItemData item;
  agent_.GetItemData(itemIndex_, item);
  item_->Read(item);
  return item;
}

QList<QWidget*> TPropertyPages::HintControls() const {
  const TScriptPage& s = *tbshtMenu_;
  const TTextPage& t = *tbshtText_;
  const TItemPage& it = *tbshtItem_;
  return {tbshtMenu_,           s.spnedtpWidth,          s.spnedtpHeight,        s.spnedtpBorderWidth,
          s.spnedtpDelay,       s.spnedtpPadding,        s.spnedtpZIndex,        s.pnlpBorderColor,
          s.pnlpBackgroundColor, t.spnedtpTitleSize,     t.spnedtpTitlePadding,  t.spnedtpContentSize,
          t.spnedtpContentPadding, t.pnlpTitleColor,     t.pnlpContentColor,     t.spdbtnpTitleBold,
          t.spdbtnpTitleItalic, t.spdbtnpContentBold,    t.spdbtnpContentItalic, it.grpbxITitle,
          it.grpbxILink,        it.edtICaption,          it.spdbtnItURL};
}

void TPropertyPages::spnedtApWidthChange(QObject* control) {
  if (refreshing_ || guard_->Busy()) return;
  emit Modified();
  CheckSeparatorText(control);
  // Lists and toggles are one step each; text and numbers are typed.
  const bool typed = qobject_cast<QLineEdit*>(control) || qobject_cast<QAbstractSpinBox*>(control) ||
                     qobject_cast<QPlainTextEdit*>(control) ||
                     (qobject_cast<QComboBox*>(control) && static_cast<QComboBox*>(control)->isEditable());
  WriteThrough(control, typed);
}

void TPropertyPages::edtICaptionChange() {
  if (refreshing_ || guard_->Busy()) return;
  emit Modified();
  CheckSeparatorText(tbshtItem_->edtICaption);
  WriteThrough(tbshtItem_->edtICaption, true);
}

void TPropertyPages::GuardedEdit(QObject* control) { spnedtApWidthChange(control); }

void TPropertyPages::pnlApBgClrClick(TColorSwatch* swatch) {
  // A cancelled dialog changed nothing.
  if (!PickColor(swatch)) return;
  WriteThrough(swatch, false);
  emit Modified();
}

bool TPropertyPages::PickColor(TColorSwatch* swatch) {
  const std::optional<QColor> chosen = prompts_.PickColor(dialogParent_, swatch->Color());
  if (!chosen || !chosen->isValid()) return false;
  swatch->SetColor(*chosen);
  return true;
}

void TPropertyPages::spdbtnItURLClick() {
  TFileDialogRequest request;
  request.filter = QStringLiteral("HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*");
  const std::optional<QString> chosen = prompts_.OpenFileName(dialogParent_, request);
  if (!chosen) return;
  // The chosen link is one step of its own, not typing.
  EndTyping();
  browsing_ = true;
  SetControlText(tbshtItem_->cmbxILink, FileNameToUrl(*chosen));
  browsing_ = false;
  WriteThrough(tbshtItem_->cmbxILink, false);
  emit Modified();
}

void TPropertyPages::SpeedButton1Click(QObject* button) {
  emit HelpTopicRequested(HelpTopicUrl(resourceFolder_, HelpTag(button)));
}

bool TPropertyPages::CheckSeparatorText(QObject* control) { return guard_->Check(control); }

void TPropertyPages::ShowHelpFor(const QWidget* focus) {
  emit HelpTopicRequested(HelpTopicUrl(resourceFolder_, GroupHelpTag(focus)));
}

void TPropertyPages::ConnectHelp(QWidget* page) {
  for (QToolButton* button : page->findChildren<QToolButton*>()) {
    if (!button->property("tag").isValid()) continue;
    connect(button, &QToolButton::clicked, this, [this, button] { SpeedButton1Click(button); });
  }
}

void TPropertyPages::ConnectScriptPage() {
  TScriptPage& s = *tbshtMenu_;
  for (TNumberField* field :
       {s.spnedtpWidth, s.spnedtpHeight, s.spnedtpBorderWidth, s.spnedtpDelay, s.spnedtpPadding, s.spnedtpZIndex})
    connect(field, &QSpinBox::textChanged, this, [this, field] { spnedtApWidthChange(field); });
  // The two lists can hold nothing but their entries; choosing one is an edit.
  for (QComboBox* list : {s.cmbxpBorderStyle, s.cmbxpCursor})
    connect(list, &QComboBox::activated, this, [this, list] {
      emit Modified();
      WriteThrough(list, false);
    });
  for (TColorSwatch* swatch : {s.pnlpBorderColor, s.pnlpBackgroundColor})
    connect(swatch, &TColorSwatch::Clicked, this, [this, swatch] { pnlApBgClrClick(swatch); });
  ConnectHelp(&s);
}

void TPropertyPages::ConnectTextPage() {
  TTextPage& t = *tbshtText_;
  for (TNumberField* field :
       {t.spnedtpTitleSize, t.spnedtpTitlePadding, t.spnedtpContentSize, t.spnedtpContentPadding})
    connect(field, &QSpinBox::textChanged, this, [this, field] { spnedtApWidthChange(field); });
  for (QLineEdit* field : {t.edtpTitleFontFamily, t.edtpContentFontFamily})
    connect(field, &QLineEdit::textChanged, this, [this, field] { spnedtApWidthChange(field); });
  for (QComboBox* list : {t.cmbxpTitleAlign, t.cmbxpContentAlign})
    connect(list, &QComboBox::currentIndexChanged, this, [this, list] { spnedtApWidthChange(list); });
  for (QToolButton* toggle : {t.spdbtnpTitleBold, t.spdbtnpTitleItalic, t.spdbtnpContentBold, t.spdbtnpContentItalic})
    connect(toggle, &QToolButton::clicked, this, [this, toggle] { spnedtApWidthChange(toggle); });
  for (TColorSwatch* swatch : {t.pnlpTitleColor, t.pnlpContentColor})
    connect(swatch, &TColorSwatch::Clicked, this, [this, swatch] { pnlApBgClrClick(swatch); });
  ConnectHelp(&t);
}

void TPropertyPages::ConnectItemPage() {
  TItemPage& it = *tbshtItem_;
  connect(it.edtICaption, &QLineEdit::textChanged, this, &TPropertyPages::edtICaptionChange);
  for (QComboBox* field : {it.cmbxILink, it.cmbxITarget})
    connect(field, &QComboBox::editTextChanged, this, [this, field] {
      if (!browsing_) spnedtApWidthChange(field);
    });
  connect(it.spdbtnItURL, &QToolButton::clicked, this, &TPropertyPages::spdbtnItURLClick);
  connect(it.rchedtIContent, &QPlainTextEdit::textChanged, this, [this, &it] { GuardedEdit(it.rchedtIContent); });
  ConnectHelp(&it);
}

void TPropertyPages::ConnectPathPage() {
  TPathPage& p = *tbshtPath_;
  for (QLineEdit* field : {p.edtpInternalUse_RootDir_Local, p.edtpInternalUse_RootDir_Remote})
    connect(field, &QLineEdit::textChanged, this, [this, field] { GuardedEdit(field); });
  for (QRadioButton* choice : {p.rdbtnpInternalUse_RootDir_Local_Checked, p.rdbtnpInternalUse_RootDir_Local_Checked2})
    connect(choice, &QRadioButton::clicked, this, [this, choice] {
      emit Modified();
      WriteThrough(choice, false);
    });
  ConnectHelp(&p);
}
