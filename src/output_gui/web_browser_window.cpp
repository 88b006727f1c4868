#include "output_gui/web_browser_window.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <optional>

#include "platform/launcher.h"
#include "platform/prompts.h"

namespace {

#ifdef Q_OS_WIN
const char kProgramFilter[] = "Execute Files (*.exe, *.com)|*.exe; *.com";
#else
const char kProgramFilter[] = "Programs (*)|*";
#endif

const QString kUseDefault = QStringLiteral("UseDefaultBrowser");
const QString kUseKnown = QStringLiteral("UseKnownBrowser");
const QString kUseSpecified = QStringLiteral("UseSpecifiedBrowser");
const QString kSelectedNumber = QStringLiteral("SelectedBrowserNumber");
const QString kSpecifiedPath = QStringLiteral("SpecifiedBrowserExePath");

}  // namespace

TformWebBrowser::TformWebBrowser(Prompts& prompts, Launcher& launcher, TSettingsFactory settings,
                                 const TDetectionEnvironment& environment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      prompts_(prompts),
      launcher_(launcher),
      settings_(std::move(settings)) {
  BuildControls();
  FormCreate(environment);
}

void TformWebBrowser::BuildControls() {
  setObjectName(QStringLiteral("formWebBrowser"));
  setWindowTitle(QStringLiteral("Web Browser"));
  setProperty("helpContext", 45);

  groupBox = new QGroupBox(QStringLiteral("Web Browser"), this);
  RadioButtonBrowserDefault = new QRadioButton(QStringLiteral("Use Default Browser"), groupBox);
  RadioButtonBrowserDefault->setObjectName(QStringLiteral("RadioButtonBrowserDefault"));
  RadioButtonBrowserDefault->setChecked(true);
  RadioButtonBrowserKnownInSystem = new QRadioButton(QStringLiteral("Use Known Browser in System"), groupBox);
  RadioButtonBrowserKnownInSystem->setObjectName(QStringLiteral("RadioButtonBrowserKnownInSystem"));
  ComboBoxBrowserList = new QComboBox(groupBox);
  ComboBoxBrowserList->setObjectName(QStringLiteral("ComboBoxBrowserList"));
  ComboBoxBrowserList->setEditable(false);
  RadioButtonBrowserUserSpecify = new QRadioButton(QStringLiteral("User Specified Browser Program"), groupBox);
  RadioButtonBrowserUserSpecify->setObjectName(QStringLiteral("RadioButtonBrowserUserSpecify"));
  labelExecuteFile = new QLabel(QStringLiteral("Execute File:"), groupBox);
  editSpecifiedBrowserFileName = new QLineEdit(groupBox);
  editSpecifiedBrowserFileName->setObjectName(QStringLiteral("editSpecifiedBrowserFileName"));
  labelExecuteFile->setBuddy(editSpecifiedBrowserFileName);
  spdbtnOpenExeFile = new QToolButton(groupBox);
  spdbtnOpenExeFile->setObjectName(QStringLiteral("spdbtnOpenExeFile"));
  spdbtnOpenExeFile->setText(QStringLiteral("..."));

  auto* grid = new QGridLayout(groupBox);
  grid->addWidget(RadioButtonBrowserDefault, 0, 0, 1, 3);
  grid->addWidget(RadioButtonBrowserKnownInSystem, 1, 0, 1, 3);
  grid->addWidget(ComboBoxBrowserList, 2, 1, 1, 2);
  grid->addWidget(RadioButtonBrowserUserSpecify, 3, 0, 1, 3);
  grid->addWidget(labelExecuteFile, 4, 1, 1, 2);
  grid->addWidget(editSpecifiedBrowserFileName, 5, 1);
  grid->addWidget(spdbtnOpenExeFile, 5, 2);
  grid->setColumnMinimumWidth(0, 16);
  grid->setColumnStretch(1, 1);

  bitbtnOk = new QPushButton(QStringLiteral("OK"), this);
  bitbtnOk->setObjectName(QStringLiteral("bitbtnOk"));
  bitbtnOk->setDefault(true);
  bitbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  bitbtnCancel->setObjectName(QStringLiteral("bitbtnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(bitbtnOk);
  buttons->addWidget(bitbtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(groupBox);
  layout->addLayout(buttons);

  connect(bitbtnOk, &QPushButton::clicked, this, &TformWebBrowser::bitbtnOkClick);
  connect(bitbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ComboBoxBrowserList, &QComboBox::activated, this, &TformWebBrowser::ComboBoxBrowserListChange);
  connect(RadioButtonBrowserKnownInSystem, &QRadioButton::clicked, this,
          &TformWebBrowser::RadioButtonBrowserKnownInSystemClick);
  connect(spdbtnOpenExeFile, &QToolButton::clicked, this, &TformWebBrowser::spdbtnOpenExeFileClick);

  resize(sizeHint().expandedTo(QSize(400, 0)));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TformWebBrowser::FormCreate(const TDetectionEnvironment& environment) {
  browsers_ = DetectWebBrowsers(environment);
  ComboBoxBrowserList->clear();
  for (const TWebBrowserNamePath& browser : browsers_) ComboBoxBrowserList->addItem(browser.Name);
  ComboBoxBrowserList->setCurrentIndex(-1);
  LoadChoice();
}

// Reads the saved values in their fixed order; the first one missing or
// unreadable ends the reading and what was read stays.
void TformWebBrowser::LoadChoice() {
  if (!settings_) return;
  const std::unique_ptr<QSettings> settings = settings_();
  if (!settings || settings->status() != QSettings::NoError || !GroupExists(*settings, kWebBrowsersGroup)) return;
  settings->beginGroup(kWebBrowsersGroup);
  // Unmarking a radio button cannot leave the group without a mark, so a
  // value of 0 leaves the choice as it was; a stored set of three zeros
  // therefore keeps the default choice.
  for (auto [key, button] : {std::pair{kUseDefault, RadioButtonBrowserDefault},
                             std::pair{kUseKnown, RadioButtonBrowserKnownInSystem},
                             std::pair{kUseSpecified, RadioButtonBrowserUserSpecify}}) {
    const std::optional<int> value = ReadInt(*settings, key);
    if (!value) return;
    if (*value != 0) button->setChecked(true);
  }
  const std::optional<int> selected = ReadInt(*settings, kSelectedNumber);
  if (!selected) return;
  if (*selected < ComboBoxBrowserList->count())
    ComboBoxBrowserList->setCurrentIndex(*selected < 0 ? -1 : *selected);
  else if (ComboBoxBrowserList->count() > 0)
    ComboBoxBrowserList->setCurrentIndex(0);
  if (!KeyExists(*settings, kSpecifiedPath)) return;
  editSpecifiedBrowserFileName->setText(settings->value(kSpecifiedPath).toString());
}

void TformWebBrowser::bitbtnOkClick() {
  if (settings_) {
    if (const std::unique_ptr<QSettings> settings = settings_()) {
      settings->beginGroup(kWebBrowsersGroup);
      settings->setValue(kUseDefault, RadioButtonBrowserDefault->isChecked() ? 1 : 0);
      settings->setValue(kUseKnown, RadioButtonBrowserKnownInSystem->isChecked() ? 1 : 0);
      settings->setValue(kUseSpecified, RadioButtonBrowserUserSpecify->isChecked() ? 1 : 0);
      settings->setValue(kSelectedNumber, ComboBoxBrowserList->currentIndex());
      settings->setValue(kSpecifiedPath, editSpecifiedBrowserFileName->text());
      settings->endGroup();
      settings->sync();
    }
  }
  accept();
}

void TformWebBrowser::ComboBoxBrowserListChange() { RadioButtonBrowserKnownInSystem->setChecked(true); }

void TformWebBrowser::RadioButtonBrowserKnownInSystemClick() {
  if (ComboBoxBrowserList->count() == 0) RadioButtonBrowserDefault->setChecked(true);
}

void TformWebBrowser::spdbtnOpenExeFileClick() {
  TFileDialogRequest request;
  request.filter = QString::fromLatin1(kProgramFilter);
  const QFileInfo current(editSpecifiedBrowserFileName->text());
  if (!editSpecifiedBrowserFileName->text().isEmpty()) {
    request.initialFolder = current.path();
    request.fileName = current.fileName();
  }
  if (const std::optional<QString> chosen = prompts_.OpenFileName(this, request))
    editSpecifiedBrowserFileName->setText(*chosen);
}

// The page goes to a browser program as one argument, so a path with blanks
// arrives whole. A known-browser choice without a usable line, and a named
// program left empty, fall back to the default browser rather than doing
// nothing.
void TformWebBrowser::OpenPage(const QString& folder, const QString& fileName) {
  const QString page = folder + fileName;
  Open(page, QUrl::fromLocalFile(page));
}

void TformWebBrowser::OpenAddress(const QUrl& address) {
  Open(address.isLocalFile() ? address.toLocalFile() : address.toString(QUrl::FullyEncoded), address);
}

void TformWebBrowser::Open(const QString& page, const QUrl& url) {
  const int line = ComboBoxBrowserList->currentIndex();
  QString program;
  if (RadioButtonBrowserUserSpecify->isChecked() && !editSpecifiedBrowserFileName->text().isEmpty()) {
    program = editSpecifiedBrowserFileName->text();
  } else if (RadioButtonBrowserKnownInSystem->isChecked() && line >= 0 && line < browsers_.size()) {
    program = browsers_[line].Path;
  }
  if (!program.isEmpty()) {
    // Otherwise a Preview with a mistyped browser path does nothing at all.
    // The window is often gone when a browser that started ends at once
    // (the preview makes it only to open the page), so the message goes to
    // its owner.
    Prompts& prompts = prompts_;
    const QPointer<QWidget> owner = parentWidget();
    const auto endedAtOnce = [&prompts, owner, program](const QString& detail) {
      QString text = QStringLiteral("The browser program \"%1\" ended at once without showing the page.").arg(program);
      if (!detail.isEmpty()) text += QStringLiteral("\n\n") + detail;
      prompts.Tell(owner, TMessageKind::Error, text);
    };
    if (!launcher_.StartProgram(program, {page}, endedAtOnce))
      prompts_.Tell(this, TMessageKind::Error,
                    QStringLiteral("The browser program \"%1\" could not be started.").arg(program));
  } else {
    launcher_.OpenUrl(url);
  }
}
