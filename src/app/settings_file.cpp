#include "app/settings_file.h"

#include "app/database_session.h"
#include "app/profile_file.h"
#include "base/atomic_file.h"
#include "database/regions.h"

#include <cerrno>

namespace stavbas {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxFontSize = 1000;

// Reads a string key into a value that holds its default.
class Reader {
 public:
  explicit Reader(const ProfileFile& p) : p_(p) {}
  void operator()(const char* section, const char* key, std::string& value) const {
    value = p_.ReadString(section, key, value);
  }

 private:
  const ProfileFile& p_;
};

void ReadInterruption(const ProfileFile& p, InterruptionRecord& r) {
  std::string ordinal = p.ReadString("CancelSettings", "Ordinal", "0");
  if (ordinal.empty() || ordinal[0] == '0') return;  // no record; the other keys are not read
  r.present = true;
  r.runKind = static_cast<unsigned char>(ordinal[0]) - '1';
  const Reader read(p);
  read("CancelSettings", "info", r.info);
  read("CancelSettings", "SignatureType", r.signatureType);
  read("CancelSettings", "Signature", r.signature);
  read("CancelSettings", "Inputfile", r.inputFile);
  r.inputFilePos = p.ReadInteger("CancelSettings", "InputFilePos", 0);
  if (r.inputFilePos < 0) r.inputFilePos = 0;  // a count of lines read
}

void WriteInterruption(ProfileFile& p, const InterruptionRecord& r) {
  std::string ordinal = "0", signature, inputFile, info, signatureType;
  int inputFilePos = 0;
  if (r.present) {
    const int code = '1' + r.runKind;
    ordinal.assign(1, code > '0' && code < 256 ? static_cast<char>(code) : '3');
    info = r.info;
    signatureType = r.signatureType;
    if (r.runKind == InterruptionRecord::kSignumRun) {
      signature = r.signature;
    } else if (r.runKind == InterruptionRecord::kFileRun) {
      inputFile = r.inputFile;
      inputFilePos = r.inputFilePos;
    }
  }
  p.WriteString("CancelSettings", "Ordinal", ordinal);
  p.WriteString("CancelSettings", "info", info);
  p.WriteString("CancelSettings", "SignatureType", signatureType);
  p.WriteString("CancelSettings", "Signature", signature);
  p.WriteString("CancelSettings", "Inputfile", inputFile);
  p.WriteInteger("CancelSettings", "InputFilePos", inputFilePos);
}

// The export keys read and written as strings, with their places in the settings: one list
// serves reading and writing. `quoted` values hold double quotes of their own.
template <typename S, typename Visit>
void ExportStringKeys(S& s, Visit&& key) {
  auto& k = s.kml;
  key("KMLSettings", "StandardFormat", k.standardFormat);
  key("KMLSettings", "xmlversion", k.xmlVersion);
  key("KMLSettings", "xmlns", k.xmlns);
  key("KMLSettings", "name", k.name);
  key("KMLSettings", "StyleNormal", k.styleNormal);
  key("KMLSettings", "IconNormal", k.iconNormal);
  key("KMLSettings", "BalloonNormal", k.balloonNormal);
  key("KMLSettings", "StyleMap", k.styleMap);
  key("KMLSettings", "StyleMapKey1", k.styleMapKey1);
  key("KMLSettings", "StyleMapUrl1", k.styleMapUrl1);
  key("KMLSettings", "StyleMapKey2", k.styleMapKey2);
  key("KMLSettings", "StyleMapUrl2", k.styleMapUrl2);
  key("KMLSettings", "StyleHL", k.styleHL);
  key("KMLSettings", "IconHL", k.iconHL);
  key("KMLSettings", "BalloonHL", k.balloonHL);

  auto& g = s.gpx;
  key("GPXSettings", "StandardFormat", g.standardFormat);
  key("GPXSettings", "xmlversion", g.xmlVersion);
  key("GPXSettings", "gpxversion", g.gpxVersion);
  key("GPXSettings", "gpxcreator", g.gpxCreator);
  key("GPXSettings", "gpxxmlns", g.gpxXmlns);
  key("GPXSettings", "gpxxsi", g.gpxXsi);

  key("CSVSettings", "StandardFormat", s.csv.standardFormat);
  key("CSVSettings", "Delimiter", s.csv.delimiter);
  key("SHPSettings", "StandardFormat", s.shp.standardFormat);

  auto& w = s.shpWgs84;
  key("SHPWGS84Settings", "PROJCS", w.projcs, true);
  key("SHPWGS84Settings", "GEOGCS", w.geogcs, true);
  key("SHPWGS84Settings", "DATUM", w.datum, true);
  key("SHPWGS84Settings", "SPHEROID", w.spheroid);
  key("SHPWGS84Settings", "PRIMEM", w.primem);
  key("SHPWGS84Settings", "UNIT", w.unit);
  key("SHPWGS84Settings", "PROJECTION", w.projection);

  key("GMAPSettings", "StandardFormat", s.gmap.standardFormat);
}

void ReadExports(const ProfileFile& p, Settings& s) {
  const Reader read(p);
  ExportStringKeys(s, [&read](const char* section, const char* key, std::string& value,
                              bool = false) { read(section, key, value); });

  GmapSettings& m = s.gmap;
  read("GMAPSettings", "doctype", m.doctype);
  read("GMAPSettings", "Meta1", m.meta1);
  read("GMAPSettings", "Meta2", m.meta2);
  read("GMAPSettings", "Title", m.title);
  read("GMAPSettings", "StyleHtml", m.styleHtml);
  read("GMAPSettings", "StyleBody", m.styleBody);
  read("GMAPSettings", "StyleTable", m.styleTable);
  read("GMAPSettings", "StyleP", m.styleP);
  read("GMAPSettings", "StyleCanvas", m.styleCanvas);
  read("GMAPSettings", "StylePrint", m.stylePrint);
  read("GMAPSettings", "Script1", m.script1);
  read("GMAPSettings", "Script2", m.script2);
  read("GMAPSettings", "maptype", m.mapType);
  read("GMAPSettings", "maxZoom", m.maxZoom);
  read("GMAPSettings", "icon", m.iconNormal);
  read("GMAPSettings", "icon", m.iconSelected);
  read("GMAPSettings", "header", m.header);
}

void WriteExports(ProfileFile& p, const Settings& s) {
  ExportStringKeys(
      s, [&p](const char* section, const char* key, const std::string& value, bool quoted = false) {
        // A quoted value gets one further pair of quotes, which reading takes off again.
        if (quoted)
          p.WriteRaw(section, key, "\"" + value + "\"");
        else
          p.WriteString(section, key, value);
      });
  // The map page's other pieces are only ever changed by editing the file.
}

}  // namespace

