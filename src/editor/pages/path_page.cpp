#include "editor/pages/path_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/pages/page_parts.h"

TPathPage::TPathPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbshtPath"));
  auto* column = new QVBoxLayout(this);

  SpeedButton28 = HelpButton(QStringLiteral("SpeedButton28"), 6, this);
  TPageGroup group = HelpedGroup(QStringLiteral("Path Replacement for Publishing"), SpeedButton28, this);
  group.box->setObjectName(QStringLiteral("grpbxPath"));
  QWidget* box = group.box;

  lblExplanation = new QLabel(
      QStringLiteral("If item's URL contains either local or web path you specified here, one path will be "
                     "replaced by another depending on the choice below. Local path will be replaced by web path "
                     "for uploading if you need to upload the menu to web server to test or publish. "),
      box);
  lblExplanation->setObjectName(QStringLiteral("lblExplanation"));
  lblExplanation->setWordWrap(true);
  QPalette grey = lblExplanation->palette();
  grey.setColor(QPalette::WindowText, Qt::gray);
  lblExplanation->setPalette(grey);

  edtpInternalUse_RootDir_Local = new QLineEdit(box);
  edtpInternalUse_RootDir_Local->setObjectName(QStringLiteral("edtpInternalUse_RootDir_Local"));
  edtpInternalUse_RootDir_Remote = new QLineEdit(box);
  edtpInternalUse_RootDir_Remote->setObjectName(QStringLiteral("edtpInternalUse_RootDir_Remote"));

  rdbtnpInternalUse_RootDir_Local_Checked =
      new QRadioButton(QStringLiteral("Test on Local Computer (Convert to Local Path)"), box);
  rdbtnpInternalUse_RootDir_Local_Checked->setObjectName(QStringLiteral("rdbtnpInternalUse_RootDir_Local_Checked"));
  rdbtnpInternalUse_RootDir_Local_Checked2 =
      new QRadioButton(QStringLiteral("Upload to Web Server (Convert to Web Path)"), box);
  rdbtnpInternalUse_RootDir_Local_Checked2->setObjectName(
      QStringLiteral("rdbtnpInternalUse_RootDir_Local_Checked2"));
  rdbtnpInternalUse_RootDir_Local_Checked->setChecked(true);

  QGridLayout* grid = group.grid;
  int row = 0;
  grid->addWidget(lblExplanation, row++, 0);
  grid->addWidget(BoldLabel(QStringLiteral("Root Directory for Local Computer"), box), row++, 0);
  grid->addWidget(BoldLabel(QStringLiteral("e.g. file:///C:/projects/websites/orvanta/"), box), row++, 0);
  grid->addWidget(edtpInternalUse_RootDir_Local, row++, 0);
  grid->addWidget(BoldLabel(QStringLiteral("Root Directory for Web Server"), box), row++, 0);
  grid->addWidget(BoldLabel(QStringLiteral("e.g. http://www.example.org/"), box), row++, 0);
  grid->addWidget(edtpInternalUse_RootDir_Remote, row++, 0);
  grid->addWidget(rdbtnpInternalUse_RootDir_Local_Checked, row++, 0);
  grid->addWidget(rdbtnpInternalUse_RootDir_Local_Checked2, row++, 0);
  grid->setColumnStretch(0, 1);
  column->addWidget(group.box);
  column->addStretch(1);
}

void TPathPage::SetRootChoice(bool local, bool web) {
  // The pair is auto-exclusive, which refuses to uncheck its checked button;
  // lifting that for the moment lets a stored value show "neither chosen".
  for (QRadioButton* b : {rdbtnpInternalUse_RootDir_Local_Checked, rdbtnpInternalUse_RootDir_Local_Checked2})
    b->setAutoExclusive(false);
  rdbtnpInternalUse_RootDir_Local_Checked->setChecked(local);
  rdbtnpInternalUse_RootDir_Local_Checked2->setChecked(web && !local);
  for (QRadioButton* b : {rdbtnpInternalUse_RootDir_Local_Checked, rdbtnpInternalUse_RootDir_Local_Checked2})
    b->setAutoExclusive(true);
}
