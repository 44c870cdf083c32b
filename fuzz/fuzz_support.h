#pragma once
// What the fuzz targets share: a folder of the process's own for the files an input becomes,
// the sample database to put beside them, the program wired together as the command-line
// program wires it, and the split of one input into its parts.

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/stavbas_app.h"
#include "output/memory_document.h"
#include "silent_host.h"

namespace stavbas::fuzz {

using bench::SilentHost;

// A folder of this process (in /dev/shm when there is one), emptied at every call.
std::string FreshFolder();
// A folder holding the sample database with its index, written once per process.
const std::string& SampleFolder();
void WriteFile(const std::string& path, std::string_view bytes);
// The bytes of a file of the sample database ("STAVBAS.RUN").
const std::string& Sample(const std::string& name);
// Writes the sample database's data files into a folder, all but `except`.
void WriteSample(const std::string& folder, const std::string& except = {});
// The input cut at each `separator` into at most `parts` pieces (the last one takes the rest);
// there are always `parts` pieces, missing ones empty.
std::vector<std::string> Split(std::string_view data, char separator, std::size_t parts);

// The program without a window over the database `base` (a folder and base name), with the
// codes given: what stavbas-cli makes.
struct Program {
  Program(const std::string& base, const std::string& searchCode, const std::string& conditionCode,
          const std::string& formatCode);
  SilentHost host;
  MemoryDocument window;
  std::unique_ptr<StavbasApp> app;
  bool usable = false;

  // Reads the whole database: a display run over every inscription, the signums looked up
  // one by one, and the data-file check with its log.
  void ReadEverything(std::initializer_list<const char*> signums);
};

}  // namespace stavbas::fuzz
