#include "output_gui/code_view_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TformHTML::TformHTML(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("HTML"));
  setObjectName(QStringLiteral("formHTML"));
  setModal(true);

  memoHTMLBuild = new QPlainTextEdit(this);
  memoHTMLBuild->setObjectName(QStringLiteral("memoHTMLBuild"));
  memoHTMLBuild->setReadOnly(true);
  memoHTMLBuild->setLineWrapMode(QPlainTextEdit::NoWrap);
  memoHTMLBuild->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoHTMLBuild->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  buttonOk = new QPushButton(QStringLiteral("&OK"), this);
  buttonOk->setObjectName(QStringLiteral("btnOK"));
  buttonOk->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("&Copy to Clipboard"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  connect(buttonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &TformHTML::Button2Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button2);
  buttons->addWidget(buttonOk);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memoHTMLBuild);
  layout->addLayout(buttons);

  resize(672, 517);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TformHTML::SetPageText(const QString& text) { memoHTMLBuild->setPlainText(text); }

QString TformHTML::PageText() const { return memoHTMLBuild->toPlainText(); }

void TformHTML::Button2Click() {
  memoHTMLBuild->selectAll();
  QGuiApplication::clipboard()->setText(memoHTMLBuild->toPlainText());
}
