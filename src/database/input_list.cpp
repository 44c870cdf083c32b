#include "database/input_list.h"

#include <filesystem>

#include "base/ui.h"

namespace stavbas {

TInputList::TInputList(Ui& ui) : TKombifil(ui, kHeltext) {}

std::string ListFileName(const std::string& path) {
  std::filesystem::path p(path);
  if (!p.has_extension()) p += ".TXT";
  return p.string();
}

int TInputList::SetFile(const std::string& path) {
  Close();
  status = kFound;
  return OpenFile(ListFileName(path));
}

void TInputList::Clear() {
  Close();
}

bool TInputList::ReadListLine() {
  const LineFile::Result r = file().ReadLine(Buffer(), kLineCapacity, BufferLength());
  if (r != LineFile::Result::Line) {
    if (r == LineFile::Result::Error)
      ui_.ShowMessage(ui_.S(Str::FelMedInlasningAv) + path() + ui_.S(Str::Felkod) +
                          std::to_string(file().error()),
                      MsgKind::Information);
    ClearLine();
    return false;
  }
  ++lineCounter;
  TakeBuffer();
  const char* p = Line();
  while (*p == ' ') ++p;
  SetCursor(p);
  return true;
}

bool TInputList::IsNonRecord(std::string_view line) {
  return line.empty() || std::string_view("!\"%'-").find(line[0]) != std::string_view::npos;
}

}  // namespace stavbas
