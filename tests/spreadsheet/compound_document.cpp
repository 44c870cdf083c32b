#include "spreadsheet/compound_document.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

namespace stavbas::test {

bool WriteCompoundDocument(const std::string& path,
                           const std::vector<std::pair<std::string, std::string>>& streams) {
  gsf_init();
  GsfOutput* file = gsf_output_stdio_new(path.c_str(), nullptr);
  if (!file) return false;
  GsfOutfile* doc = gsf_outfile_msole_new(file);
  for (const auto& [name, bytes] : streams) {
    GsfOutput* s = gsf_outfile_new_child(doc, name.c_str(), FALSE);
    gsf_output_write(s, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
    gsf_output_close(s);
    g_object_unref(s);
  }
  gsf_output_close(GSF_OUTPUT(doc));
  g_object_unref(doc);
  g_object_unref(file);
  return true;
}

}  // namespace stavbas::test
