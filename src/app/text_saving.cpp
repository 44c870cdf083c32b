#include "app/text_saving.h"

#include <cstring>
#include <filesystem>

#include "app/settings_comment.h"
#include "app/stavbas_app.h"
#include "base/atomic_file.h"
#include "base/char_tables.h"
#include "base/file_listing.h"
#include "base/whole_file.h"
#include "output/rtf_append.h"
#include "output/text_save.h"
#include "output/window_append.h"

namespace stavbas {
namespace {

bool Exists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool IsRtf(std::string_view bytes) {
  const std::size_t start = bytes.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && bytes.substr(start, 5) == "{\\rtf";
}

}  // namespace

TextSaving::TextSaving(StavbasApp& app, OutputWindow& window) : app_(app), window_(window) {
  // A name remembered from the settings is the save file again, not yet confirmed.
  SaveFileSettings& s = app_.settings.saveFile;
  if (!s.name.empty()) s.chosen = true;
  remembered_ = s.name;
}

const std::string& TextSaving::file() const {
  return app_.settings.saveFile.name;
}

bool TextSaving::chosen() const {
  return app_.settings.saveFile.chosen;
}

std::string TextSaving::type() const {
  return SystemUpperCase(std::filesystem::path(file()).extension().string());
}

bool TextSaving::MustChoose() const {
  return !chosen() || (!confirmed_ && file() == remembered_ && !Exists(file()));
}

bool TextSaving::MustConfirm() const {
  return chosen() && !confirmed_ && Exists(file());
}

bool TextSaving::TextOnly() const {
  return window_.maxLength <= kMinMaxLength;
}

std::string TextSaving::DialogName() const {
  if (!TextOnly()) return file();
  return std::filesystem::path(file()).replace_extension().string();
}

std::string TextSaving::WithExtension(const std::string& name, bool textFilter) {
  if (!std::filesystem::path(name).extension().empty()) return name;
  return name + (textFilter ? ".TXT" : ".RTF");
}

std::string TextSaving::Hint() const {
  return app_.ui.S(Str::VidKlickaPaSpara) + NameOf(file());
}

bool TextSaving::Choose(const std::string& name) {
  SaveFileSettings& s = app_.settings.saveFile;
  s.name = name;
  append_ = false;
  // What was kept for adding to another file does not belong to this one.
  if (appendFile_ != name) appendContent_.clear(), appendFile_.clear();
  if (Exists(name)) return true;
  s.chosen = true;
  confirmed_ = true;
  return false;
}

bool TextSaving::Answer(OverwriteChoice choice) {
  SaveFileSettings& s = app_.settings.saveFile;
  s.chosen = false;
  append_ = false;
  appendContent_.clear();
  appendFile_.clear();
  if (choice == OverwriteChoice::kCancel) return false;
  if (choice == OverwriteChoice::kAppend) {
    Ui& ui = app_.ui;
    std::string content;
    if (const int err = ReadWholeFile(s.name, content)) {
      ui.ShowMessage(ui.S(Str::Filen) + s.name + ui.S(Str::KanInteLasas) + std::strerror(err),
                     MsgKind::Error);
      return false;
    }
    // Rich text that cannot be extended would be damaged; text that is no RTF at all is
    // taken in as text.
    if (type() == ".RTF" && IsRtf(content) && !AppendToRtf(content, {})) {
      ui.ShowMessage(ui.S(Str::Filen) + s.name + ui.S(Str::InteRtf), MsgKind::Information);
      return false;
    }
    append_ = true;
    appendContent_ = std::move(content);
    appendFile_ = s.name;
  }
  s.chosen = true;
  confirmed_ = true;
  return true;
}

std::string TextSaving::PlainText(bool exists) const {
  const std::string text = window_.Text();
  if (append_) {
    // The earlier content stays byte for byte; the new text begins on a line of its own.
    std::string out = appendContent_;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    return out + text;
  }
  if (exists && app_.settings.consts.comment) {
    CodeSettings codes;
    codes.parameterCode = app_.conditions.wordSearchCode();
    codes.selectionCode = app_.conditions.inscriptionCode();
    codes.formatCode = app_.format.code();
    const std::vector<std::string> items =
        CodeCommentItems(app_.ui, codes, app_.settings.provinces.text, app_.session.baseName);
    if (!items.empty()) return SaveCommentText(items) + "\r\n" + text;
  }
  return text;
}

bool TextSaving::Write() {
  Ui& ui = app_.ui;
  const std::string path = file();
  if (append_ && appendFile_ != path) append_ = false;
  ui.host().SetStatusPanel(0, ui.S(Str::Sparar));
  std::string bytes;
  if (type() == ".RTF") {
    const std::vector<StyledRun> runs = window_.Runs();
    std::optional<std::string> added;
    if (append_ && IsRtf(appendContent_)) added = AppendToRtf(appendContent_, runs);
    if (added) {
      bytes = std::move(*added);
    } else if (append_) {
      // The earlier content was plain text: it is kept as the document's first text.
      std::vector<StyledRun> all;
      if (!appendContent_.empty()) {
        const TextStyle plain = PlainStyleOf(window_);
        all.push_back({appendContent_, plain});
        if (appendContent_.back() != '\n') all.push_back({"\r\n", plain});
      }
      all.insert(all.end(), runs.begin(), runs.end());
      bytes = ToRtf(all);
    } else {
      bytes = ToRtf(runs);
    }
  } else {
    bytes = PlainText(Exists(path));
  }
  std::string error;
  const bool ok = WriteFileAtomically(path, bytes, error);
  ui.host().SetStatusPanel(0, "");
  if (!ok) {
    ui.ShowMessage(ui.S(Str::TextenSparadesInte) + error, MsgKind::Error);
    return false;
  }
  ui.opening.NoteWritten(path);
  app_.settings.saveFile.chosen = true;
  confirmed_ = true;
  return true;
}

}  // namespace stavbas
