#include "spreadsheet/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-utils.h>
#include <strings.h>

#include <mutex>

#include "spreadsheet/xls_read.h"

namespace stavbas {
namespace {

// A workbook of the program's size is a few megabytes; a directory entry that claims far more
// belongs to a broken file.
constexpr gsf_off_t kMaxStreamSize = gsf_off_t{512} << 20;

// Drops a GObject reference when it goes out of scope.
template <typename T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p) g_object_unref(p);
  }
};

std::string TakeMessage(GError* err) {
  std::string text = err && err->message ? err->message : "unknown error";
  if (err) g_error_free(err);
  return text;
}

int FindChild(GsfInfile* dir, const char* name) {
  const int n = gsf_infile_num_children(dir);
  for (int i = 0; i < n; ++i) {
    const char* child = gsf_infile_name_by_index(dir, i);
    if (child && strcasecmp(child, name) == 0) return i;
  }
  return -1;
}

}  // namespace

bool ReadWorkbookStream(const std::string& fileName, std::vector<std::uint8_t>& stream,
                        std::string& error) {
  static std::once_flag init;
  std::call_once(init, [] {
    gsf_init();
    // The library's own complaints about a broken container would reach the user's terminal
    // beside the program's message; the program says what matters.
    g_log_set_handler(
        "libgsf:msole", G_LOG_LEVEL_MASK,
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
  });

  GError* err = nullptr;
  Ref<GsfInput> file{gsf_input_stdio_new(fileName.c_str(), &err)};
  if (!file.p) {
    error = "Can not open " + fileName + ": " + TakeMessage(err);
    return false;
  }
  Ref<GsfInfile> doc{gsf_infile_msole_new(file.p, &err)};
  if (!doc.p) {
    if (err) g_error_free(err);
    error = kXlsNotAWorkbook;
    return false;
  }
  int index = FindChild(doc.p, "Workbook");
  if (index < 0) index = FindChild(doc.p, "Book");
  Ref<GsfInput> child{index < 0 ? nullptr : gsf_infile_child_by_index(doc.p, index)};
  // A storage (folder) of that name is no workbook stream either.
  if (!child.p || (GSF_IS_INFILE(child.p) && gsf_infile_num_children(GSF_INFILE(child.p)) >= 0)) {
    error = kXlsNotAWorkbook;
    return false;
  }

  const gsf_off_t size = gsf_input_size(child.p);
  if (size < 0 || size > kMaxStreamSize) {
    error = "Broken workbook: the workbook stream claims " + std::to_string(size) + " bytes";
    return false;
  }
  stream.assign(static_cast<std::size_t>(size), 0);
  constexpr std::size_t kChunk = 1 << 16;
  for (std::size_t pos = 0; pos < stream.size(); pos += kChunk) {
    const std::size_t n = std::min(kChunk, stream.size() - pos);
    if (!gsf_input_read(child.p, n, stream.data() + pos)) {
      error = "Broken workbook: the workbook stream can not be read past byte " +
              std::to_string(pos) + " of " + std::to_string(size);
      return false;
    }
  }
  return true;
}

}  // namespace stavbas
