#include "help/about_window.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "output/product_info.h"
#include "platform/launcher.h"

namespace {

constexpr const char* kLinkBlue = "#0000ff";
constexpr const char* kLinkRed = "#ff0000";

}  // namespace

TformAbout::TformAbout(Launcher& launcher, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      launcher_(launcher) {
  setObjectName(QStringLiteral("formAbout"));
  setWindowTitle(QStringLiteral("JavaScript Lumeroll"));
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setMouseTracking(true);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("imgProductIcon"));
  const QIcon programIcon = parent ? parent->windowIcon() : QApplication::windowIcon();
  icon->setPixmap(programIcon.pixmap(QSize(32, 32), devicePixelRatio()));
  icon->setFixedSize(32, 32);
  auto* name = new QLabel(QStringLiteral("JavaScript Lumeroll"), this);
  name->setObjectName(QStringLiteral("lblProductName"));
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* version = new QLabel(QStringLiteral("Version 1.0"), this);
  version->setObjectName(QStringLiteral("lblProductVersion"));

  auto* heading = new QGridLayout;
  heading->setHorizontalSpacing(12);
  heading->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  heading->addWidget(name, 0, 1);
  heading->addWidget(version, 1, 1);
  heading->setColumnStretch(1, 1);

  // The rows are set a little smaller so the support address fits the
  // window's fixed width.
  QFont rowFont = font();
  rowFont.setPointSizeF(rowFont.pointSizeF() * 0.9);
  auto* links = new QGridLayout;
  links->setHorizontalSpacing(8);
  auto addLink = [&](int row, const char* labelName, const QString& caption, const char* linkName,
                     const char* address) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(labelName));
    auto* link = new QLabel(QString::fromLatin1(address), this);
    link->setObjectName(QString::fromLatin1(linkName));
    label->setFont(rowFont);
    link->setFont(rowFont);
    link->setCursor(Qt::PointingHandCursor);
    link->setMouseTracking(true);
    link->installEventFilter(this);
    Paint(*link, kLinkBlue);
    links->addWidget(label, row, 0);
    links->addWidget(link, row, 1);
    return link;
  };
  lblHomePage_ = addLink(0, "lblWebSite", tr("Web Site"), "lblHomePage", kHomePageAddress);
  lblSupport_ = addLink(1, "lblTechSupport", tr("Tech Support"), "lblSupport", kSupportPageAddress);
  links->setColumnStretch(1, 1);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 14, 12, 10);
  layout->addLayout(heading);
  layout->addSpacing(18);
  layout->addLayout(links);
  layout->addStretch(1);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  setFixedSize(313, 211);
}

void TformAbout::Paint(QLabel& link, const char* color) {
  QPalette palette = link.palette();
  palette.setColor(QPalette::WindowText, QColor(QString::fromLatin1(color)));
  link.setPalette(palette);
}

bool TformAbout::eventFilter(QObject* watched, QEvent* event) {
  auto* link = qobject_cast<QLabel*>(watched);
  if (link && (link == lblHomePage_ || link == lblSupport_)) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
      Paint(*link, kLinkRed);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      launcher_.OpenUrl(QUrl(link->text()));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TformAbout::mouseMoveEvent(QMouseEvent* event) {
  Paint(*lblHomePage_, kLinkBlue);
  Paint(*lblSupport_, kLinkBlue);
  QDialog::mouseMoveEvent(event);
}
