#include "editor/pages/text_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "editor/pages/page_parts.h"
#include "model/vocabulary.h"

namespace {

// The controls of one of the two groups, which are built alike.
struct TFontGroup {
  QGroupBox* box;
  QLineEdit* fontFamily;
  TNumberField* size;
  TNumberField* padding;
  TColorSwatch* color;
  QToolButton* bold;
  QToolButton* italic;
  QComboBox* align;
  QToolButton* help;
};

// `part` is both the group's title and the middle of its control names.
TFontGroup BuildFontGroup(const QString& part, const QString& helpName, int helpTag, QWidget* page) {
  TFontGroup g{};
  g.help = HelpButton(helpName, helpTag, page);
  TPageGroup group = HelpedGroup(part, g.help, page);
  g.box = group.box;
  g.box->setObjectName(QStringLiteral("grpbx") + part);
  QWidget* box = group.box;
  g.fontFamily = new QLineEdit(box);
  g.fontFamily->setObjectName(QStringLiteral("edtp%1FontFamily").arg(part));
  g.size = new TNumberField(QStringLiteral("spnedtp%1Size").arg(part), box);
  g.padding = new TNumberField(QStringLiteral("spnedtp%1Padding").arg(part), box);
  g.color = new TColorSwatch(QStringLiteral("pnlp%1Color").arg(part), box);
  g.bold = ToggleButton(QStringLiteral("spdbtnp%1Bold").arg(part), QStringLiteral("B"), true, false, box);
  g.italic = ToggleButton(QStringLiteral("spdbtnp%1Italic").arg(part), QStringLiteral("I"), false, true, box);
  g.align = FixedList(QStringLiteral("cmbxp%1Align").arg(part), kAlignments, box);

  QGridLayout* grid = group.grid;
  grid->addWidget(BoldLabel(QStringLiteral("Font"), box), 0, 0);
  grid->addWidget(g.fontFamily, 0, 1);
  grid->addWidget(BoldLabel(QStringLiteral("Size"), box), 1, 0);
  grid->addWidget(g.size, 1, 1, Qt::AlignLeft);
  grid->addWidget(BoldLabel(QStringLiteral("Padding"), box), 2, 0);
  grid->addWidget(g.padding, 2, 1, Qt::AlignLeft);
  grid->addWidget(BoldLabel(QStringLiteral("Color"), box), 3, 0);
  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(g.color);
  colorRow->addWidget(g.bold);
  colorRow->addWidget(g.italic);
  colorRow->addSpacing(12);
  colorRow->addWidget(BoldLabel(QStringLiteral("Align"), box));
  colorRow->addWidget(g.align, 1);
  grid->addLayout(colorRow, 3, 1);
  grid->setColumnStretch(1, 1);
  return g;
}

}  // namespace

TTextPage::TTextPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tbshtText"));
  auto* column = new QVBoxLayout(this);

  const TFontGroup title =
      BuildFontGroup(QStringLiteral("Title"), QStringLiteral("SpeedButton2"), 4, this);
  edtpTitleFontFamily = title.fontFamily;
  spnedtpTitleSize = title.size;
  spnedtpTitlePadding = title.padding;
  pnlpTitleColor = title.color;
  spdbtnpTitleBold = title.bold;
  spdbtnpTitleItalic = title.italic;
  cmbxpTitleAlign = title.align;
  SpeedButton2 = title.help;
  column->addWidget(title.box);

  const TFontGroup content = BuildFontGroup(QStringLiteral("Content"), QStringLiteral("SpeedButton3"), 5, this);
  edtpContentFontFamily = content.fontFamily;
  spnedtpContentSize = content.size;
  spnedtpContentPadding = content.padding;
  pnlpContentColor = content.color;
  spdbtnpContentBold = content.bold;
  spdbtnpContentItalic = content.italic;
  cmbxpContentAlign = content.align;
  SpeedButton3 = content.help;
  column->addWidget(content.box);
  column->addStretch(1);
}
