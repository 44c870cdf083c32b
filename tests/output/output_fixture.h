#pragma once
// The program without windows on a small database: settings, an in-memory output window and a
// recording host whose waits are answered by scripted steps.

#include <memory>
#include <string>

#include "app/stavbas_app.h"
#include "output/memory_document.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace stavbas::test {

class OutputFixture {
 public:
  // Writes RUN, NFS and an incomplete FVN file (UTF-8 lines after a header) and opens them.
  void Database(const std::string& run, const std::string& nfs, const std::string& fvn = "",
                const std::string& inf = "");
  // The program on the sample database.
  void Sample();
  void MakeApp();

  // The window's text in UTF-8 with CR LF made LF.
  std::string Text() const;
  // The style of the first run whose text contains `piece` (UTF-8).
  TextStyle StyleOf(const std::string& piece) const;

  TempDir dir;
  RecordingHost host;
  MemoryDocument window;
  Settings settings;
  std::unique_ptr<StavbasApp> app;
};

}  // namespace stavbas::test
