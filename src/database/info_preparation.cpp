#include "database/info_preparation.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "base/char_tables.h"
#include "base/cp1252.h"
#include "base/file_listing.h"
#include "base/ui.h"
#include "spreadsheet/number_text.h"
#include "spreadsheet/xls_read.h"

namespace stavbas {
namespace {

constexpr std::string_view kExtraCodes = "VWZ";

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Control characters would end the line or a field early; a cell's line breaks become blanks.
std::string CleanCell(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return (unsigned char)c < ' '; }, ' ');
  return text;
}

// Swedish alphabetical order without regard to case: Å, Ä and Ö follow Z, other accented
// letters sort with their base letter.
std::string SortKey(std::string_view s) {
  static const ByteTable table = [] {
    ByteTable t = SystemUpper();
    auto map = [&t](std::string_view from, unsigned char to) {
      for (char c : Utf8ToCp1252(from)) t[static_cast<unsigned char>(c)] = to;
    };
    map("ÀÁÂÃàáâã", 'A');
    map("ÇçĆ", 'C');
    map("ÈÉÊËèéêë", 'E');
    map("ÌÍÎÏìíîï", 'I');
    map("Ññ", 'N');
    map("ÒÓÔÕòóôõ", 'O');
    map("ÙÚÛùúû", 'U');
    map("ÜüÝýÿŸ", 'Y');
    map("Åå", '[');      // after Z
    map("ÄäÆæ", '\\');   // after Å
    map("ÖöØøŒœ", ']');  // after Ä
    return t;
  }();
  return MapBytes(s, table);
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return SortKey(a) < SortKey(b);
}

}  // namespace

void SortWithoutDuplicates(std::vector<std::string>& list) {
  std::stable_sort(list.begin(), list.end(), LessNoCase);
  list.erase(
      std::unique(list.begin(), list.end(),
                  [](const std::string& a, const std::string& b) { return EqualsNoCase(a, b); }),
      list.end());
}

const std::vector<StandardInfoColumn>& StandardInfoColumns() {
  static const std::vector<StandardInfoColumn> columns = [] {
    const std::pair<char, const char*> utf8[] = {
        {'P', "Plats"},          {'S', "Socken"},      {'T', "Härad"},
        {'K', "Kommun"},         {'Q', "Placering"},   {'X', "Koordinater"},
        {'U', "Urspr. plats?"},  {'Y', "Nuv. koord."}, {'N', "Sockenkod/Fornlämningsnr."},
        {'B', "Runtyper"},       {'C', "Korsform"},    {'D', "Period/Datering"},
        {'G', "Stilgruppering"}, {'R', "Ristare"},     {'I', "Materialtyp"},
        {'A', "Material"},       {'L', "Föremål"},     {'E', "Alternativt signum"},
        {'O', "Övrigt"},         {'F', "Referens"},    {'H', "Bildlänk"}};
    // The texts live as long as the program: kept in a static store.
    static std::vector<std::string> store;
    std::vector<StandardInfoColumn> out;
    store.reserve(2 * std::size(utf8));
    for (const auto& [code, header] : utf8) {
      store.push_back(Utf8ToCp1252(header));
      const char* h = store.back().c_str();
      store.push_back(SystemUpperCase(store.back()));
      out.push_back({code, h, store.back().c_str()});
    }
    return out;
  }();
  return columns;
}

bool FileInUse(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return true;
  bool locked = false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    locked = errno == EWOULDBLOCK;
  else
    ::flock(fd, LOCK_UN);
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  if (!locked && ::fcntl(fd, F_GETLK, &fl) == 0 && fl.l_type != F_UNLCK) locked = true;
  ::close(fd);
  if (locked) return true;
  // Office suites leave a lock file beside a document they have open.
  const std::string folder = FolderOf(path);
  const std::string name = NameOf(path);
  for (const std::string& lockName : {".~lock." + name + "#", "~$" + name,
                                      name.size() > 2 ? "~$" + name.substr(2) : std::string()}) {
    if (!lockName.empty() && Exists(FindFileNoCase(folder + lockName))) return true;
  }
  return false;
}

bool InfoPreparation::ReadCells(const std::string& xls) {
  TXLSRead reader;
  auto store = [this](int row, int col, std::string text) {
    // Every row is taken: a sheet longer than the old fixed table of 14000 rows must not lose
    // its last inscriptions when the information file is written from it.
    if (row < 0 || col < 0 || col >= kSheetColumns) return;
    if (static_cast<std::size_t>(row) >= cells_.size()) cells_.resize(row + 1);
    cells_[row][col] = std::move(text);
  };
  reader.OnStringCell = [&](int row, int col, const std::string& text) { store(row, col, text); };
  reader.OnRichCell = reader.OnStringCell;
  reader.OnNumberCell = [&](int row, int col, double v) { store(row, col, NumberToCellText(v)); };
  std::string error;
  if (reader.Read(xls, error)) return true;
  ui_.ShowMessage(error, MsgKind::Information);
  return false;
}

