#pragma once
// The browser choice window: the default browser of the desktop, one of the
// detected browsers, or a program the user names. Creating it detects the
// browsers and loads the saved choice, so the preview creates it unseen and
// calls OpenPage; "Web Browser..." shows it and OK saves the choice.

#include <QDialog>
#include <QList>

#include "platform/browser_detection.h"
#include "platform/settings.h"

class Launcher;
class Prompts;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QUrl;

class TformWebBrowser : public QDialog {
  Q_OBJECT
 public:
  TformWebBrowser(Prompts& prompts, Launcher& launcher, TSettingsFactory settings,
                  const TDetectionEnvironment& environment, QWidget* parent = nullptr);

  // Opens folder + fileName with the marked choice.
  void OpenPage(const QString& folder, const QString& fileName);
  // Opens a web address (a link of the live preview) with the marked choice.
  void OpenAddress(const QUrl& address);

  const QList<TWebBrowserNamePath>& Browsers() const { return browsers_; }

 private:
  // page: what a named browser program gets; url: what the desktop opens.
  void Open(const QString& page, const QUrl& url);
  void BuildControls();
  void FormCreate(const TDetectionEnvironment& environment);
  void LoadChoice();
  void bitbtnOkClick();
  void ComboBoxBrowserListChange();
  void RadioButtonBrowserKnownInSystemClick();
  void spdbtnOpenExeFileClick();

  Prompts& prompts_;
  Launcher& launcher_;
  TSettingsFactory settings_;
  QList<TWebBrowserNamePath> browsers_;

  QGroupBox* groupBox;
  QRadioButton* RadioButtonBrowserDefault;
  QRadioButton* RadioButtonBrowserKnownInSystem;
  QRadioButton* RadioButtonBrowserUserSpecify;
  QComboBox* ComboBoxBrowserList;
  QLabel* labelExecuteFile;
  QLineEdit* editSpecifiedBrowserFileName;
  QToolButton* spdbtnOpenExeFile;
  QPushButton* bitbtnOk;
  QPushButton* bitbtnCancel;
};
