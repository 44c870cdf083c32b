#pragma once
// The format dialog "Formatval": the list of choices ("Vallista"), the list of chosen entries
// ("Valdlista") with what its arrow buttons do, and the code "OK" builds from them. The format
// commands open it for a layout; the export commands open their variant, with a fixed part the
// code always begins with and the export's own elements. Texts are Windows-1252.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "output/format_code.h"

namespace stavbas {

class StavbasApp;

class FormatDialogModel {
 public:
  explicit FormatDialogModel(StavbasApp& app) : app_(app) {}

  // "Textformat", "Beläggformat", "Delat beläggformat": the layout's choices; the chosen list
  // stays as the user left it the last time.
  void OpenForLayout(LayoutKind kind);
  // An export command: the caption, fixed part, note and elements of the export; "Rubriker"
  // chosen and fixed; the chosen list holds the elements of the export's standard format.
  void OpenForExport(const ExportFormatDialog& dialog);

  bool exportVariant() const { return export_.has_value(); }
  LayoutKind layout() const { return layout_; }
  // The export's caption and note (the format commands' dialog has captions of its own).
  std::string caption() const { return export_ ? export_->caption : std::string(); }
  std::string note() const { return export_ ? export_->note : std::string(); }
  // What the code begins with: the layout's prefix, or the export's fixed part.
  std::string start() const;
  const std::vector<std::string>& choices() const { return choices_; }
  // Positions in the list of choices, in the chosen order.
  const std::vector<std::size_t>& chosen() const { return export_ ? exportChosen_ : chosen_; }
  bool headings() const { return export_ ? true : headings_; }
  bool headingsEnabled() const { return !export_; }
  void SetHeadings(bool on) { headings_ = on; }

  // The right arrow (and a double click on the choices): the selected choices go to the end of
  // the chosen list, in the order of the list of choices.
  void Add(std::vector<std::size_t> positions);
  // The left arrow (and a double click on the chosen list): the selected entries go.
  void Remove(std::vector<std::size_t> rows);
  // The up and down arrows: the entry moves one place; the row it has afterwards.
  std::size_t MoveUp(std::size_t row);
  std::size_t MoveDown(std::size_t row);
  // Emptied when the language changes.
  void ClearChosen() { chosen_.clear(); }

  // The code of the chosen entries.
  std::string Code() const;
  // The code "OK" would take: the export variant with its chosen list as loaded takes the
  // export's standard format as it stands.
  std::string Preview() const;

  // "OK" of the format commands' dialog: the code becomes the current format code. A refused
  // one (shown with "Felaktig formatkod ") leaves the previous code in force and the dialog
  // open: false.
  bool Ok();
  // "OK" of the export variant: the code and the chosen elements; nothing (after a message)
  // when the code is too long, and the dialog stays open. With the chosen list as it was
  // loaded, the code is the export's standard format as it stands.
  struct ExportChoice {
    std::string code;
    std::vector<std::string> entries;
  };
  std::optional<ExportChoice> ExportOk();

 private:
  std::vector<std::size_t>& Chosen() { return export_ ? exportChosen_ : chosen_; }
  // The entries of the list of choices that a code's items name, leaving out those of the
  // fixed part.
  std::vector<std::size_t> EntriesOf(const std::string& code) const;

  StavbasApp& app_;
  LayoutKind layout_ = LayoutKind::kText;
  std::optional<ExportFormatDialog> export_;
  std::vector<std::string> choices_;
  std::vector<std::size_t> chosen_;
  std::vector<std::size_t> exportChosen_, exportLoaded_;
  bool headings_ = false;
};

}  // namespace stavbas
