#include "app/gui/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "app/file_filter.h"
#include "app/gui/text_convert.h"

namespace stavbas::gui {

namespace {

QString Suffix(const std::string& pattern) {
  const QString p = Q(pattern);
  const qsizetype dot = p.lastIndexOf('.');
  return dot < 0 || p.mid(dot).contains('*') ? QString() : p.mid(dot).toLower();
}

}  // namespace

QStringList NameFilters(const std::string& filter) {
  QStringList filters;
  for (const FileFilter& f : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& p : f.patterns) patterns << Q(p);
    filters << Q(f.description) + " (" + patterns.join(' ') + ")";
  }
  return filters;
}

std::optional<FileChoice> AskSaveFile(QWidget* parent, const QString& title,
                                      const std::string& filter, const QString& start,
                                      bool renameOnTypeChange) {
  QFileDialog dialog(parent, title);
  dialog.setObjectName("saveDialog");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = NameFilters(filter);
  dialog.setNameFilters(filters);
  const QFileInfo info(start);
  if (info.isDir() || start.isEmpty()) {
    dialog.setDirectory(start);
  } else {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  const std::vector<FileFilter> parsed = ParseFileFilter(filter);
  if (renameOnTypeChange)
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
      const qsizetype index = filters.indexOf(chosen);
      auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
      if (index < 0 || !edit || edit->text().isEmpty() || parsed[index].patterns.empty()) return;
      const QString suffix = Suffix(parsed[index].patterns.front());
      if (suffix.isEmpty()) return;
      QString typed = edit->text();
      const qsizetype dot = typed.lastIndexOf('.');
      if (dot > typed.lastIndexOf('/')) typed.truncate(dot);
      edit->setText(typed + suffix);
    });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileChoice{dialog.selectedFiles().front(),
                    static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

std::optional<QString> AskOpenFile(QWidget* parent, const QString& title, const std::string& filter,
                                   const QString& folder) {
  QFileDialog dialog(parent, title, folder);
  dialog.setObjectName("openDialog");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);  // a name typed that does not exist is reported
  dialog.setNameFilters(NameFilters(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace stavbas::gui
