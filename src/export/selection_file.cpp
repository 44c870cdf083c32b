#include "export/selection_file.h"

#include "base/whole_file.h"
#include "export/export_file.h"

namespace stavbas {

bool WriteSelectionFile(const ExportText& text, const std::string& path, bool append,
                        std::string& error) {
  ExportFile f;
  if (!f.Open(path, false, error)) return false;
  if (append) {
    std::string held;
    ReadWholeFile(path, held);  // a file not there yet holds nothing
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