bool InfoPreparation::WriteInformationFile(const std::string& path,
                                           const std::vector<std::string>& lines) {
  // Written beside the old file and renamed over it only when complete: a full disk or a
  // crash never leaves a cut information file.
  const std::string temp = FolderOf(path) + "." + NameOf(path) + ".new";
  int err = 0;
  if (std::FILE* out = std::fopen(temp.c_str(), "wb")) {
    for (const std::string& line : lines)
      if (std::fwrite(line.data(), 1, line.size(), out) != line.size() ||
          std::fwrite("\r\n", 1, 2, out) != 2) {
        err = errno ? errno : EIO;
        break;
      }
    if (std::fflush(out) != 0 && !err) err = errno;
    if (std::fclose(out) != 0 && !err) err = errno;
  } else {
    err = errno;
  }
  if (!err && std::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err) {
    std::remove(temp.c_str());
    ui_.CheckIOResult(err, NameOf(path));
    return false;
  }
  return true;
}

InfoPreparation::Result InfoPreparation::Prepare(const std::string& baseName) {
  cells_.clear();
  const std::string xls = FindFileNoCase(baseName + ".XLS");
  if (!Exists(xls)) return Result::kNoSpreadsheet;
  const std::string name = NameOf(baseName);
  std::string inf = FindFileNoCase(baseName + ".INF");
  bool older = false;
  if (!Exists(inf)) {
    ui_.ShowMessage(
        ui_.S(Str::HittarInte) + "\"" + name + ".INF\n" + ui_.S(Str::Anvander) + name + ".XLS",
        MsgKind::Information);
    inf = baseName + ".INF";
    older = true;
  }
  if (FileInUse(xls)) {
    ui_.ShowMessage(ui_.S(Str::GickInteAttOppna) + name + ".XLS" + ui_.S(Str::KanAnvandasAvAnnat) +
                        " " + ui_.S(Str::AvslutarProgrammet),
                    MsgKind::Information);
    if (exitConfirmation) exitConfirmation();
    return Result::kLocked;
  }
  if (!older) older = FileDateTime(inf) < FileDateTime(xls);
  if (older) ui_.MessageLine(ui_.S(Str::Anvander) + name + ".XLS");

  if (!ReadCells(xls)) return Result::kFailed;

  // Columns 1 to 24 by their titles: a standard title gives its code, the first three other
  // titles V, W and Z; further columns are left out.
  std::array<char, kSheetColumns> codes{};
  std::string extraHeaders;
  std::size_t extra = 0;
  const std::array<std::string, kSheetColumns> noTitles{};
  const auto& titles = cells_.empty() ? noTitles : cells_[0];
  for (int c = 1; c < kSheetColumns; ++c) {
    const std::string title = SystemUpperCase(Trim(titles[c]));
    if (title.empty()) continue;
    const auto& standard = StandardInfoColumns();
    const auto it = std::find_if(standard.begin(), standard.end(),
                                 [&](const StandardInfoColumn& s) { return title == s.title; });
    if (it != standard.end()) {
      codes[c] = it->code;
    } else if (extra < kExtraCodes.size()) {
      codes[c] = kExtraCodes[extra++];
      extraHeaders += std::string(1, codes[c]) + CleanCell(titles[c]) + ";";
    }
  }

  std::vector<std::string> lines;
  if (older) {
    for (const char* utf8 :
         {"!/F I",
          "!/I PPlats;SSocken;THärad;KKommun;QPlacering;XKoordinater;UUrspr. plats?;YNuv. koord.;",
          "!/I NSockenkod/Fornlämningsnr.;BRuntyper;CKorsform;DPeriod/Datering;GStilgruppering;"
          "RRistare;",
          "!/I IMaterialtyp;AMaterial;LFöremål;EAlternativt signum;OÖvrigt;FReferens;HBildlänk"})
      lines.push_back(Utf8ToCp1252(utf8));
    if (!extraHeaders.empty()) lines.push_back("!/I " + extraHeaders);
    lines.push_back("!/R Information om plats m.m.");
  }
  lists_ = {};
  for (std::size_t row = 1; row < cells_.size() && !cells_[row][0].empty(); ++row) {
    const auto& cells = cells_[row];
    std::string line = CleanCell(cells[0]);
    lists_[0].push_back(cells[0]);
    for (int c = 1; c < kSheetColumns; ++c) {
      if (!codes[c] || cells[c].empty()) continue;
      const char mark = static_cast<char>(codes[c] & 0x1F);
      line += mark + CleanCell(cells[c]) + mark;
      lists_[c].push_back(cells[c]);
    }
    if (older) lines.push_back(std::move(line));
  }
  for (int c = 1; c < kSheetColumns; ++c) SortWithoutDuplicates(lists_[c]);
  cells_.clear();

  if (!older) return Result::kUpToDate;
  return WriteInformationFile(inf, lines) ? Result::kRewritten : Result::kFailed;
}

}  // namespace stavbas
