#include "app/database_session.h"

#include "base/file_listing.h"

namespace stavbas {

std::string LimitBaseName(const std::string& text) {
  const std::string trimmed(Trim(text));
  // Trimmed again after the cut, so that a name read back as it was saved stays the same.
  return std::string(Trim(FolderOf(trimmed) + NameOf(trimmed).substr(0, 8)));
}

bool DatabaseSession::OpenCurrent() {
  if (prepareInformationFile) prepareInformationFile(baseName);
  const bool usable = db_.Open(baseName);
  if (usable && parseStoredCodes) parseStoredCodes();
  return usable;
}

void DatabaseSession::ChooseDatabase(bool announce) {
  const std::optional<std::string> answer =
      ui_.host().InputBox(ui_.S(Str::ValAvDatabas), ui_.S(Str::AngeDatafiler), "STAVBAS");
  if (!answer) return;
  const std::string oldName = baseName;
  baseName = LimitBaseName(*answer);
  if (!OpenCurrent()) {
    ui_.ShowMessage(ui_.S(Str::LyckadesInteLasaIn) + baseName + ui_.S(Str::AtergarTill) + oldName,
                    MsgKind::Information);
    baseName = oldName;
    OpenCurrent();
    if (interruptedRunLost) interruptedRunLost();
  }
  if (announce) ui_.ShowMessage(ui_.S(Str::NyaDatafilerInlasta), MsgKind::Information);
}

}  // namespace stavbas
