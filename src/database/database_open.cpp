// Opening a database: listing the files of the base name, classifying them, reading their
// headers and bringing the group-address index up to date.

#include <algorithm>
#include <array>

#include "base/file_listing.h"
#include "database/data_file_check.h"
#include "database/databas.h"
#include "database/info_file.h"

namespace stavbas {
namespace {

// Extensions of files that share the base name but are no data files.
constexpr std::array<std::string_view, 26> kIgnoredExtensions = {
    "BAK", "EXE", "COM", "BAT", "PAS", "MAP", "HLP", "TXT", "INI", "LIT", "LOG", "ZIP", "GID",
    "FTS", "RES", "DOF", "DPR", "CFG", "CNT", "DRC", "XLS", "SVE", "EN",  "MPS", "CHM", "CHW"};

enum class FileClass { Index, Ignored, Data };

bool IsAsciiAlnum(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The extension after the last dot of a listed name.
std::string_view ExtensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

FileClass Classify(std::string_view ext, std::string& key) {
  key = SystemUpperCase(ext.substr(0, 3));
  if (key == "$AD") return FileClass::Index;
  if (ext.empty() || !std::all_of(ext.begin(), ext.end(), IsAsciiAlnum)) return FileClass::Ignored;
  if (std::find(kIgnoredExtensions.begin(), kIgnoredExtensions.end(), key) !=
      kIgnoredExtensions.end())
    return FileClass::Ignored;
  return FileClass::Data;
}

int KindOfLetter(char letter) {
  switch (letter) {
    case 'R':
      return kRuntext;
    case 'F':
    case 'N':
      return kNormtext;
    case 'I':
      return kInfotext;
    default:
      return kHeltext;
  }
}

// The kind a "!/F" value gives; -1 for a value that names no kind.
int KindOfParameter(std::string_view value) {
  const std::string v = SystemUpperCase(value.substr(0, 2));
  const char first = v.empty() ? '\0' : v[0];
  const char second = v.size() > 1 ? v[1] : '\0';
  switch (first) {
    case 'R':
      if (second == 'T') return kRuntext;
      if (second == 'F' || second == 'S') return kRunsok;
      return -1;
    case 'N':
      if (second == 'T') return kNormtext;
      if (second == 'F' || second == 'S') return kNormsok;
      return -1;
    case 'I':
      return second == '2' ? kInfotext2 : kInfotext;
    case 'X':
      return kHeltext;
    default:
      return -1;
  }
}

}  // namespace

TDatabas::TDatabas(Ui& ui) : ui_(ui), inputList_(std::make_unique<TInputList>(ui)) {
  checkAtOpening = CheckAtOpening{this};
}

TDatabas::~TDatabas() {
  Close();
}

SlotSet TDatabas::AllDataSlots() const {
  return static_cast<SlotSet>(((1u << (count_ + 1)) - 1) & ~1u);
}

int TDatabas::InfoSlot() const {
  for (int slot = 1; slot <= count_; ++slot)
    if (files_[slot - 1]->IsInfoFile()) return slot;
  return 0;
}

void TDatabas::SetLinkSettings(const LinkSettings& links) {
  links_ = &links;
  for (int slot = 1; slot <= count_; ++slot)
    if (auto* info = dynamic_cast<TInfoFil*>(files_[slot - 1].get())) info->SetLinks(links);
}

void TDatabas::Close() {
  for (auto& f : files_) {
    if (f) f->Close();
    f.reset();
  }
  count_ = 0;
  mainWordFile_ = 0;
  usable_ = false;
  readSet_ = 0;
  SetCurrentSignum({});
  ok_ = false;
  searchRefs_ = formatRefs_ = {};
  conditionRefs_ = wordSet_ = fullSet_ = 0;
  indexPath_.clear();
}

int TDatabas::ReadHeader(TDatafil& file, std::vector<std::string>& infoValues, bool& incomplete,
                         std::string& title, int& kind) {
  LineFile::Result r;
  while ((r = file.ReadNextLine()) == LineFile::Result::Line) {
    const std::string_view line = file.BufferView();
    if (line.empty() || line[0] != '!') break;
    const std::string_view h = line.substr(1);
    if (h.empty() || h[0] != '/') continue;  // a comment
    const char letter = h.size() > 1 ? static_cast<char>(SystemUpper()[(unsigned char)h[1]]) : 0;
    const std::string_view value = Trim(h.size() > 2 ? h.substr(2) : std::string_view());
    switch (letter) {
      case 'F': {
        kind = KindOfParameter(value);
        if (kind < 0) {
          kind = kHeltext;
          ui_.ShowMessage(ui_.S(Str::FelParameter) + ": " + SystemUpperCase(value) + " ",
                          MsgKind::Information);
        }
        break;
      }
      case 'I':
        infoValues.emplace_back(value);
        break;
      case 'N':
      case 'V':
        break;
      case 'O':
        incomplete = true;
        break;
      case 'R':
        title = std::string(value.substr(0, 31));
        break;
      default:
        ui_.FaultLine(ui_.S(Str::ObegripligParameter) + std::string(line));
        break;
    }
  }
  return r == LineFile::Result::Error ? file.file().error() : 0;
}

void TDatabas::InsertFile(std::unique_ptr<TDatafil> file) {
  // Complete files go after the last complete one, files that are not complete at the end.
  int at = count_;
  if (file->complete) {
    at = 0;
    while (at < count_ && files_[at]->complete) ++at;
  }
  for (int i = count_; i > at; --i) files_[i] = std::move(files_[i - 1]);
  files_[at] = std::move(file);
  ++count_;
}

bool TDatabas::Open(const std::string& baseName) {
  Close();
  ui_.errorsNoted = false;

  std::vector<ListedFile> listed;
  int listError = ListBaseName(baseName, listed);
  relativeNames_ = true;
  std::string base = baseName;
  if (listed.empty() && FolderOf(baseName).empty() && !programFile_.empty()) {
    std::string program = NameOf(programFile_);
    if (const std::size_t dot = program.rfind('.'); dot != std::string::npos && dot > 0)
      program.erase(dot);
    base = FolderOf(programFile_) + program;
    listError = ListBaseName(base, listed);
    relativeNames_ = false;
  }

  std::string listedIndex;
  for (const ListedFile& lf : listed) {
    std::string ext;
    const std::string_view fullExt = ExtensionOf(lf.name);
    const FileClass fileClass = Classify(fullExt, ext);
    if (fileClass == FileClass::Ignored) {
      ui_.ProgressLine(lf.name + ui_.S(Str::Ignoreras));
      continue;
    }
    // Only regular files are read: a device or a pipe would never end, or never begin.
    if (!lf.regular) {
      ui_.FaultLine(lf.name + ui_.S(Str::InteEnVanligFil));
      continue;
    }
    if (fileClass == FileClass::Index) {
      if (EqualsNoCase(fullExt, "$AD")) listedIndex = lf.path;
      continue;
    }
    ui_.ProgressLine(lf.name);

    // The header decides the kind, so it is read before the file object is made.
    int kind = KindOfLetter(ext[0]);
    bool incomplete = false;
    std::string title;
    std::vector<std::string> infoValues;
    {
      TDatafil probe(ui_, kHeltext);
      int err = probe.OpenFile(lf.path);
      if (!err) err = ReadHeader(probe, infoValues, incomplete, title, kind);
      if (err) {
        ui_.FaultLine(ui_.S(Str::FelNr) + std::to_string(err) + ui_.S(Str::HarIntraffat) + lf.name);
        continue;
      }
    }

    std::unique_ptr<TDatafil> file = MakeDataFile(ui_, kind);
    if (auto* info = dynamic_cast<TInfoFil*>(file.get())) {
      if (infoValues.empty()) ui_.FaultLine(ui_.S(Str::IngaInforubriker));
      info->ReadInfoHeaders(infoValues);
      if (links_) info->SetLinks(*links_);
    } else if (!infoValues.empty()) {
      ui_.FaultLine(ui_.S(Str::InforubrikerMenInteInfofil));
    }
    if (const int err = file->OpenFile(lf.path)) {
      ui_.FaultLine(ui_.S(Str::FelNr) + std::to_string(err) + ui_.S(Str::HarIntraffat) + lf.name);
      continue;
    }
    file->SetExtension(ext);
    file->size = lf.size;
    file->dateTime = lf.dateTime;
    file->title = title;
    file->complete = !incomplete;

    if (count_ == kMaxDataFiles) {
      ui_.FaultLine(ui_.S(Str::ForMangaFiler) + lf.name + ui_.S(Str::Ignoreras));
      file->Close();
      continue;
    }
    InsertFile(std::move(file));
  }
  if (listError != 0) {
    ui_.ShowErrorNumber(listError, MsgKind::Information);
    ui_.errorsNoted = true;
  }

  UpdateMainWordFile();
  usable_ = mainWordFile_ != 0;
  if (!usable_) {
    ui_.ShowMessage(ui_.S(Str::IngenFullstandigOrdfil) + ": " + baseName, MsgKind::Information);
    return false;
  }
  UpdateIndex(base, listedIndex);
  return true;
}

std::string TDatabas::IndexFileName(const std::string& baseName) {
  return FolderOf(baseName) + SystemUpperCase(NameOf(baseName)) + ".$AD";
}

void TDatabas::UpdateIndex(const std::string& baseName, const std::string& listedIndex) {
  const std::string indexName = IndexFileName(baseName);
  if (listedIndex.empty()) ui_.ProgressLine(NameOf(indexName) + ui_.S(Str::Saknas));
  if (!listedIndex.empty() && LoadGroupAddresses(listedIndex)) return;
  bool passed = false;
  if (checkAtOpening.target<CheckAtOpening>()) {
    passed = ComputeAddressesAndCheck(*this);
  } else {
    const bool inOrder = ComputeGroupAddresses();
    passed = checkAtOpening ? checkAtOpening() : inOrder;
  }
  if (passed) SaveGroupAddresses(listedIndex.empty() ? indexName : listedIndex);
}

}  // namespace stavbas