fs::path SettingsFileOf(const fs::path& programFile) {
  fs::path file = programFile;
  file.replace_extension(".ini");
  return file;
}

Settings ReadSettings(const fs::path& file) {
  ProfileFile p;
  p.Load(file);  // a file that cannot be read gives the defaults like a missing one
  Settings s;
  const Reader read(p);

  LinkSettings& l = s.links;
  read("Links", "SHMInvNr", l.shmInvNr);
  read("Links", "NewVersion", l.newVersion);
  read("Links", "RaaObjektid", l.raaObjektid);
  read("Links", "SvenskRunbibFind", l.svenskRunbibFind);
  read("Links", "DkcSystemnr", l.dkcSystemnr);
  read("Links", "RaLokalitet", l.raLokalitet);

  ConstSettings& c = s.consts;
  c.paus = p.ReadBool("Const", "Paus", c.paus);
  c.comment = p.ReadBool("Const", "Comment", c.comment);
  c.errorInfile = p.ReadBool("Const", "ErrorInfile", c.errorInfile);
  read("Const", "ErrorMail", c.errorMail);
  read("Const", "MellanKoord", l.mellanKoord);
  if (l.mellanKoord.empty()) l.mellanKoord.assign(1, ';');

  s.dataFileName = LimitBaseName(p.ReadString("Database", "DataFileName", s.dataFileName));

  for (auto& [caption, address] : p.Entries("Weblinks"))
    s.webLinks.push_back({std::move(caption), std::move(address)});

  read("Parameters", "ParameterCode", s.codes.parameterCode);
  read("Parameters", "SelectionCode", s.codes.selectionCode);
  read("Parameters", "FormatCode", s.codes.formatCode);

  read("FileSettings", "SaveFile", s.saveFile.name);

  ReadInterruption(p, s.interruption);

  read("Font", "Name", s.font.name);
  const int size = p.ReadInteger("Font", "Size", s.font.size);
  if (size >= 1 && size <= kMaxFontSize) s.font.size = size;

  s.language = p.ReadString("Localisation", "Language", "SWEDISH") == "ENGLISH" ? Language::English
                                                                                : Language::Swedish;

  ReadExports(p, s);

  ProvinceSet provinces;
  for (int n = 1; n <= kAreaCount; ++n)
    if (p.ReadBool("Provinces", RegionInfo(n).code, true)) provinces.Include(n);
  s.provinces.Assign(provinces);
  return s;
}

