#include "app/file_information.h"

#include <cstdio>
#include <filesystem>

#include "base/file_listing.h"
#include "base/ui.h"
#include "database/databas.h"

namespace stavbas {

std::string DosStampText(std::uint32_t stamp) {
  const unsigned date = stamp >> 16, time = stamp & 0xFFFF;
  const unsigned day = date & 31, month = (date >> 5) & 15, year = 1980 + (date >> 9);
  if (day == 0 || month == 0 || month > 12) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", year, month, day, time >> 11,
                (time >> 5) & 63, (time & 31) * 2);
  return text;
}

std::string FileInformationText(const TDatabas& db, const Ui& ui) {
  std::string text;
  auto line = [&text](const std::string& s) { text += s + "\r\n"; };
  auto sizeAndDate = [&ui](std::uintmax_t size, std::uint32_t stamp) {
    return ui.S(Str::StorlekByte) + std::to_string(size) + ui.S(Str::DatumOchTid) +
           DosStampText(stamp);
  };
  for (int slot = 1; slot <= db.count(); ++slot) {
    const TDatafil& f = db.DataFile(slot);
    line(f.path());
    if (slot > 1) line("");
    line((f.title.empty() ? std::string() : "(" + f.title + "), ") +
         sizeAndDate(f.size, f.dateTime));
    line(" ");
  }
  // The information spreadsheet the information file is made from.
  const std::string base = db.BaseName();
  if (!base.empty()) {
    const std::string xls = FindFileNoCase(db.DataDirectory() + base + ".XLS");
    std::error_code ec;
    if (std::filesystem::is_regular_file(xls, ec)) {
      line(db.DataDirectory() + NameOf(xls));
      line("");
      line(ui.S(Str::InformationOmPlats) +
           sizeAndDate(std::filesystem::file_size(xls, ec), FileDateTime(xls)));
      line(" ");
    }
  }
  return text;
}

}  // namespace stavbas
