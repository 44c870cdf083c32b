#include "app/format_dialog_model.h"

#include <algorithm>

#include "app/stavbas_app.h"
#include "base/char_tables.h"
#include "output/format_choice.h"

namespace stavbas {
namespace {

// The items a code names, as designators without their format characters: "$", "RUN",
// "INF;X". Filter marks and blank-line items name nothing.
std::vector<std::string> ItemNames(const std::string& code) {
  std::vector<std::string> names;
  std::string item;
  auto flush = [&] {
    std::size_t end = 0;
    while (end < item.size()) {
      const char c = item[end];
      const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                 (c >= '0' && c <= '9') || c == '$' || c == '?';
      if (!letterOrDigit && !(c == ';' && end + 1 < item.size())) break;
      end += c == ';' ? 2 : 1;
    }
    if (end > 0) names.push_back(SystemUpperCase(item.substr(0, end)));
    item.clear();
  };
  for (char c : code) {
    if (c == ' ' || c == ',' || c == '>' || c == '.')
      flush();
    else
      item += c;
  }
  flush();
  return names;
}

}  // namespace

void FormatDialogModel::OpenForLayout(LayoutKind kind) {
  export_.reset();
  layout_ = kind;
  choices_ = FormatChoiceModel(app_.db, kind).Choices();
  // A reopened database may have fewer information columns.
  std::erase_if(chosen_, [this](std::size_t p) { return p >= choices_.size(); });
}

void FormatDialogModel::OpenForExport(const ExportFormatDialog& dialog) {
  export_ = dialog;
  layout_ = LayoutKind::kText;
  choices_ = dialog.offered;
  exportChosen_ = exportLoaded_ = EntriesOf(dialog.standardFormat);
}

std::vector<std::size_t> FormatDialogModel::EntriesOf(const std::string& code) const {
  const std::vector<std::string> fixed = ItemNames(export_ ? export_->fixedPart : "");
  FormatChoiceModel model(app_.db, LayoutKind::kText);
  model.exportVariant = true;
  model.headings = true;
  std::vector<std::size_t> entries;
  for (const std::string& name : ItemNames(code)) {
    if (std::find(fixed.begin(), fixed.end(), name) != fixed.end()) continue;
    for (std::size_t p = 0; p < choices_.size(); ++p) {
      // The item the entry appends, without its format characters.
      const std::vector<std::string> appended = ItemNames(model.Appended(p, choices_[p]));
      if (appended.size() == 1 && appended[0] == name) {
        entries.push_back(p);
        break;
      }
    }
  }
  return entries;
}

std::string FormatDialogModel::start() const {
  return export_ ? export_->fixedPart : FormatChoiceModel(app_.db, layout_).Prefix();
}

void FormatDialogModel::Add(std::vector<std::size_t> positions) {
  std::sort(positions.begin(), positions.end());
  for (std::size_t p : positions)
    if (p < choices_.size()) Chosen().push_back(p);
}

void FormatDialogModel::Remove(std::vector<std::size_t> rows) {
  std::sort(rows.begin(), rows.end(), std::greater<>());
  std::vector<std::size_t>& chosen = Chosen();
  for (std::size_t r : rows)
    if (r < chosen.size()) chosen.erase(chosen.begin() + static_cast<std::ptrdiff_t>(r));
}

std::size_t FormatDialogModel::MoveUp(std::size_t row) {
  std::vector<std::size_t>& chosen = Chosen();
  if (row == 0 || row >= chosen.size()) return row;
  std::swap(chosen[row], chosen[row - 1]);
  return row - 1;
}

std::size_t FormatDialogModel::MoveDown(std::size_t row) {
  std::vector<std::size_t>& chosen = Chosen();
  if (row + 1 >= chosen.size()) return row;
  std::swap(chosen[row], chosen[row + 1]);
  return row + 1;
}

std::string FormatDialogModel::Code() const {
  FormatChoiceModel model(app_.db, layout_);
  model.exportVariant = exportVariant();
  model.headings = headings();
  std::string code = start();
  for (std::size_t p : chosen())
    if (p < choices_.size()) code += model.Appended(p, choices_[p]);
  return code;
}

std::string FormatDialogModel::Preview() const {
  return export_ && exportChosen_ == exportLoaded_ ? export_->standardFormat : Code();
}

bool FormatDialogModel::Ok() {
  return AcceptBuiltFormatCode(app_.format, app_.ui, Code());
}

std::optional<FormatDialogModel::ExportChoice> FormatDialogModel::ExportOk() {
  if (!export_) return std::nullopt;
  ExportChoice choice;
  choice.code = Preview();
  for (std::size_t p : exportChosen_) choice.entries.push_back(choices_[p]);
  if (RefuseLongFormatCode(app_.ui, choice.code)) return std::nullopt;
  return choice;
}

}  // namespace stavbas
