#include "export/shp_writer.h"

#include <fcntl.h>
#include <shapefil.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "export/export_file.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;

constexpr int kNameWidth = 11, kSignumWidth = 32, kNumberWidth = 15, kDecimals = 6;
constexpr int kValueWidth = 255;

// shapelib's file access, buffered in memory: shapelib seeks before every record it writes and
// steps back over the end-of-file mark of its table, which with the C library's buffering
// would cost a write to the disk per record. Writes at or near the end are gathered here and
// go to the disk in large pieces. A failed write is remembered, since shapelib does not report
// it.
class BufferedFile {
 public:
  // The buffer's memory is taken once: grown by doubling, three files' buffers would hold
  // several megabytes.
  explicit BufferedFile(int fd) : fd_(fd) { buffer_.reserve(kBlock + kSlack); }
  std::size_t Read(char* out, std::size_t n) {
    if (!Flush()) return 0;
    const ssize_t got = ::pread(fd_, out, n, static_cast<off_t>(position_));
    const std::size_t read = got > 0 ? static_cast<std::size_t>(got) : 0;
    position_ += read;
    return read;
  }
  std::size_t Write(const char* p, std::size_t n) {
    // The buffer holds the bytes from bufferStart_ on; a write outside it, or beyond its end,
    // sends it to the disk first.
    if (position_ < bufferStart_ || position_ > bufferStart_ + buffer_.size() ||
        buffer_.size() >= kBlock) {
      if (!Flush()) return 0;
      bufferStart_ = position_;
    }
    const std::size_t at = position_ - bufferStart_;
    if (at + n > buffer_.size()) buffer_.resize(at + n);
    std::copy(p, p + n, buffer_.begin() + static_cast<std::ptrdiff_t>(at));
    position_ += n;
    return n;
  }
  void Seek(std::size_t position) { position_ = position; }
  std::size_t End() {
    Flush();
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0;
  }
  std::size_t position() const { return position_; }
  bool Flush() {
    if (buffer_.empty()) return true;
    const bool ok =
        ::pwrite(fd_, buffer_.data(), buffer_.size(), static_cast<off_t>(bufferStart_)) ==
        static_cast<ssize_t>(buffer_.size());
    if (!ok) writeFailed = true;
    bufferStart_ += buffer_.size();
    buffer_.clear();
    return ok;
  }
  int Close() {
    const bool ok = Flush();
    return ::close(fd_) == 0 && ok ? 0 : EOF;
  }

  static thread_local bool writeFailed;

 private:
  static constexpr std::size_t kBlock = 1 << 18;
  static constexpr std::size_t kSlack = 1 << 12;  // room for the record that passes kBlock
  int fd_;
  std::size_t position_ = 0, bufferStart_ = 0;
  std::vector<char> buffer_;
};
thread_local bool BufferedFile::writeFailed = false;

BufferedFile* Of(SAFile file) {
  return reinterpret_cast<BufferedFile*>(file);
}

SAFile Open(const char* name, const char* access) {
  const std::string_view a = access;
  const bool create = a.find('w') != std::string_view::npos;
  const int flags = create                                  ? O_RDWR | O_CREAT | O_TRUNC
                    : a.find('+') != std::string_view::npos ? O_RDWR
                                                            : O_RDONLY;
  const int fd = ::open(name, flags | O_CLOEXEC, 0666);
  return fd < 0 ? nullptr : reinterpret_cast<SAFile>(new BufferedFile(fd));
}

SAOffset Read(void* p, SAOffset size, SAOffset count, SAFile file) {
  return size ? Of(file)->Read(static_cast<char*>(p), size * count) / size : 0;
}

SAOffset Write(void* p, SAOffset size, SAOffset count, SAFile file) {
  return size ? Of(file)->Write(static_cast<const char*>(p), size * count) / size : 0;
}

SAOffset Seek(SAFile file, SAOffset offset, int whence) {
  BufferedFile& f = *Of(file);
  if (whence == SEEK_SET)
    f.Seek(offset);
  else if (whence == SEEK_CUR)
    f.Seek(f.position() + offset);
  else
    f.Seek(f.End() + offset);
  return 0;
}

SAOffset Tell(SAFile file) {
  return Of(file)->position();
}

int Flush(SAFile file) {
  return Of(file)->Flush() ? 0 : EOF;
}

