#pragma once
// The open and save dialogs over the program's filter texts ("RTF-filer (.RTF)|*.RTF|...").
// Existing files are not questioned here: the commands ask their own question.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QWidget;

namespace stavbas::gui {

// Qt's name filters for a filter text (Windows-1252): "RTF-filer (*.RTF *.rtf)".
QStringList NameFilters(const std::string& filter);

struct FileChoice {
  QString name;
  int filter = 0;  // the file type chosen, from 0
};

// The save dialog, starting at `start` (a file name or a folder). With `renameOnTypeChange` a
// change of the file type gives the typed name that type's extension.
std::optional<FileChoice> AskSaveFile(QWidget* parent, const QString& title,
                                      const std::string& filter, const QString& start,
                                      bool renameOnTypeChange = false);
std::optional<QString> AskOpenFile(QWidget* parent, const QString& title, const std::string& filter,
                                   const QString& folder);

}  // namespace stavbas::gui
