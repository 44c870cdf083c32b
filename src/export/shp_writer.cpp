#include "export/shp_writer.h"

#include <shapefil.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

#include "export/export_file.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;

constexpr int kNameWidth = 11, kSignumWidth = 32, kNumberWidth = 15, kDecimals = 6;
constexpr int kValueWidth = 255;

double Number(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The four temporary files beside the chosen name; removed unless they were put in place.
struct TemporaryFiles {
  ShapefileNames names;
  ~TemporaryFiles() {
    std::error_code ignored;
    for (const std::string* name : {&names.shp, &names.shx, &names.dbf, &names.prj})
      if (!name->empty()) fs::remove(*name, ignored);
  }
};

}  // namespace

ShapefileNames ShapefileNamesOf(const std::string& geometryFile) {
  const std::string ext = ExtensionOf(geometryFile);
  const bool upper = std::any_of(ext.begin(), ext.end(), [](char c) { return std::isupper(c); }) &&
                     std::none_of(ext.begin(), ext.end(), [](char c) { return std::islower(c); });
  auto with = [&](std::string_view lower, std::string_view capitals) {
    return WithExtension(geometryFile, upper ? capitals : lower);
  };
  return {geometryFile, with(".shx", ".SHX"), with(".dbf", ".DBF"), with(".prj", ".PRJ")};
}

std::string FieldName(const std::string& column) {
  std::string name = column;
  for (char& c : name) {
    if (c == ' ' || c == '.') c = '_';
    if (c == '/') c = '-';
  }
  return name;
}

std::string ProjectionText(bool rt90, const ShpWgs84Settings& s) {
  if (rt90)
    return "PROJCS[\"RT90 2,5 gon V\",GEOGCS[\"RT90\",DATUM[\"D_RT90\","
           "SPHEROID[\"Bessel_1841\",6377397.155,299.1528128254262]],PRIMEM[\"Greenwich\",0],"
           "UNIT[\"Degree\",0.017453292519943295]],PROJECTION[\"Transverse_Mercator\"],"
           "PARAMETER[\"latitude_of_origin\",0],PARAMETER[\"central_meridian\",15.8082777778],"
           "PARAMETER[\"scale_factor\",1],PARAMETER[\"false_easting\",1500000],"
           "PARAMETER[\"false_northing\",0],UNIT[\"Meter\",1]]";
  std::string text;
  if (!s.projcs.empty()) text += "PROJCS[" + s.projcs + ",";
  text += "GEOGCS[" + s.geogcs + ",";
  text += "DATUM[" + s.datum + ",";
  text += "SPHEROID[" + s.spheroid + "]],";
  text += "PRIMEM[" + s.primem + "],";
  text += "UNIT[" + s.unit + "]]";
  if (!s.projcs.empty()) text += "PROJECTION" + s.projection + "]";
  return text;
}

bool SkapaSHP2fil(const ExportText& text, const ShpOptions& options, const std::string& path,
                  long& records, std::string& error) {
  records = 0;
  TableOptions table = options.table;
  table.keepRt90 = KeepGridValues(text, table, ShpRow);

  // shapelib derives the index file's name from the geometry file's, the table's from its own.
  const std::string temp = AtomicFile::FreeNameBeside(path, "", error);
  if (temp.empty()) return false;
  TemporaryFiles files{{temp + ".shp", temp + ".shx", temp + ".dbf", temp + ".prj"}};
  const auto fail = [&](const std::string& why) {
    error = SaveErrorText(path, why);
    return false;
  };
  SHPHandle shp = SHPCreate(files.names.shp.c_str(), SHPT_POINT);
  DBFHandle dbf = shp ? DBFCreate(files.names.dbf.c_str()) : nullptr;
  if (!shp || !dbf) {
    if (shp) SHPClose(shp);
    return fail("the shapefile cannot be created");
  }
  bool ok = DBFAddField(dbf, BaseNameOf(path).c_str(), FTInteger, kNameWidth, 0) >= 0 &&
            DBFAddField(dbf, "Signum", FTString, kSignumWidth, 0) >= 0 &&
            DBFAddField(dbf, "X-koord", FTDouble, kNumberWidth, kDecimals) >= 0 &&
            DBFAddField(dbf, "Y-koord", FTDouble, kNumberWidth, kDecimals) >= 0;
  for (const std::string& column : table.columns)
    ok = ok && DBFAddField(dbf, FieldName(column).c_str(), FTString, kValueWidth, 0) >= 0;
  try {
    ForEachBlock(text, [&](const ExportBlock& block) {
      const TableRow row = ShpRow(block, table);
      if (!ok || row.first.empty()) return;
      double x = Number(row.second), y = Number(row.first), z = 0, m = 0;
      SHPObject* point = SHPCreateObject(SHPT_POINT, -1, 0, nullptr, nullptr, 1, &x, &y, &z, &m);
      const int record = static_cast<int>(records);
      ok = point && SHPWriteObject(shp, -1, point) >= 0 &&
           DBFWriteIntegerAttribute(dbf, record, 0, record + 1) &&
           DBFWriteStringAttribute(dbf, record, 1, row.signum.c_str()) &&
           DBFWriteDoubleAttribute(dbf, record, 2, x) &&
           DBFWriteDoubleAttribute(dbf, record, 3, y);
      for (std::size_t c = 0; ok && c < row.values.size(); ++c)
        ok = DBFWriteStringAttribute(dbf, record, static_cast<int>(4 + c), row.values[c].c_str());
      if (point) SHPDestroyObject(point);
      ++records;
    });
  } catch (...) {
    SHPClose(shp);
    DBFClose(dbf);
    throw;
  }
  SHPClose(shp);
  DBFClose(dbf);
  if (!ok) return fail("the shapefile cannot be written");

  AtomicFile prj;
  if (!prj.Open(files.names.prj, error)) return false;
  prj.Write(ProjectionText(table.keepRt90, options.wgs84));
  if (!prj.Commit(error)) return false;

  const ShapefileNames target = ShapefileNamesOf(path);
  for (auto [from, to] : {std::pair{&files.names.shp, &target.shp}, {&files.names.shx, &target.shx},
                          {&files.names.dbf, &target.dbf}, {&files.names.prj, &target.prj}}) {
    if (!AtomicFile::Replace(*from, *to, error)) return false;
    from->clear();
  }
  return true;
}

}  // namespace stavbas
