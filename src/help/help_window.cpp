#include "help/help_window.h"

#include <QKeyEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "platform/launcher.h"

TfrmHelp::TfrmHelp(Launcher& launcher, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      launcher_(launcher) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("Help"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  WebBrowser1_ = new QTextBrowser(this);
  WebBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
  WebBrowser1_->setOpenLinks(false);
  layout->addWidget(WebBrowser1_);
  connect(WebBrowser1_, &QTextBrowser::anchorClicked, this, &TfrmHelp::FollowLink);
  setFixedSize(402, 428);
  move(265, 180);
}

QUrl HelpWindowAddress(const QUrl& address) {
  const QString path = address.path();
  const bool barredDrive = path.size() >= 4 && path[0] == u'/' && path[1].isLetter() && path[1].unicode() < 0x80 &&
                           path[2] == u'|' && path[3] == u'/';
  if (!address.isLocalFile() || !barredDrive) return address;
  QUrl fixed = address;
  fixed.setPath(path.left(2) + u':' + path.mid(3));
  return fixed;
}

void TfrmHelp::ShowTopic(const QUrl& address) {
  WebBrowser1_->setSource(HelpWindowAddress(address));
  show();
  raise();
  activateWindow();
}

void TfrmHelp::FollowLink(const QUrl& link) {
  const QUrl target = WebBrowser1_->source().resolved(link);
  if (target.isLocalFile()) {
    WebBrowser1_->setSource(target);
  } else {
    launcher_.OpenUrl(target);
  }
}

void TfrmHelp::keyPressEvent(QKeyEvent* event) {
  // Escape puts the window away, as it does a dialog.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