int Close(SAFile file) {
  const int r = Of(file)->Close();
  if (r != 0) BufferedFile::writeFailed = true;
  delete Of(file);
  return r;
}

SAHooks BufferedHooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.FOpen = Open;
  hooks.FRead = Read;
  hooks.FWrite = Write;
  hooks.FSeek = Seek;
  hooks.FTell = Tell;
  hooks.FFlush = Flush;
  hooks.FClose = Close;
  hooks.Error = [](const char*) { BufferedFile::writeFailed = true; };
  return hooks;
}

// Number fields as shapelib writes them ("%15.6f", "%11d"), formatted without the C library's
// printf, which costs more than everything else an export does for a point.
template <typename Number, typename... Format>
bool WriteField(DBFHandle dbf, int record, int field, int width, Number value, Format... format) {
  char digits[64];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, format...);
  const std::size_t n = ec == std::errc() ? static_cast<std::size_t>(end - digits) : 0;
  if (n == 0 || n > static_cast<std::size_t>(width)) return false;
  std::string text(width - n, ' ');
  text.append(digits, n);
  return DBFWriteAttributeDirectly(dbf, record, field, text.data());
}

bool WriteNumber(DBFHandle dbf, int record, int field, double value) {
  return WriteField(dbf, record, field, kNumberWidth, value, std::chars_format::fixed, kDecimals) ||
         DBFWriteDoubleAttribute(dbf, record, field, value);
}

// The four temporary files beside the chosen name; removed unless they were put in place.
struct TemporaryFiles {
  ShapefileNames names;
  ~TemporaryFiles() {
    std::error_code ignored;
    for (const std::string* name : {&names.shp, &names.shx, &names.dbf, &names.prj, &names.cpg})
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
  return {geometryFile, with(".shx", ".SHX"), with(".dbf", ".DBF"), with(".prj", ".PRJ"),
          with(".cpg", ".CPG")};
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
  TemporaryFiles files{{temp + ".shp", temp + ".shx", temp + ".dbf", temp + ".prj", temp + ".cpg"}};
  const auto fail = [&](const std::string& why) {
    error = SaveErrorText(path, why);
    return false;
  };
  SAHooks hooks = BufferedHooks();
  BufferedFile::writeFailed = false;
  SHPHandle shp = SHPCreateLL(files.names.shp.c_str(), SHPT_POINT, &hooks);
  DBFHandle dbf = shp ? DBFCreateLL(files.names.dbf.c_str(), "LDID/87", &hooks) : nullptr;
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
      if (!ok || row.position.first.empty()) return;
      double x = row.position.secondValue, y = row.position.firstValue, z = 0, m = 0;
      SHPObject* point = SHPCreateObject(SHPT_POINT, -1, 0, nullptr, nullptr, 1, &x, &y, &z, &m);
      const int record = static_cast<int>(records);
      ok = point && SHPWriteObject(shp, -1, point) >= 0 &&
           WriteField(dbf, record, 0, kNameWidth, record + 1) &&
           DBFWriteStringAttribute(dbf, record, 1, row.signum.c_str()) &&
           WriteNumber(dbf, record, 2, x) && WriteNumber(dbf, record, 3, y);
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
  if (!ok || BufferedFile::writeFailed) return fail("the shapefile cannot be written");

  // The projection, and the code page of the table's texts: the table's header says
  // "ANSI", which GIS programs may read as Latin-1 and so show "†" and the like wrongly.
  for (auto [name, text] :
       {std::pair{&files.names.prj, ProjectionText(table.keepRt90, options.wgs84)},
        {&files.names.cpg, std::string("1252")}}) {
    AtomicFile file;
    if (!file.Open(*name, error)) return false;
    file.Write(text);
    if (!file.Commit(error)) return false;
  }

  const ShapefileNames target = ShapefileNamesOf(path);
  for (auto [from, to] : {std::pair{&files.names.shp, &target.shp},
                          {&files.names.shx, &target.shx},
                          {&files.names.dbf, &target.dbf},
                          {&files.names.prj, &target.prj},
                          {&files.names.cpg, &target.cpg}}) {
    if (!AtomicFile::Replace(*from, *to, error)) return false;
    from->clear();
  }
  return true;
}

}  // namespace stavbas
