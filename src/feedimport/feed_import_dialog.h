#pragma once
// The small dialog of File > Import News Feed: where the feed is (an http or
// https address, or a file chosen with Browse), and how many of its newest
// entries become items.

#include <QDialog>
#include <QString>

#include "platform/prompts.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

class TFeedImportDialog : public QDialog {
  Q_OBJECT

 public:
  TFeedImportDialog(Prompts& prompts, QWidget* parent = nullptr);

  QString Source() const;
  void SetSource(const QString& source);
  int ItemCount() const;
  void SetItemCount(int count);

  // Browse: the file dialog through Prompts; a chosen file becomes the source.
  void BrowseClick();

  QLineEdit& SourceField() { return *edtSource_; }
  QSpinBox& CountField() { return *spnItems_; }
  QPushButton& OkButton() { return *btnOk_; }

  static constexpr int kMaxItems = 1000;
  static constexpr const char* kFeedFilter =
      "News Feeds (*.xml;*.rss;*.atom;*.rdf;*.json)|*.xml;*.rss;*.atom;*.rdf;*.json|All Files (*.*)|*";

 private:
  void UpdateOk();

  Prompts& prompts_;
  QLineEdit* edtSource_ = nullptr;
  QSpinBox* spnItems_ = nullptr;
  QPushButton* btnOk_ = nullptr;
  TFileDialogRequest browse_;
};
