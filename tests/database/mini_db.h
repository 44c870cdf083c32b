#pragma once
// A small database written into a temporary folder, opened with a recording host.

#include <cstring>
#include <string>
#include <string_view>

#include "base/cp1252.h"
#include "database/data_file_check.h"
#include "database/databas.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stavbas::test {

struct MiniDb {
  // The data-file check that follows a computed index is left out unless a test asks for it.
  MiniDb() { db.checkAtOpening = nullptr; }
  void EnableCheckAtOpening() {
    db.checkAtOpening = [this] { return CheckDataFiles(db, false); };
  }

  TempDir dir;
  RecordingHost host;
  Ui ui{host};
  TDatabas db{ui};

  // Writes a file from UTF-8 lines (converted to Windows-1252, CR LF).
  void Write(std::string_view name, std::string_view utf8) const { dir.WriteText(name, utf8); }
  bool Open(std::string_view base = "STAVBAS") { return db.Open(dir / base); }
  // Finds an exact signum in every data file.
  bool Find(std::string_view signum) {
    db.SetSignum(Utf8ToCp1252(signum));
    return db.FindInscription(db.AllDataSlots(), true);
  }
  std::string Line(int slot) const { return Cp1252ToUtf8(db.File(slot).LineView()); }
};

// Puts a line (UTF-8) into a file object's buffer as its current line.
inline void SetLine(TKombifil& f, std::string_view utf8) {
  const std::string text = Utf8ToCp1252(utf8);
  std::memcpy(f.Buffer(), text.c_str(), text.size() + 1);
  f.BufferLength() = text.size();
  f.TakeBuffer();
}

}  // namespace stavbas::test
