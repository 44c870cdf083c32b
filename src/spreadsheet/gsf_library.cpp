#include "spreadsheet/gsf_library.h"

#include <dlfcn.h>

namespace stavbas {
namespace {

template <typename F>
bool Bind(void* handle, const char* symbol, F& f, std::string& error) {
  f = reinterpret_cast<F>(dlsym(handle, symbol));
  if (!f) error = std::string("no ") + symbol + " in the library";
  return f != nullptr;
}

}  // namespace

std::optional<GsfLibrary> LoadGsfLibrary(const char* name, std::string& error) {
  error.clear();
  // The handle is kept for the program's life: GLib's types cannot be unloaded.
  void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    error = std::string("Can not load ") + name + ": " + (why ? why : "unknown error");
    return std::nullopt;
  }
  GsfLibrary g{};
  // dlsym finds GLib's functions through the library's own dependencies. The first function
  // missing is named.
  const bool all = Bind(handle, "gsf_init", g.init, error) &&
                   Bind(handle, "gsf_input_stdio_new", g.inputStdioNew, error) &&
                   Bind(handle, "gsf_infile_msole_new", g.infileMsoleNew, error) &&
                   Bind(handle, "gsf_infile_num_children", g.infileNumChildren, error) &&
                   Bind(handle, "gsf_infile_name_by_index", g.infileNameByIndex, error) &&
                   Bind(handle, "gsf_infile_child_by_index", g.infileChildByIndex, error) &&
                   Bind(handle, "gsf_infile_get_type", g.infileGetType, error) &&
                   Bind(handle, "gsf_input_size", g.inputSize, error) &&
                   Bind(handle, "gsf_input_read", g.inputRead, error) &&
                   Bind(handle, "g_type_check_instance_is_a", g.typeCheckInstanceIsA, error) &&
                   Bind(handle, "g_object_unref", g.objectUnref, error) &&
                   Bind(handle, "g_error_free", g.errorFree, error) &&
                   Bind(handle, "g_log_set_handler", g.logSetHandler, error);
  if (!all) {
    dlclose(handle);
    error = std::string("Can not use ") + name + ": " + error;
    return std::nullopt;
  }
  g.init();
  // The library's own complaints about a broken container would reach the user's terminal
  // beside the program's message; the program says what matters.
  g.logSetHandler(
      "libgsf:msole", G_LOG_LEVEL_MASK, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {},
      nullptr);
  return g;
}

const GsfLibrary* GsfLibraryLoaded(std::string& error) {
  static std::string loadError;
  static const std::optional<GsfLibrary> loaded = LoadGsfLibrary(STAVBAS_GSF_LIBRARY, loadError);
  error = loadError;
  return loaded ? &*loaded : nullptr;
}

}  // namespace stavbas
