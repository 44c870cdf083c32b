#include "export/gmap_writer.h"

#include "base/char_tables.h"
#include "export/coordinates.h"
#include "export/export_file.h"

namespace stavbas {
namespace {

constexpr std::string_view kRuntext = "Runtext:";
constexpr std::string_view kWestNorse = "Fornv\xE4stnordisk text:";
constexpr std::string_view kNational = "Nationellt fornspr\xE5k:";

void ReplaceAll(std::string& s, std::string_view what, std::string_view with) {
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
    s.replace(at, what.size(), with);
}

// The page up to the place of the data: the map, its markers and the footer.
void Head(ExportFile& f, const GmapOptions& o) {
  const GmapSettings& s = o.settings;
  for (const std::string& line :
       {s.doctype, std::string("<html>"), std::string("<head>"), "<meta " + s.meta1,
        "<meta " + s.meta2, "<title>" + s.title + "</title>", std::string("<style>"),
        "html " + s.styleHtml, "body " + s.styleBody, "table " + s.styleTable, "p " + s.styleP,
        "#map_canvas " + s.styleCanvas, "@media print " + s.stylePrint, std::string("</style>"),
        std::string("<script"), "src=" + s.script1 + "></script>",
        "<script src=" + s.script2 + "></script>", std::string("<script>")})
    f.Line(line);
  f.Line("window.onload = function() {");
  f.Line("var gm = google.maps;");
  f.Line("var map = new gm.Map(document.getElementById('map_canvas'), {");
  f.Line("mapTypeId: gm." + s.mapType + ",");
  f.Line("center: new gm.LatLng(60,17), zoom: 6, scrollwheel: false");
  f.Line("});");
  f.Line("var iw = new gm.InfoWindow();");
  f.Line("var oms = new OverlappingMarkerSpiderfier(map,");
  f.Line("{markersWontMove: true, markersWontHide: true});");
  f.Line("var myicon = '" + s.iconNormal + "';");
  f.Line("var myselicon = '" + s.iconSelected + "';");
  for (const char* line : {"oms.addListener('click', function(marker) {",
                           "iw.setContent(marker.desc);",
                           "iw.open(map, marker);",
                           "});",
                           "oms.addListener('spiderfy', function(markers) {",
                           "for(var i = 0; i < markers.length; i ++) {",
                           "markers[i].setIcon(myselicon);",
                           "}",
                           "iw.close();",
                           "});",
                           "oms.addListener('unspiderfy', function(markers) {",
                           "for(var i = 0; i < markers.length; i ++) {",
                           "markers[i].setIcon(myicon);",
                           "}",
                           "});",
                           "var bounds = new gm.LatLngBounds();",
                           "for (var i = 0; i < window.mapData.length; i ++) {",
                           "var mydata = window.mapData[i];",
                           "var loc = new gm.LatLng(mydata.lat, mydata.lon);",
                           "bounds.extend(loc);",
                           "var marker = new gm.Marker({",
                           "position: loc,",
                           "title: mydata.h,",
                           "map: map,",
                           "icon: myicon",
                           "});",
                           "marker.desc = mydata.d;",
                           "oms.addMarker(marker);",
                           "}"})
    f.Line(line);
  f.Line("map.setOptions({ " + s.maxZoom + " });");
  for (const char* line : {"map.fitBounds(bounds);", "map.setOptions({ maxZoom: null });", "}",
                           "</script>", "</head>", "<body>", "<header>"})
    f.Line(line);
  f.Line(s.header);
  f.Line("</header>");
  f.Line("<div id=\"map_canvas\"></div>");
  f.Line("<footer>");
  f.Line("<p>" + HtmlText(o.footer) + "</p>");
  for (const char* line :
       {"</footer>", "</body>", "<script>", "function coordinate(x, y) {", "this.x = x;",
        "this.y = y;", "}", "var data = [];", "var runestone_locations = new Array();",
        "var runestone_location_NameArray = new Array();", "var runestone_content = new Array();"})
    f.Line(line);
}

void Tail(ExportFile& f) {
  for (const char* line :
       {"for(var i=0;i<runestone_locations.length;i++) {",
        "data.push({lon: runestone_locations[i].y,", "lat: runestone_locations[i].x,",
        "h: runestone_location_NameArray[i],", "d: runestone_content[i]", "});", "}",
        "window.mapData = data;", "</script>", "</html>"})
    f.Line(line);
}

// The description's piece for one body line.
std::string DescriptionLine(std::string_view line) {
  if (Heading(line, kRuntext))
    return std::string(kRuntext) + "<b>" + EscapeForPage(line.substr(kRuntext.size())) +
           "</b><br/>";
  for (std::string_view label : {kWestNorse, kNational})
    if (Heading(line, label))
      return std::string(label) + "<i>" + EscapeForPage(line.substr(label.size())) + "</i><br/>";
  return WithLinks(EscapeForPage(line)) + "<br/>";
}

}  // namespace

std::string SelectionFooter(const GmapFooterWords& w, std::string_view provinceText,
                            std::string_view wordSearchCode, std::string_view conditionCode,
                            long inscriptions) {
  std::string footer =
      w.urval + (provinceText.empty() ? w.allaLandskap : std::string(provinceText));
  if (!wordSearchCode.empty())
    footer += ", " + w.ordsokningskod + " " + std::string(wordSearchCode);
  if (!conditionCode.empty())
    footer += ", " + w.inskriftsvillkorskod + " " + std::string(conditionCode);
  if (inscriptions > 0) footer += ", " + std::to_string(inscriptions) + w.inskrifter;
  return footer;
}

std::string EscapeForPage(std::string_view text) {
  // One pass, each character replaced once: the backslash put before an apostrophe stays single.
  std::string s;
  s.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        s += "&amp;";
        break;
      case '\\':
        s += "\\\\";
        break;
      case '\'':
        s += "\\'";
        break;
      case '>':
        s += "&gt;";
        break;
      case '<':
        s += "&lt;";
        break;
      default:
        s += c;
    }
  }
  return s;
}

