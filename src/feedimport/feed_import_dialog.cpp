#include "feedimport/feed_import_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "feed/feed_import.h"

TFeedImportDialog::TFeedImportDialog(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("frmFeedImport"));
  setWindowTitle(tr("Import News Feed"));
  browse_.filter = QString::fromLatin1(kFeedFilter);

  edtSource_ = new QLineEdit(this);
  edtSource_->setObjectName(QStringLiteral("edtFeedSource"));
  edtSource_->setPlaceholderText(tr("https://example.com/feed.xml"));
  edtSource_->setMinimumWidth(320);
  edtSource_->setToolTip(tr("The address of an RSS, Atom or JSON feed (http or https), or a saved feed file"));
  auto* browse = new QPushButton(tr("&Browse..."), this);
  browse->setObjectName(QStringLiteral("btnFeedBrowse"));
  connect(browse, &QPushButton::clicked, this, &TFeedImportDialog::BrowseClick);
  auto* sourceRow = new QHBoxLayout;
  sourceRow->addWidget(edtSource_, 1);
  sourceRow->addWidget(browse);

  spnItems_ = new QSpinBox(this);
  spnItems_->setObjectName(QStringLiteral("spnFeedItems"));
  spnItems_->setRange(1, kMaxItems);
  spnItems_->setValue(static_cast<int>(kDefaultFeedItems));
  spnItems_->setToolTip(tr("How many of the feed's newest entries become items"));

  auto* form = new QFormLayout;
  // The field here is a row of two, so the label is made by hand: a label
  // without a buddy shows its "&" as is.
  auto* sourceLabel = new QLabel(tr("&Address or file:"), this);
  sourceLabel->setObjectName(QStringLiteral("lblFeedSource"));
  sourceLabel->setBuddy(edtSource_);
  form->addRow(sourceLabel, sourceRow);
  form->addRow(tr("&Number of items:"), spnItems_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  btnOk_ = buttons->button(QDialogButtonBox::Ok);
  btnOk_->setObjectName(QStringLiteral("btnFeedOk"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(edtSource_, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
  UpdateOk();
}

QString TFeedImportDialog::Source() const { return edtSource_->text().trimmed(); }
void TFeedImportDialog::SetSource(const QString& source) { edtSource_->setText(source); }
int TFeedImportDialog::ItemCount() const { return spnItems_->value(); }
void TFeedImportDialog::SetItemCount(int count) { spnItems_->setValue(count); }

void TFeedImportDialog::BrowseClick() {
  const std::optional<QString> chosen = prompts_.OpenFileName(this, browse_);
  if (!chosen) return;
  const QFileInfo picked(*chosen);
  browse_.initialFolder = picked.absolutePath();
  browse_.fileName = picked.fileName();
  edtSource_->setText(*chosen);
}

// Nothing to read from an empty source: OK waits for one.
void TFeedImportDialog::UpdateOk() { btnOk_->setEnabled(!Source().isEmpty()); }
