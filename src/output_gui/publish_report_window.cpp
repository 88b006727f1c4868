#include "output_gui/publish_report_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/local_text.h"

TfrmPublishReport::TfrmPublishReport(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("frmPublishReport"));
  setWindowTitle(QStringLiteral("Applet Publish Report"));
  setModal(true);

  memoPublishReport = new QPlainTextEdit(this);
  memoPublishReport->setObjectName(QStringLiteral("memoPublishReport"));
  memoPublishReport->setReadOnly(true);
  memoPublishReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoPublishReport->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memoPublishReport);
  layout->addLayout(buttons);

  resize(536, 303);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

bool TfrmPublishReport::LoadReport(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  // The report's lines end in CR LF; the text box wants bare line feeds.
  const QByteArray bytes = file.readAll();
  QString text = FromLocalText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  memoPublishReport->setPlainText(text);
  return true;
}
