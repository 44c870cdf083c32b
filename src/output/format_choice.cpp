#include "output/format_choice.h"

#include "base/cp1252.h"
#include "base/ui.h"
#include "database/databas.h"
#include "database/info_file.h"

namespace stavbas {

std::string FormatChoiceModel::Prefix() const {
  switch (kind_) {
    case LayoutKind::kText:
      return ">.";
    case LayoutKind::kAttestation:
      return "\xDF";
    default:
      return "\xDF/";
  }
}

std::vector<std::string> FormatChoiceModel::Choices() const {
  const bool text = kind_ == LayoutKind::kText;
  std::vector<std::string> choices;
  for (const char* utf8 :
       {"Standardformat", text ? "Blankrad" : "Extra mellanrum",
        text ? "Ingen ny rad" : "Minimalt mellanrum", "Tabbtecken", "Signum",
        "Runtext (Runtext.run)", "Nationellt fornspråk (Stavbas.nfs)",
        "Fornvästnordisk text (Stavbas.fvn)", "Information om plats mm (Stavbas.inf)",
        "Engelsk översättning (Stavbas.eng)"})
    choices.push_back(Utf8ToCp1252(utf8));
  for (int slot = 1; slot <= db_.count(); ++slot) {
    const auto* info = dynamic_cast<const TInfoFil*>(&db_.DataFile(slot));
    if (!info) continue;
    for (char letter : info->codeLetters()) {
      const std::string& heading = info->headers()[letter - 'A'];
      if (!heading.empty()) choices.push_back(heading);
    }
  }
  return choices;
}

char FormatChoiceModel::ColumnLetter(const std::string& heading) const {
  for (int slot = 1; slot <= db_.count(); ++slot) {
    const auto* info = dynamic_cast<const TInfoFil*>(&db_.DataFile(slot));
    if (!info) continue;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      if (info->headers()[letter - 'A'] == heading && !heading.empty()) return letter;
  }
  return ' ';
}

std::string FormatChoiceModel::Appended(std::size_t position, const std::string& choice) const {
  const std::string suffix = headings ? "+ " : " ";
  const std::string column = "INF;" + std::string(1, ColumnLetter(choice)) + suffix;
  if (exportVariant) {
    static const char* const kFiles[] = {"RUN ", "NFS ", "FVN ", "ENG "};
    return position < 4 ? kFiles[position] : column;
  }
  switch (position) {
    case 0:
      return "$ RUN NFS FVN ";
    case 1:
      return ".";
    case 2:
      return ",";
    case 3:
      return "\\t";
    case 4:
      return "$ ";
    case 5:
      return "RUN ";
    case 6:
      return "NFS ";
    case 7:
      return "FVN ";
    case 8:
      return "INF" + suffix;
    case 9:
      return "ENG ";
    default:
      return column;
  }
}

std::string FormatChoiceModel::BuildCode(const std::vector<std::size_t>& chosen,
                                         const std::vector<std::string>& choices) const {
  std::string code = Prefix();
  for (std::size_t position : chosen)
    if (position < choices.size()) code += Appended(position, choices[position]);
  return code;
}

bool RefuseLongFormatCode(Ui& ui, const std::string& code) {
  if (code.size() <= kMaxFormatCodeLength) return false;
  ui.ShowMessage(ui.S(Str::KodenForLang) + code, MsgKind::Information);
  return true;
}

bool AcceptBuiltFormatCode(FormatCode& format, Ui& ui, const std::string& code) {
  const std::string previous = format.code();
  if (RefuseLongFormatCode(ui, code)) return false;
  if (format.Validate(code)) return true;
  ui.ShowMessage(ui.S(Str::FelaktigFormatkod) + code, MsgKind::Information);
  format.Validate(previous);
  return false;
}

}  // namespace stavbas
