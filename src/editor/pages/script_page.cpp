#include "editor/pages/script_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "editor/pages/page_parts.h"
#include "model/vocabulary.h"

namespace {

// One "label: control" row of a group. Lists grow with the window; numbers
// and swatches keep their own width.
void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* control) {
  grid->addWidget(BoldLabel(label, control->parentWidget()), row, 0);
  grid->addWidget(control, row, 1, qobject_cast<QComboBox*>(control) ? Qt::Alignment() : Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
}

}  // namespace

TScriptPage::TScriptPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbshtMenu"));
  auto* column = new QVBoxLayout(this);

  SpeedButton1 = HelpButton(QStringLiteral("SpeedButton1"), 1, this);
  TPageGroup general = HelpedGroup(QStringLiteral("General"), SpeedButton1, this);
  general.box->setObjectName(QStringLiteral("grpbxGeneral"));
  spnedtpWidth = new TNumberField(QStringLiteral("spnedtpWidth"), general.box);
  spnedtpHeight = new TNumberField(QStringLiteral("spnedtpHeight"), general.box);
  AddRow(general.grid, 0, QStringLiteral("News Box Width"), spnedtpWidth);
  AddRow(general.grid, 1, QStringLiteral("Height"), spnedtpHeight);
  column->addWidget(general.box);

  SpeedButton4 = HelpButton(QStringLiteral("SpeedButton4"), 2, this);
  TPageGroup border = HelpedGroup(QStringLiteral("Border"), SpeedButton4, this);
  border.box->setObjectName(QStringLiteral("grpbxBorder"));
  spnedtpBorderWidth = new TNumberField(QStringLiteral("spnedtpBorderWidth"), border.box);
  cmbxpBorderStyle = FixedList(QStringLiteral("cmbxpBorderStyle"), kBorderStyles, border.box);
  pnlpBorderColor = new TColorSwatch(QStringLiteral("pnlpBorderColor"), border.box);
  AddRow(border.grid, 0, QStringLiteral("Width"), spnedtpBorderWidth);
  AddRow(border.grid, 1, QStringLiteral("Style"), cmbxpBorderStyle);
  AddRow(border.grid, 2, QStringLiteral("Color"), pnlpBorderColor);
  column->addWidget(border.box);

  SpeedButton5 = HelpButton(QStringLiteral("SpeedButton5"), 3, this);
  TPageGroup misc = HelpedGroup(QStringLiteral("Misc"), SpeedButton5, this);
  misc.box->setObjectName(QStringLiteral("grpbxMisc"));
  spnedtpDelay = new TNumberField(QStringLiteral("spnedtpDelay"), misc.box);
  pnlpBackgroundColor = new TColorSwatch(QStringLiteral("pnlpBackgroundColor"), misc.box);
  spnedtpPadding = new TNumberField(QStringLiteral("spnedtpPadding"), misc.box);
  cmbxpCursor = FixedList(QStringLiteral("cmbxpCursor"), kCursors, misc.box);
  spnedtpZIndex = new TNumberField(QStringLiteral("spnedtpZIndex"), misc.box);
  AddRow(misc.grid, 0, QStringLiteral("Delay"), spnedtpDelay);
  AddRow(misc.grid, 1, QStringLiteral("Background Color"), pnlpBackgroundColor);
  AddRow(misc.grid, 2, QStringLiteral("Padding"), spnedtpPadding);
  AddRow(misc.grid, 3, QStringLiteral("Cursor"), cmbxpCursor);
  AddRow(misc.grid, 4, QStringLiteral("Z-Index"), spnedtpZIndex);
  column->addWidget(misc.box);
  column->addStretch(1);
}
