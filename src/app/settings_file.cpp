#include "app/settings_file.h"

#include "app/database_session.h"
#include "app/profile_file.h"
#include "database/regions.h"

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

void ReadExports(const ProfileFile& p, Settings& s) {
  const Reader read(p);
  KmlSettings& k = s.kml;
  read("KMLSettings", "StandardFormat", k.standardFormat);
  read("KMLSettings", "xmlversion", k.xmlVersion);
  read("KMLSettings", "xmlns", k.xmlns);
  read("KMLSettings", "name", k.name);
  read("KMLSettings", "StyleNormal", k.styleNormal);
  read("KMLSettings", "IconNormal", k.iconNormal);
  read("KMLSettings", "BalloonNormal", k.balloonNormal);
  read("KMLSettings", "StyleMap", k.styleMap);
  read("KMLSettings", "StyleMapKey1", k.styleMapKey1);
  read("KMLSettings", "StyleMapUrl1", k.styleMapUrl1);
  read("KMLSettings", "StyleMapKey2", k.styleMapKey2);
  read("KMLSettings", "StyleMapUrl2", k.styleMapUrl2);
  read("KMLSettings", "StyleHL", k.styleHL);
  read("KMLSettings", "IconHL", k.iconHL);
  read("KMLSettings", "BalloonHL", k.balloonHL);

  GpxSettings& g = s.gpx;
  read("GPXSettings", "StandardFormat", g.standardFormat);
  read("GPXSettings", "xmlversion", g.xmlVersion);
  read("GPXSettings", "gpxversion", g.gpxVersion);
  read("GPXSettings", "gpxcreator", g.gpxCreator);
  read("GPXSettings", "gpxxmlns", g.gpxXmlns);
  read("GPXSettings", "gpxxsi", g.gpxXsi);

  read("CSVSettings", "StandardFormat", s.csv.standardFormat);
  read("CSVSettings", "Delimiter", s.csv.delimiter);
  read("SHPSettings", "StandardFormat", s.shp.standardFormat);

  ShpWgs84Settings& w = s.shpWgs84;
  read("SHPWGS84Settings", "PROJCS", w.projcs);
  read("SHPWGS84Settings", "GEOGCS", w.geogcs);
  read("SHPWGS84Settings", "DATUM", w.datum);
  read("SHPWGS84Settings", "SPHEROID", w.spheroid);
  read("SHPWGS84Settings", "PRIMEM", w.primem);
  read("SHPWGS84Settings", "UNIT", w.unit);
  read("SHPWGS84Settings", "PROJECTION", w.projection);

  GmapSettings& m = s.gmap;
  read("GMAPSettings", "StandardFormat", m.standardFormat);
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
  const KmlSettings& k = s.kml;
  p.WriteString("KMLSettings", "StandardFormat", k.standardFormat);
  p.WriteString("KMLSettings", "xmlversion", k.xmlVersion);
  p.WriteString("KMLSettings", "xmlns", k.xmlns);
  p.WriteString("KMLSettings", "name", k.name);
  p.WriteString("KMLSettings", "StyleNormal", k.styleNormal);
  p.WriteString("KMLSettings", "IconNormal", k.iconNormal);
  p.WriteString("KMLSettings", "BalloonNormal", k.balloonNormal);
  p.WriteString("KMLSettings", "StyleMap", k.styleMap);
  p.WriteString("KMLSettings", "StyleMapKey1", k.styleMapKey1);
  p.WriteString("KMLSettings", "StyleMapUrl1", k.styleMapUrl1);
  p.WriteString("KMLSettings", "StyleMapKey2", k.styleMapKey2);
  p.WriteString("KMLSettings", "StyleMapUrl2", k.styleMapUrl2);
  p.WriteString("KMLSettings", "StyleHL", k.styleHL);
  p.WriteString("KMLSettings", "IconHL", k.iconHL);
  p.WriteString("KMLSettings", "BalloonHL", k.balloonHL);

  const GpxSettings& g = s.gpx;
  p.WriteString("GPXSettings", "StandardFormat", g.standardFormat);
  p.WriteString("GPXSettings", "xmlversion", g.xmlVersion);
  p.WriteString("GPXSettings", "gpxversion", g.gpxVersion);
  p.WriteString("GPXSettings", "gpxcreator", g.gpxCreator);
  p.WriteString("GPXSettings", "gpxxmlns", g.gpxXmlns);
  p.WriteString("GPXSettings", "gpxxsi", g.gpxXsi);

  p.WriteString("CSVSettings", "StandardFormat", s.csv.standardFormat);
  p.WriteString("CSVSettings", "Delimiter", s.csv.delimiter);
  p.WriteString("SHPSettings", "StandardFormat", s.shp.standardFormat);

  // These three hold values in double quotes; one further pair keeps them through a read.
  const ShpWgs84Settings& w = s.shpWgs84;
  p.WriteRaw("SHPWGS84Settings", "PROJCS", "\"" + w.projcs + "\"");
  p.WriteRaw("SHPWGS84Settings", "GEOGCS", "\"" + w.geogcs + "\"");
  p.WriteRaw("SHPWGS84Settings", "DATUM", "\"" + w.datum + "\"");
  p.WriteString("SHPWGS84Settings", "SPHEROID", w.spheroid);
  p.WriteString("SHPWGS84Settings", "PRIMEM", w.primem);
  p.WriteString("SHPWGS84Settings", "UNIT", w.unit);
  p.WriteString("SHPWGS84Settings", "PROJECTION", w.projection);

  // The page's other pieces are only ever changed by editing the file.
  p.WriteString("GMAPSettings", "StandardFormat", s.gmap.standardFormat);
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

bool SaveSettings(const Settings& s, SaveChoice choice, const fs::path& file) {
  if (choice != SaveChoice::Settings && choice != SaveChoice::All) return true;
  std::error_code ec;
  const bool existed = fs::exists(file, ec);
  ProfileFile p;
  if (!p.Load(file)) return false;  // never replace a file whose content we could not see
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
  return p.Save(file);
}

}  // namespace stavbas
