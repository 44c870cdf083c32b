#include "export/selection_file.h"

#include <fstream>
#include <sstream>

#include "export/export_file.h"

namespace stavbas {

bool WriteSelectionFile(const ExportText& text, const std::string& path, bool append,
                        std::string& error) {
  ExportFile f;
  if (!f.Open(path, false, error)) return false;
  if (append) {
    std::ifstream old(path, std::ios::binary);
    std::ostringstream held;
    held << old.rdbuf();
    f.Text(held.str());
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
