#include "base/ui.h"

#include <cerrno>

#include "base/atomic_file.h"

namespace stavbas {

std::string Ui::MessageOf(std::uint16_t code) const {
  switch (code) {
    case 4101:
      return S(Str::FelaktigtSignum);
    case 4102:
      return S(Str::KanInteLasaRadI);
    case 4110:
      return S(Str::IngenFullstandigOrdfil);
    case 4120:
      return S(Str::FelPaDatafilerna);
    case 4150:
      return S(Str::FelParameter);
    case 4160:
    case 4161:
      return S(Str::FelaktigInfokod);
    case 4200:
      return S(Str::IngetFilnamnAngivet);
    case 4201:
      return S(Str::ForLangFilbeteckning);
    case 4202:
      return S(Str::FelaktigFilAngiven);
    case 4203:
      return S(Str::InteEnInfofil);
    case 4220:
      return S(Str::ForManga) + "{";
    case 4221:
      return S(Str::ForManga) + "}";
    case 4222:
      return "\\" + S(Str::UtanTeckenEfter);
    case 4223:
      return "#" + S(Str::UtanTeckenEfter);
    case 4224:
      return S(Str::OtillatenKodISokmonster);
    case 4225:
      return S(Str::Ensamt) + "=";
    case 4226:
      return S(Str::Dubbla) + "*";
    case 4227:
      return "@* " + S(Str::ArOklart);
    case 4228:
      return "*@ " + S(Str::ArOklart);
    case 4229:
      return S(Str::Dubbla) + "@";
    case 4230:
      return S(Str::Ensamt) + "_";
    case 4231:
      return S(Str::OtillatetTeckenISokstrang);
    case 4232:
      return S(Str::TomStrangIVillkor);
    case 4233:
      return S(Str::FelaktigFilForUrval);
    case 4235:
      return S(Str::IngetKolon);
    case 4236:
      return S(Str::ForLangFilbeteckning);
    case 4239:
      return S(Str::InteEnNormaliseradTextfil);
    case 4240:
      return S(Str::FelaktigtFormattecken);
    case 4241:
      return S(Str::FelPlatsForFormattecken);
    case 4242:
      return S(Str::Blanktecken) + S(Str::Saknas);
    case 4243:
      return S(Str::TextformatIBelaggformat);
    case 4244:
      return S(Str::IngetFormatAngivet);
    case 4250:
      return S(Str::InfilIVillkorEllerFormat);
    case 4261:
      return "*" + S(Str::Sist) + S(Str::ArMeningslost);
    case 4262:
      return "@" + S(Str::Sist) + S(Str::ArMeningslost);
    case 4263:
      return "@" + S(Str::Sist) + S(Str::IDelstrangGarEj);
    case 4264:
      return "@ " + S(Str::Forst) + S(Str::ArOklart);
    case 4265:
      return S(Str::Dubbla) + "=";
    case 4482:
      return "@ " + S(Str::BehovsEj) + S(Str::Efter) + "=";
    case 4483:
      return S(Str::Blanktecken) + S(Str::MasteErsattas) + S(Str::Med) + "_";
    case 4485:
      return "=" + S(Str::UtanTeckenEfter);
    case 4486:
      return "= " + S(Str::BorSta) + S(Str::Forst);
    case 8666:
      return S(Str::FelaktigtIndata);
    case 9100:
      return S(Str::KontrollenAvbruten);
    default:
      return S(Str::OkantFel) + "," + S(Str::Felkod) + std::to_string(code);
  }
}

bool Ui::ShowMessage(const std::string& text, MsgKind kind) {
  const bool yes = host_.ShowBox(kind, text);
  if (kind != MsgKind::Confirmation) return false;
  if (yes) abortRequest = true;
  return yes;
}

void Ui::ShowErrorNumber(long number, MsgKind kind) {
  ShowMessage(S(Str::FelNr) + std::to_string(number) + S(Str::HarIntraffat), kind);
}

void Ui::ShowProgramFault(const std::string& detail) {
  ShowMessage(MessageOf(8666) + detail, MsgKind::Error);
}

bool Ui::CheckIOResult(int number, const std::string& fileName) {
  if (number == 0) return false;
  if (number == kLinkRefused) {
    ShowMessage(fileName + S(Str::ArEnLankSkrivsInte), MsgKind::Information);
    return true;
  }
  ShowMessage(S(Str::Fel) + std::to_string(number) + " (" + fileName + "): " + ErrorText(number),
              MsgKind::Information);
  return true;
}

std::string Ui::ErrorText(int number) const {
  switch (number) {
    case EACCES:
    case EPERM:
      return S(Str::SysAtkomstNekad);
    case EROFS:
      return S(Str::SysSkrivskyddat);
    case ENOSPC:
      return S(Str::SysDiskenFull);
    case EDQUOT:
      return S(Str::SysKvotSlut);
    case EFBIG:
      return S(Str::SysForStorFil);
    case ENOENT:
      return S(Str::SysFinnsInte);
    case EISDIR:
      return S(Str::SysArEnMapp);
    case ENOTDIR:
      return S(Str::SysInteEnMapp);
    case EIO:
      return S(Str::SysInUtFel);
    case EBUSY:
    case ETXTBSY:
      return S(Str::SysUpptagen);
    case ENAMETOOLONG:
      return S(Str::SysForLangtNamn);
    case EINVAL:
      return S(Str::SysInteVanligFil);
    case kReadPastEnd:
      return S(Str::SysFilslut);
    case kLinkRefused:
      return S(Str::SysArEnLank);
    default:
      return SystemErrorText(number);
  }
}

void Ui::ProgressLine(const std::string& text, bool fault, HeldLines* held) {
  if (held) {
    held->emplace_back(text, fault);
    return;
  }
  host_.AppendLine(text);
  if (fault) errorsNoted = true;
}

void Ui::ShowHeld(const HeldLines& lines) {
  if (lines.empty()) return;
  std::vector<std::string> texts;
  texts.reserve(lines.size());
  for (const auto& [text, fault] : lines) {
    texts.push_back(text);
    if (fault) errorsNoted = true;
  }
  host_.AppendLines(texts);
}

void Ui::MessageLine(const std::string& text) {
  if (!quiet) host_.InsertMessageLine(text);
}

void Ui::CommentLine(const std::string& text) {
  host_.AppendComment("! " + text);
}

std::optional<std::string> Ui::OpeningTarget(const std::string& target) {
  const Opening verdict = JudgeOpening(target, opening);
  if (verdict.allowed()) return verdict.target;
  ShowMessage(S(Str::OppnarInte) + ShownTarget(target) + S(Str::OppnasBara), MsgKind::Warning);
  return std::nullopt;
}

bool Ui::OpenWithDesktop(const std::string& target) {
  if (!host_.OpensWithDesktop()) return false;
  const std::optional<std::string> checked = OpeningTarget(target);
  if (checked) host_.ShellOpen(*checked);
  return checked.has_value();
}

}  // namespace stavbas
