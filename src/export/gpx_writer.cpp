#include "export/gpx_writer.h"

#include "base/char_tables.h"
#include "export/coordinates.h"
#include "export/export_file.h"

namespace stavbas {

std::string GpsLetters(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
      case 0xE5:  // å
      case 0xE4:  // ä
        c = 'a';
        break;
      case 0xF6:  // ö
        c = 'o';
        break;
      case 0xC5:  // Å
      case 0xC4:  // Ä
        c = 'A';
        break;
      case 0xD6:  // Ö
        c = 'O';
        break;
      case 0x86:  // †
        c = '#';
        break;
      default:
        break;
    }
  }
  return out;
}

bool SkapaPunktGPXfil(const ExportText& text, const GpxOptions& o, const std::string& path,
                      std::string& error) {
  ExportFile f;
  if (!f.Open(path, true, error)) return false;
  if (!text.empty()) {
    const GpxSettings& s = o.settings;
    f.Line(s.xmlVersion);
    f.Line("<gpx " + s.gpxVersion + " " + s.gpxCreator + " " + s.gpxXmlns + " " + s.gpxXsi);
    ForEachBlock(text, [&](const ExportBlock& block) {
      std::string lat, lon, comment;
      for (std::size_t i = 1; i < block.lines.size(); ++i) {
        const std::string& line = block.lines[i];
        if (Heading(line, kOriginHeading) || (!o.originPlace && Heading(line, kPresentHeading)))
          GetKoordinater(line, o.separator, lat, lon);
        else if (Heading(line, "Material:"))
          comment = line.substr(9);
        else if (Heading(line, "Placering:"))
          comment += "Placering:" + line.substr(10);
      }
      f.Line("\t<wpt lat=\"" + XmlText(lat) + "\" lon=\"" + XmlText(lon) + "\">");
      f.Line("\t\t<name>" + XmlText(GpsLetters(Trim(block.signumLine()))) + "</name>");
      f.Line("\t\t<cmt>" + XmlText(GpsLetters(comment)) + "</cmt>");
      f.Line("\t</wpt>");
    });
    f.Line("</gpx>");
  }
  return f.Commit(error);
}

}  // namespace stavbas
