#include "spreadsheet/compound_file.h"

#include <strings.h>

#include "spreadsheet/gsf_library.h"
#include "spreadsheet/xls_read.h"

namespace stavbas {
namespace {

// A workbook of the program's size is a few megabytes; a directory entry that claims far more
// belongs to a broken file.
constexpr gsf_off_t kMaxStreamSize = gsf_off_t{512} << 20;

// Drops a GObject reference when it goes out of scope.
template <typename T>
struct Ref {
  const GsfLibrary& gsf;
  T* p = nullptr;
  ~Ref() {
    if (p) gsf.objectUnref(p);
  }
};

std::string TakeMessage(const GsfLibrary& gsf, GError* err) {
  std::string text = err && err->message ? err->message : "unknown error";
  if (err) gsf.errorFree(err);
  return text;
}

int FindChild(const GsfLibrary& gsf, GsfInfile* dir, const char* name) {
  const int n = gsf.infileNumChildren(dir);
  for (int i = 0; i < n; ++i) {
    const char* child = gsf.infileNameByIndex(dir, i);
    if (child && strcasecmp(child, name) == 0) return i;
  }
  return -1;
}

}  // namespace

bool ReadWorkbookStream(const std::string& fileName, std::vector<std::uint8_t>& stream,
                        std::string& error) {
  const GsfLibrary* library = GsfLibraryLoaded(error);
  if (!library) return false;
  const GsfLibrary& gsf = *library;
  GError* err = nullptr;
  Ref<GsfInput> file{gsf, gsf.inputStdioNew(fileName.c_str(), &err)};
  if (!file.p) {
    error = "Can not open " + fileName + ": " + TakeMessage(gsf, err);
    return false;
  }
  Ref<GsfInfile> doc{gsf, gsf.infileMsoleNew(file.p, &err)};
  if (!doc.p) {
    if (err) gsf.errorFree(err);
    error = kXlsNotAWorkbook;
    return false;
  }
  int index = FindChild(gsf, doc.p, "Workbook");
  if (index < 0) index = FindChild(gsf, doc.p, "Book");
  Ref<GsfInput> child{gsf, index < 0 ? nullptr : gsf.infileChildByIndex(doc.p, index)};
  // A storage (folder) of that name is no workbook stream either.
  if (!child.p ||
      (gsf.typeCheckInstanceIsA(reinterpret_cast<GTypeInstance*>(child.p), gsf.infileGetType()) &&
       gsf.infileNumChildren(reinterpret_cast<GsfInfile*>(child.p)) >= 0)) {
    error = kXlsNotAWorkbook;
    return false;
  }

  const gsf_off_t size = gsf.inputSize(child.p);
  if (size < 0 || size > kMaxStreamSize) {
    error = "Broken workbook: the workbook stream claims " + std::to_string(size) + " bytes";
    return false;
  }
  stream.assign(static_cast<std::size_t>(size), 0);
  constexpr std::size_t kChunk = 1 << 16;
  for (std::size_t pos = 0; pos < stream.size(); pos += kChunk) {
    const std::size_t n = std::min(kChunk, stream.size() - pos);
    if (!gsf.inputRead(child.p, n, stream.data() + pos)) {
      error = "Broken workbook: the workbook stream can not be read past byte " +
              std::to_string(pos) + " of " + std::to_string(size);
      return false;
    }
  }
  return true;
}

}  // namespace stavbas
