#include "database/info_preparation.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/char_tables.h"
#include "base/cp1252.h"
#include "base/file_listing.h"
#include "base/ui.h"
#include "database/kombifil.h"
#include "spreadsheet/number_text.h"
#include "spreadsheet/xls_read.h"

namespace stavbas {
namespace {

constexpr std::string_view kExtraCodes = "VWZ";
// The longest line the database reads back whole and its check lets pass.
constexpr std::size_t kInfoLineCapacity = kLineCapacity - 1;

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
  // Read access is enough to see the locks: a read-only file is no locked file.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
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
  auto store = [this](int row, int col, std::string_view text) {
    // Every row is taken: a sheet longer than the old fixed table of 14000 rows must not lose
    // its last inscriptions when the information file is written from it.
    if (row < 0 || col < 0 || col >= kSheetColumns || text.empty()) return;
    if (static_cast<std::size_t>(row) >= cells_.size()) cells_.resize(row + 1);
    cells_[row][col] = &*texts_.emplace(text.substr(0, kInfoLineCapacity)).first;
  };
  reader.OnStringCell = [&](int row, int col, const std::string& text) { store(row, col, text); };
  reader.OnRichCell = reader.OnStringCell;
  reader.OnNumberCell = [&](int row, int col, double v) { store(row, col, NumberToCellText(v)); };
  std::string error;
  if (reader.Read(xls, error)) return true;
  ui_.ShowMessage(error, MsgKind::Information);
  return false;
}

const std::string& InfoPreparation::Cell(std::size_t row, int col) const {
  static const std::string kEmpty;
  const std::string* text = row < cells_.size() ? cells_[row][col] : nullptr;
  return text ? *text : kEmpty;
}

InfoPreparation::Result InfoPreparation::Prepare(const std::string& baseName) {
  cells_.clear();
  texts_.clear();
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
  } else {
    older = FileDateTime(inf) < FileDateTime(xls);
  }
  // Only a spreadsheet that is to be converted must be free of other programs.
  if (older && FileInUse(xls)) {
    ui_.ShowMessage(ui_.S(Str::GickInteAttOppna) + name + ".XLS" + ui_.S(Str::KanAnvandasAvAnnat) +
                        " " + ui_.S(Str::AvslutarProgrammet),
                    MsgKind::Information);
    if (exitConfirmation) exitConfirmation();
    return Result::kLocked;
  }
  if (::access(xls.c_str(), R_OK) != 0) {
    // Not readable: the database opens with the information file it has.
    ui_.CheckIOResult(errno, NameOf(xls));
    return Result::kFailed;
  }
  if (older) ui_.MessageLine(ui_.S(Str::Anvander) + name + ".XLS");

  if (!ReadCells(xls)) return Result::kFailed;

  // Columns 1 to 24 by their titles: a standard title gives its code, the first three other
  // titles V, W and Z; further columns are left out.
  std::array<char, kSheetColumns> codes{};
  std::string extraHeaders;
  std::size_t extra = 0;
  for (int c = 1; c < kSheetColumns; ++c) {
    const std::string title = SystemUpperCase(Trim(Cell(0, c)));
    if (title.empty()) continue;
    const auto& standard = StandardInfoColumns();
    const auto it = std::find_if(standard.begin(), standard.end(),
                                 [&](const StandardInfoColumn& s) { return title == s.title; });
    if (it != standard.end()) {
      codes[c] = it->code;
    } else if (extra < kExtraCodes.size()) {
      codes[c] = kExtraCodes[extra++];
      extraHeaders += std::string(1, codes[c]) + CleanCell(Cell(0, c)) + ";";
    }
  }

  // The new information file is written as the rows are read and takes the old one's place
  // only when it is complete. A link in its place is not written through: it stays, and the
  // database opens the file it points to, as after any failed write.
  AtomicFile out;
  auto writeLine = [&out](std::string_view line) {
    out.Write(line);
    out.Write("\r\n");
  };
  if (older) {
    if (out.Open(inf, Links::kRefuse) == 0) {
      for (const char* utf8 :
           {"!/F I",
            "!/I PPlats;SSocken;THärad;KKommun;QPlacering;XKoordinater;UUrspr. plats?;YNuv. "
            "koord.;",
            "!/I NSockenkod/Fornlämningsnr.;BRuntyper;CKorsform;DPeriod/Datering;GStilgruppering;"
            "RRistare;",
            "!/I IMaterialtyp;AMaterial;LFöremål;EAlternativt signum;OÖvrigt;FReferens;HBildlänk"})
        writeLine(Utf8ToCp1252(utf8));
      if (!extraHeaders.empty()) writeLine("!/I " + extraHeaders);
      writeLine("!/R Information om plats m.m.");
    }
  }
  lists_ = {};
  std::size_t cutRows = 0;
  std::string firstCut;
  for (std::size_t row = 1; row < cells_.size() && !Cell(row, 0).empty(); ++row) {
    // A line longer than the program reads back is cut at a field's end: no field is left
    // without its closing mark.
    std::string line = CleanCell(Cell(row, 0)).substr(0, kInfoLineCapacity);
    bool cut = line.size() < Cell(row, 0).size();
    lists_[0].push_back(Cell(row, 0));
    for (int c = 1; c < kSheetColumns; ++c) {
      const std::string& value = Cell(row, c);
      if (!codes[c] || value.empty()) continue;
      lists_[c].push_back(value);
      if (cut) continue;
      const std::size_t room =
          line.size() + 2 < kInfoLineCapacity ? kInfoLineCapacity - line.size() - 2 : 0;
      if (room < value.size()) cut = true;
      if (room == 0) continue;
      const char mark = static_cast<char>(codes[c] & 0x1F);
      line += mark + CleanCell(value.substr(0, room)) + mark;
    }
    if (cut && cutRows++ == 0) firstCut = Cell(row, 0).substr(0, 40);
    if (older && out.IsOpen()) writeLine(line);
  }
  for (int c = 1; c < kSheetColumns; ++c) SortWithoutDuplicates(lists_[c]);
  cells_.clear();
  texts_.clear();
  if (cutRows > 0)
    ui_.ShowMessage(ui_.S(Str::RaderKortades) + std::to_string(cutRows) + ui_.S(Str::Forsta) +
                        std::string(Trim(firstCut)) + ")",
                    MsgKind::Information);

  if (!older) return Result::kUpToDate;
  if (out.IsOpen()) out.Commit();
  // A failed write leaves the old information file, which the database then opens.
  return ui_.CheckIOResult(out.error(), NameOf(inf)) ? Result::kFailed : Result::kRewritten;
}

}  // namespace stavbas
