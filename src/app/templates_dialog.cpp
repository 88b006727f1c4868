#include "app/templates_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_commands.h"

TfrmTemplet::TfrmTemplet(TFileCommands& commands, QString templatesFolder, TSetting setting, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      commands_(commands),
      folder_(std::move(templatesFolder)),
      setting_(std::move(setting)) {
  setObjectName(QStringLiteral("frmTemplet"));
  setWindowTitle(QStringLiteral("Template"));

  if (!QDir().mkpath(folder_)) {
    commands_.ShowError(QStringLiteral("Cannot create ") + QDir::toNativeSeparators(QDir::cleanPath(folder_)));
  }

  TempletList_ = new QListWidget(this);
  TempletList_->setObjectName(QStringLiteral("TempletList"));
  const QStringList names = QDir(folder_).entryList({QStringLiteral("*.jslr")}, QDir::Files, QDir::Name);
  // Shown without the extension; the file name stays with each line.
  for (const QString& name : names) {
    auto* line = new QListWidgetItem(QFileInfo(name).completeBaseName(), TempletList_);
    line->setData(Qt::UserRole, name);
  }
  // The first template is highlighted and chosen at once, so Enter (the
  // default button) opens what the list shows as chosen.
  if (TempletList_->count() > 0) TempletList_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
  connect(TempletList_, &QListWidget::itemDoubleClicked, this, [this] { OkClick(); });

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  connect(ok, &QPushButton::clicked, this, &TfrmTemplet::OkClick);
  connect(cancel, &QPushButton::clicked, this, &TfrmTemplet::CancelClick);

  auto* note = new QLabel(QStringLiteral("Click OK, The template you selected will be opened. Click Cancel, a new "
                                         "project\nwill be created."),
                          this);
  chckbxDontShow_ = new QCheckBox(QStringLiteral("Don't show this dialog again."), this);
  chckbxDontShow_->setObjectName(QStringLiteral("chckbxDontShow"));
  connect(chckbxDontShow_, &QCheckBox::clicked, this, &TfrmTemplet::chckbxDontShowClick);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* grid = new QGridLayout(this);
  grid->addWidget(TempletList_, 0, 0);
  grid->addLayout(buttons, 0, 1);
  grid->addWidget(note, 1, 0, 1, 2);
  grid->addWidget(chckbxDontShow_, 2, 0, 1, 2);
  TempletList_->setMinimumSize(360, 200);
  // Sized to its contents and not resizable.
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmTemplet::showEvent(QShowEvent* event) {
  const QSignalBlocker quiet(chckbxDontShow_);
  chckbxDontShow_->setChecked(!setting_.read());
  QDialog::showEvent(event);
}

void TfrmTemplet::chckbxDontShowClick() {
  const bool show = !chckbxDontShow_->isChecked();
  // Failing to switch the dialog off costs nothing; failing to switch it
  // back on would hide it for good, so that is reported.
  if (!setting_.write(show) && show) commands_.ShowError(QStringLiteral("Cannot write the setting ShowTempletsDialog"));
}

void TfrmTemplet::OkClick() {
  const QList<QListWidgetItem*> chosen = TempletList_->selectedItems();
  const QString path = chosen.isEmpty() ? QString() : QDir(folder_).filePath(chosen.first()->data(Qt::UserRole).toString());
  accept();
  if (!path.isEmpty()) commands_.OpenTemplate(path);
}

void TfrmTemplet::CancelClick() {
  commands_.New1Click();
  QDialog::reject();
}