std::string WithLinks(const std::string& line) {
  auto linkStart = [](std::string_view rest, bool& bracketed) {
    std::size_t at = rest.find("[http");
    bracketed = at != std::string_view::npos;
    return bracketed ? at : rest.find("http");
  };
  bool bracketed;
  std::string_view rest = line;
  std::size_t start = linkStart(rest, bracketed);
  if (start == std::string_view::npos) return line;
  std::string out;
  while (start != std::string_view::npos) {
    out += rest.substr(0, start);
    rest.remove_prefix(start);
    std::string_view shown, address;
    if (bracketed) {
      const std::size_t close = rest.find(']');
      if (close == std::string_view::npos) return line;  // no link at all in this line
      shown = rest.substr(0, close + 1);
      address = rest.substr(1, close - 1);
    } else {
      const std::size_t blank = rest.find(' ');
      shown = blank == std::string_view::npos ? rest : rest.substr(0, blank + 1);
      address = blank == std::string_view::npos ? rest : rest.substr(0, blank);
      if (blank != std::string_view::npos && blank > 0 &&
          (rest[blank - 1] == ',' || rest[blank - 1] == ';'))
        address.remove_suffix(1);
    }
    // Only a web address becomes a link; "httpx:" and the like stay text.
    if (address.starts_with("http://") || address.starts_with("https://")) {
      std::string href(address);
      ReplaceAll(href, "\"", "%22");
      out += "<a href=\"" + href + "\" target=\"_blank\">" + std::string(shown) + "</a>";
    } else {
      out += shown;
    }
    rest.remove_prefix(shown.size());
    start = linkStart(rest, bracketed);
  }
  return out + std::string(rest);
}

bool SkapaGMAPfil(const ExportText& text, const GmapOptions& options, const std::string& path,
                  std::string& error) {
  ExportFile f;
  if (!f.Open(path, true, error)) return false;
  if (!text.empty()) {
    Head(f, options);
    long written = 0;
    ForEachBlock(text, [&](const ExportBlock& block) {
      const std::string name = EscapeForPage(Trim(block.signumLine()));
      std::string description, lat, lon;
      for (std::size_t i = 1; i < block.lines.size(); ++i) {
        const std::string& line = block.lines[i];
        if (Heading(line, kOriginHeading) ||
            (!options.originPlace && Heading(line, kPresentHeading)))
          GetKoordinater(line, options.separator, lat, lon);
        else
          description += DescriptionLine(line);
      }
      if (lat.empty() || name.empty()) return;  // no marker without coordinates
      f.Line("\trunestone_locations.push(new coordinate(" + lat + "," + lon + "));");
      f.Line("\trunestone_location_NameArray.push('" + name + "');");
      f.Line("\trunestone_content.push('<h3>'+runestone_location_NameArray[" +
             std::to_string(written++) + "]+'</h3><br/>" + description + "');");
    });
    Tail(f);
  }
  return f.Commit(error);
}

}  // namespace stavbas
