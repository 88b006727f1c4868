// Runs a GUI test suite inside a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include "platform/deep_stack.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <QList>
#include <cwchar>

namespace {

// The `windows` platform takes the system's message font for every widget;
// the tests take it too, so pages are laid out for the text the editor shows.
void UseTheSystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return;
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  QFont font(QString::fromWCharArray(metrics.lfMessageFont.lfFaceName));
  if (metrics.lfMessageFont.lfHeight != 0 && dpi > 0)
    font.setPointSizeF(qAbs(metrics.lfMessageFont.lfHeight) * 72.0 / dpi);
  QApplication::setFont(font);
}

// Wine passes no QT_* variable to a Windows program; the test registration
// gives each also as LUMEROLL_WINE_QT_*, which becomes the QT_* one here.
void TakeTheQtVariablesWinePassedOn() {
  const QByteArray prefix = "LUMEROLL_WINE_";
  QList<QByteArray> lines;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1)
      lines << QString::fromWCharArray(entry).toLocal8Bit();
    FreeEnvironmentStringsW(block);
  }
  for (const QByteArray& line : lines) {
    const qsizetype equals = line.indexOf('=');
    if (line.startsWith(prefix + "QT_") && equals > prefix.size())
      qputenv(line.mid(prefix.size(), equals - prefix.size()), line.mid(equals + 1));
  }
}

}  // namespace
#endif

int main(int argc, char** argv) {
  AllowDeepStack();
#ifdef Q_OS_WIN
  TakeTheQtVariablesWinePassedOn();
#endif
  // Neither puts a window on a screen. The Windows layout suite asks for the
  // minimal platform with fonts: Qt's offscreen platform there has none.
  if (!qgetenv("QT_QPA_PLATFORM").startsWith("minimal")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#ifdef Q_OS_WIN
  UseTheSystemMessageFont();
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
