#include "export/kml_writer.h"

#include "base/char_tables.h"
#include "export/coordinates.h"
#include "export/export_file.h"

namespace stavbas {
namespace {

constexpr std::string_view kRuntext = "Runtext:";
constexpr std::string_view kWestNorse = "Fornv\xE4stnordisk text:";
constexpr std::string_view kNational = "Nationellt fornspr\xE5k:";

void Head(ExportFile& f, const KmlSettings& s) {
  f.Line(s.xmlVersion);
  f.Line(s.xmlns);
  f.Line("<Document>");
  f.Line("\t<name>" + s.name + "</name>");
  f.Line("\t<open>1</open>");
  f.Line("\t<description>" + s.name + "</description>");
  auto style = [&](const std::string& start, const std::string& icon, const std::string& balloon) {
    f.Line("\t" + start);
    f.Line("\t\t<IconStyle>");
    f.Line("\t\t<Icon>");
    f.Line("\t\t" + icon);
    f.Line("\t\t</Icon>");
    f.Line("\t\t</IconStyle>");
    f.Line("\t\t<BalloonStyle>");
    f.Line("\t\t" + balloon);
    f.Line("\t\t</BalloonStyle>");
    f.Line("\t</Style>");
  };
  style(s.styleNormal, s.iconNormal, s.balloonNormal);
  f.Line("\t" + s.styleMap);
  f.Line("\t\t<Pair>");
  f.Line("\t\t\t" + s.styleMapKey1);
  f.Line("\t\t\t" + s.styleMapUrl1);
  f.Line("\t\t</Pair>");
  f.Line("\t\t<Pair>");
  f.Line("\t\t\t" + s.styleMapKey2);
  f.Line("\t\t\t" + s.styleMapUrl2);
  f.Line("\t\t</Pair>");
  f.Line("\t</StyleMap>");
  style(s.styleHL, s.iconHL, s.balloonHL);
}

// A body line in the balloon: the labels of the texts with the text in bold or italics. The
// balloon shows HTML: the data's text is escaped, so that only the tags written here are
// markup (addresses in it stay text, as they always were here).
std::string DescriptionLine(std::string_view line) {
  if (Heading(line, kRuntext))
    return std::string(kRuntext) + "<b>" + HtmlContent(line.substr(kRuntext.size())) + "</b><br/>";
  for (std::string_view label : {kWestNorse, kNational})
    if (Heading(line, label))
      return std::string(label) + "<i>" + HtmlContent(line.substr(label.size())) + "</i><br/>";
  return HtmlContent(line) + "<br/>";
}

void Placemark(ExportFile& f, const ExportBlock& block, const KmlOptions& o) {
  std::string lat, lon, description;
  int origins = 0, presents = 0;
  for (std::size_t i = 1; i < block.lines.size(); ++i) {
    const std::string& line = block.lines[i];
    if (Heading(line, kOriginHeading) && ++origins == 1) {
      GetKoordinater(line, o.separator, lat, lon);
    } else if (Heading(line, kPresentHeading) && ++presents == 1) {
      if (!o.originPlace) GetKoordinater(line, o.separator, lat, lon);
    } else {
      description += DescriptionLine(line);
    }
  }
  f.Line("\t<Placemark>");
  for (int i = 0; i < block.blankLinesBefore; ++i) f.Line();
  f.Line("\t\t<name>" + XmlText(Trim(block.signumLine())) + "</name>");
  f.Line("\t\t<description><![CDATA[" + CdataText(description) + "]]></description>");
  const std::string longitude = XmlText(lon), latitude = XmlText(lat);
  f.Line("\t\t<LookAt>");
  f.Line("\t\t\t<longitude>" + longitude + "</longitude>");
  f.Line("\t\t\t<latitude>" + latitude + "</latitude>");
  f.Line("\t\t\t<altitude>0</altitude>");
  f.Line("\t\t\t<range>5000</range>");
  f.Line("\t\t\t<tilt>0</tilt>");
  f.Line("\t\t\t<heading>0</heading>");
  f.Line("\t\t</LookAt>");
  f.Line("\t\t<styleUrl>#exampleStyleMap</styleUrl>");
  f.Line("\t\t<Point>");
  f.Line("\t\t\t<coordinates>" + longitude + "," + latitude + ",0</coordinates>");
  f.Line("\t\t</Point>");
  f.Line("\t</Placemark>");
}

}  // namespace

bool SkapaKMLfil(const ExportText& text, const KmlOptions& options, const std::string& path,
                 std::string& error) {
  ExportFile f;
  if (!f.Open(path, true, error)) return false;
  if (!text.empty()) {
    Head(f, options.settings);
    ForEachBlock(text, [&](const ExportBlock& block) { Placemark(f, block, options); });
    f.Line("</Document>");
    f.Line("</kml>");
  }
  return f.Commit(error);
}

}  // namespace stavbas
