#include "editor/pages/item_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/pages/page_parts.h"

namespace {

QComboBox* SuggestingField(const QString& name, const QStringList& suggestions, QWidget* parent) {
  auto* field = new QComboBox(parent);
  field->setObjectName(name);
  field->setEditable(true);
  field->setInsertPolicy(QComboBox::NoInsert);
  field->addItems(suggestions);
  field->setEditText(QString());
  field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return field;
}

}  // namespace

TItemPage::TItemPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbshtItem"));
  auto* column = new QVBoxLayout(this);

  SpeedButton23 = HelpButton(QStringLiteral("SpeedButton23"), 7, this);
  TPageGroup title = HelpedGroup(QStringLiteral("Title"), SpeedButton23, this);
  grpbxITitle = title.box;
  grpbxITitle->setObjectName(QStringLiteral("grpbxITitle"));
  edtICaption = new QLineEdit(grpbxITitle);
  edtICaption->setObjectName(QStringLiteral("edtICaption"));
  title.grid->addWidget(edtICaption, 0, 0);
  title.grid->setColumnStretch(0, 1);
  column->addWidget(grpbxITitle);

  SpeedButton24 = HelpButton(QStringLiteral("SpeedButton24"), 8, this);
  TPageGroup link = HelpedGroup(QStringLiteral("Link"), SpeedButton24, this);
  grpbxILink = link.box;
  grpbxILink->setObjectName(QStringLiteral("grpbxILink"));
  cmbxILink = SuggestingField(QStringLiteral("cmbxILink"),
                              {QStringLiteral("http://"), QStringLiteral("mailto://"), QStringLiteral("javascript:"),
                               QStringLiteral("ftp://"), QStringLiteral("news://")},
                              grpbxILink);
  spdbtnItURL = new QToolButton(grpbxILink);
  spdbtnItURL->setObjectName(QStringLiteral("spdbtnItURL"));
  spdbtnItURL->setText(QStringLiteral("..."));
  spdbtnItURL->setAutoRaise(true);
  cmbxITarget = SuggestingField(QStringLiteral("cmbxITarget"),
                                {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"),
                                 QStringLiteral("_top"), QStringLiteral("_search"), QStringLiteral("_media")},
                                grpbxILink);
  link.grid->addWidget(BoldLabel(QStringLiteral("URL"), grpbxILink), 0, 0);
  link.grid->addWidget(cmbxILink, 0, 1);
  link.grid->addWidget(spdbtnItURL, 0, 2);
  link.grid->addWidget(BoldLabel(QStringLiteral("Target"), grpbxILink), 1, 0);
  link.grid->addWidget(cmbxITarget, 1, 1);
  link.grid->setColumnStretch(1, 1);
  column->addWidget(grpbxILink);

  SpeedButton6 = HelpButton(QStringLiteral("SpeedButton6"), 9, this);
  TPageGroup content = HelpedGroup(QStringLiteral("Content"), SpeedButton6, this);
  content.box->setObjectName(QStringLiteral("grpbxIContent"));
  rchedtIContent = new QPlainTextEdit(content.box);
  rchedtIContent->setObjectName(QStringLiteral("rchedtIContent"));
  rchedtIContent->setLineWrapMode(QPlainTextEdit::NoWrap);
  rchedtIContent->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  rchedtIContent->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The content holds no tabs worth typing; Tab moves on as everywhere else.
  rchedtIContent->setTabChangesFocus(true);
  QFont contentFont(QStringLiteral("MS Sans Serif"));
  contentFont.setPointSize(8);
  contentFont.setStyleHint(QFont::SansSerif);
  rchedtIContent->setFont(contentFont);
  content.grid->addWidget(rchedtIContent, 0, 0);
  content.grid->setColumnStretch(0, 1);
  // The content group takes all the height the page has left.
  column->addWidget(content.box, 1);
}
