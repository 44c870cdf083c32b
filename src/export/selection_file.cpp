#include "export/selection_file.h"

#include <cerrno>

#include "base/whole_file.h"
#include "export/export_file.h"

namespace stavbas {

bool WriteSelectionFile(const ExportText& text, const std::string& path, bool append,
                        std::string& error) {
  ExportFile f;
  if (!f.Open(path, false, error)) return false;
  if (append) {
    // A file not there yet holds nothing; one that cannot be read is never replaced without
    // its earlier lines.
    std::string held;
    if (const int err = ReadWholeFile(path, held); err && err != ENOENT) {
      error = SaveErrorText(path, SystemErrorText(err));
      return false;
    }
    f.Text(held);
  }
  if (!text.empty()) {
    ExportText::Reader reader(text);
    std::string line;
    while (reader.NextLine(line)) f.Line(line);
    f.Line();
  }
  return f.Commit(error);
}

}  // namespace stavbas
