#pragma once
// The settings of the exports: each one's standard format and the fixed pieces of the files it
// writes, with their defaults. The settings file can override every one of them.
// Text is Windows-1252.

#include <string>

#include "base/link_settings.h"

namespace stavbas {

// Section "KMLSettings": the standard format and the pieces of a Google Earth file.
struct KmlSettings {
  std::string standardFormat =
      ">.$ RUN\xA3 INF;X+ INF;Y+ FVN\xA3 ENG\xA3 INF;A+ INF;P+, INF;S+, INF;T+, INF;K+ INF;D+ "
      "INF;N+";
  std::string xmlVersion = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  std::string xmlns = "<kml xmlns=\"http://www.opengis.net/kml/2.2\">";
  std::string name = "KML-export fr\xE5n Stavbas";
  std::string styleNormal = "<Style id=\"normalPlacemark\">";
  std::string iconNormal = std::string("<href>") + kProjectServer + "/stavbas/runsten.gif</href>";
  std::string balloonNormal = DefaultBalloon();
  std::string styleMap = "<StyleMap id=\"exampleStyleMap\">";
  std::string styleMapKey1 = "<key>normal</key>";
  std::string styleMapUrl1 = "<styleUrl>#normalPlacemark</styleUrl>";
  std::string styleMapKey2 = "<key>highlight</key>";
  std::string styleMapUrl2 = "<styleUrl>#highlightPlacemark</styleUrl>";
  std::string styleHL = "<Style id=\"highlightPlacemark\">";
  std::string iconHL = std::string("<href>") + kProjectServer + "/stavbas/runstenvald.gif</href>";
  std::string balloonHL = DefaultBalloon();

  // The balloon: the project's logo linking to its home page, the name and the description.
  static std::string DefaultBalloon() {
    return std::string("<text>&lt;a href=&quot;") + kProjectHomePage +
           "&quot;&gt;&lt;img src=&quot;" + kProjectServer +
           "/stavbas/logo.gif&quot;&gt;&lt;/a&gt;&lt;h1&gt;$[name]&lt;/h1&gt;$[description]</text>";
  }

  bool operator==(const KmlSettings&) const = default;
};

// Section "GPXSettings".
struct GpxSettings {
  std::string standardFormat = ">.$ INF;X+ INF;Y+";
  std::string xmlVersion = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  std::string gpxVersion = "version=\"1.1\"";
  std::string gpxCreator = std::string("creator=\"Stavbas 3.0 - ") + kProjectHomePage + "\"";
  std::string gpxXmlns =
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xmlns=\"http://www.topografix.com/GPX/1/1\"";
  // Closes the start tag.
  std::string gpxXsi =
      "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
      "http://www.topografix.com/GPX/1/1/gpx.xsd\">";

  bool operator==(const GpxSettings&) const = default;
};

// Section "CSVSettings".
struct CsvSettings {
  std::string standardFormat = ">.$, INF;X+ INF;Y+";
  std::string delimiter = ";";

  bool operator==(const CsvSettings&) const = default;
};

// Section "SHPSettings".
struct ShpSettings {
  std::string standardFormat = ">.$, INF;X+ INF;Y+";

  bool operator==(const ShpSettings&) const = default;
};

// Section "SHPWGS84Settings": the pieces of the projection file for WGS 84 positions.
struct ShpWgs84Settings {
  std::string projcs;
  std::string geogcs = "\"WGS 84\"";
  std::string datum = "\"WGS_1984\"";
  std::string spheroid = "\"WGS 84\",6378137,298.257223563";
  std::string primem = "\"Greenwich\",0";
  std::string unit = "\"degree\",0.017453292519943295";
  std::string projection;

  bool operator==(const ShpWgs84Settings&) const = default;
};

// Section "GMAPSettings": the pieces of the Google Maps page. Only the standard format is ever
// stored; the rest can be changed by editing the file.
struct GmapSettings {
  std::string standardFormat =
      ">.$ RUN\xA3 INF;X+ INF;Y+ FVN\xA3 ENG\xA3 INF;A+ INF;P+, INF;S+, INF;T+, INF;K+ INF;D+ "
      "INF;N+";
  std::string doctype = "<!DOCTYPE html>";
  std::string meta1 = "http-equiv=\"content-type\" content=\"text/html; charset=UTF-8\" />";
  std::string meta2 = "name=\"viewport\" content=\"initial-scale=1.0, user-scalable=no\" />";
  std::string title = "Runkarta";
  std::string styleHtml = "{ height: 100%; }";
  std::string styleBody =
      "{ height: 100%; margin: 0; padding: 0; font-family: Georgia, serif; font-size: 0.9em; }";
  std::string styleTable = "{ border-collapse: collapse; border-spacing: 0; }";
  std::string styleP = "{ margin: 0.75em 0; }";
  std::string styleCanvas = "{ height: 80%; width: 100%; }";
  std::string stylePrint = "{ #map_canvas { height: 950px; } }";
  std::string script1 = "\"https://maps.googleapis.com/maps/api/js?v=3.9&amp;sensor=false\"";
  std::string script2 = std::string("\"") + kProjectServer + "/stavbas/oms.min.js\"";
  std::string mapType = "MapTypeId.ROADMAP";
  std::string maxZoom = "maxZoom: 15";
  // Both come from the one key "icon" when the file has it.
  std::string iconNormal = std::string(kProjectServer) + "/stavbas/runsten.gif";
  std::string iconSelected = std::string(kProjectServer) + "/stavbas/runstenvald.gif";
  std::string header = std::string("<h1>Runinskrifter enligt urval ur <a href=\"") +
                       kProjectHomePage + "\">Stavbasverket</a></h1>";

  bool operator==(const GmapSettings&) const = default;
};

}  // namespace stavbas
