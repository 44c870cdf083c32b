#pragma once
// libgsf, loaded when a workbook is first read. Linked to the program, the library and the
// libraries it needs (GLib, GIO, libxml2, ICU...) would be loaded at every start of the
// program, which costs more than most command-line runs; only reading an .xls file needs them.

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-utils.h>

#include <optional>
#include <string>

namespace stavbas {

// The functions the workbook reader calls, with the types the headers give them.
struct GsfLibrary {
  decltype(&::gsf_init) init;
  decltype(&::gsf_input_stdio_new) inputStdioNew;
  decltype(&::gsf_infile_msole_new) infileMsoleNew;
  decltype(&::gsf_infile_num_children) infileNumChildren;
  decltype(&::gsf_infile_name_by_index) infileNameByIndex;
  decltype(&::gsf_infile_child_by_index) infileChildByIndex;
  decltype(&::gsf_infile_get_type) infileGetType;
  decltype(&::gsf_input_size) inputSize;
  decltype(&::gsf_input_read) inputRead;
  decltype(&::g_type_check_instance_is_a) typeCheckInstanceIsA;
  decltype(&::g_object_unref) objectUnref;
  decltype(&::g_error_free) errorFree;
  decltype(&::g_log_set_handler) logSetHandler;
};

// Loads the library from that file and initialises it; nothing, with what the system said in
// `error`, when it cannot.
std::optional<GsfLibrary> LoadGsfLibrary(const char* name, std::string& error);
// The library the program was built with, loaded once; null when it cannot be loaded.
const GsfLibrary* GsfLibraryLoaded(std::string& error);

}  // namespace stavbas
