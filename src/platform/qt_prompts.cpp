#include "platform/qt_prompts.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace {

QMessageBox::Icon KindIcon(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return QMessageBox::Warning;
    case TMessageKind::Error: return QMessageBox::Critical;
    case TMessageKind::Information: return QMessageBox::Information;
    case TMessageKind::Confirm: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

std::vector<std::pair<TAnswer, QString>> ButtonsOf(TButtons buttons) {
  switch (buttons) {
    case TButtons::Ok: return {{TAnswer::Ok, QStringLiteral("OK")}};
    case TButtons::Yes: return {{TAnswer::Yes, QStringLiteral("&Yes")}};
    case TButtons::YesNo: return {{TAnswer::Yes, QStringLiteral("&Yes")}, {TAnswer::No, QStringLiteral("&No")}};
    case TButtons::YesNoCancel:
      return {{TAnswer::Yes, QStringLiteral("&Yes")},
              {TAnswer::No, QStringLiteral("&No")},
              {TAnswer::Cancel, QStringLiteral("Cancel")}};
    case TButtons::RecoverDiscard:
      return {{TAnswer::Recover, QStringLiteral("&Recover")}, {TAnswer::Discard, QStringLiteral("&Discard")}};
  }
  return {};
}

QMessageBox::ButtonRole RoleOf(TAnswer answer) {
  switch (answer) {
    case TAnswer::Yes: return QMessageBox::YesRole;
    case TAnswer::No: return QMessageBox::NoRole;
    case TAnswer::Cancel: return QMessageBox::RejectRole;
    case TAnswer::Ok: return QMessageBox::AcceptRole;
    case TAnswer::Recover: return QMessageBox::AcceptRole;
    case TAnswer::Discard: return QMessageBox::DestructiveRole;
  }
  return QMessageBox::AcceptRole;
}

QString StartPath(const TFileDialogRequest& request) {
  if (request.initialFolder.isEmpty()) return request.fileName;
  if (request.fileName.isEmpty()) return request.initialFolder;
  return QDir(request.initialFolder).filePath(request.fileName);
}

}  // namespace

QString TQtPrompts::KindTitle(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Warning: return QStringLiteral("Warning");
    case TMessageKind::Error: return QStringLiteral("Error");
    case TMessageKind::Information: return QStringLiteral("Information");
    case TMessageKind::Confirm: return QStringLiteral("Confirm");
  }
  return QString();
}

TAnswer TQtPrompts::Ask(QWidget* parent, TMessageKind kind, const QString& text, TButtons buttons,
                        const QString& title) {
  QMessageBox box(KindIcon(kind), title.isEmpty() ? KindTitle(kind) : title, text, QMessageBox::NoButton, parent);
  // Messages quote file content and paths; markup in them is shown, never
  // rendered (a level "<a href=...>" must not become a live link).
  box.setTextFormat(Qt::PlainText);
  const auto choices = ButtonsOf(buttons);
  std::vector<std::pair<QAbstractButton*, TAnswer>> added;
  for (const auto& [answer, caption] : choices) added.emplace_back(box.addButton(caption, RoleOf(answer)), answer);
  // Closing the box with its title-bar button or Escape counts as the last
  // (most cautious) choice; where the last one destroys something, as
  // neither.
  const bool lastIsCautious = buttons != TButtons::RecoverDiscard;
  if (lastIsCautious) box.setEscapeButton(added.back().first);
  box.setDefaultButton(static_cast<QPushButton*>(added.front().first));
  box.exec();
  for (const auto& [button, answer] : added) {
    if (box.clickedButton() == button) return answer;
  }
  return lastIsCautious ? added.back().second : TAnswer::Cancel;
}

void TQtPrompts::Tell(QWidget* parent, TMessageKind kind, const QString& text, const QString& title) {
  Ask(parent, kind, text, TButtons::Ok, title);
}

QString TQtPrompts::QtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('('))) {
      // Qt reads the patterns in the brackets, separated by blanks only.
      const qsizetype open = description.lastIndexOf(QLatin1Char('('));
      filters.append(QStringLiteral("%1 (%2)").arg(description.left(open).trimmed(), patterns));
    } else {
      filters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<QString> TQtPrompts::OpenFileName(QWidget* parent, const TFileDialogRequest& request) {
  const QString name = QFileDialog::getOpenFileName(parent, QString(), StartPath(request), QtFilter(request.filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> TQtPrompts::SaveFileName(QWidget* parent, const TFileDialogRequest& request) {
  const QString name = QFileDialog::getSaveFileName(parent, QString(), StartPath(request), QtFilter(request.filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QColor> TQtPrompts::PickColor(QWidget* parent, const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent);
  if (!color.isValid()) return std::nullopt;
  return color;
}