bool SaveSettings(const Settings& s, SaveChoice choice, const fs::path& file, int* error) {
  if (error) *error = 0;
  if (choice != SaveChoice::Settings && choice != SaveChoice::All) return true;
  std::error_code ec;
  const bool existed = fs::exists(file, ec);
  ProfileFile p;
  if (!p.Load(file)) {  // never replace a file whose content we could not see
    if (error) *error = fs::is_regular_file(file, ec) ? EACCES : EINVAL;
    return false;
  }
  const std::string before = p.Text();

  const LinkSettings& l = s.links;
  p.WriteString("Links", "SHMInvNr", l.shmInvNr);
  p.WriteString("Links", "NewVersion", l.newVersion);
  p.WriteString("Links", "RaaObjektid", l.raaObjektid);
  p.WriteString("Links", "SvenskRunbibFind", l.svenskRunbibFind);
  p.WriteString("Links", "DkcSystemnr", l.dkcSystemnr);
  p.WriteString("Links", "RaLokalitet", l.raLokalitet);

  p.WriteBool("Const", "Paus", s.consts.paus);
  p.WriteBool("Const", "Comment", s.consts.comment);
  p.WriteBool("Const", "ErrorInfile", s.consts.errorInfile);
  p.WriteString("Const", "ErrorMail", s.consts.errorMail);
  p.WriteString("Const", "MellanKoord", l.mellanKoord);

  p.WriteString("Database", "DataFileName", s.dataFileName);

  p.WriteString("Font", "Name", s.font.name);
  p.WriteInteger("Font", "Size", s.font.size);

  if (choice == SaveChoice::All) {
    p.WriteString("Parameters", "ParameterCode", s.codes.parameterCode);
    p.WriteString("Parameters", "SelectionCode", s.codes.selectionCode);
    p.WriteString("Parameters", "FormatCode", s.codes.formatCode);
    p.WriteString("FileSettings", "SaveFile", s.saveFile.chosen ? s.saveFile.name : "");
    WriteInterruption(p, s.interruption);
    p.WriteString("Localisation", "Language",
                  s.language == Language::English ? "ENGLISH" : "SWEDISH");
    for (int n = 1; n <= kAreaCount; ++n)
      p.WriteBool("Provinces", RegionInfo(n).code, s.provinces.set.Contains(n));
    WriteExports(p, s);
    for (const WebLink& link : s.webLinks) p.WriteString("Weblinks", link.caption, link.address);
  }

  if (existed && p.Text() == before) return true;  // nothing changed: leave the file alone
  // Written on the program's own at exit: a link in the settings file's place is not followed.
  const int err = ReplaceFileContent(file.string(), p.Text(), Links::kRefuse);
  if (error) *error = err;
  return err == 0;
}

}  // namespace stavbas
