#pragma once
// "Filinformation" (F3): every data file of the database with its full name, title, size and
// date, and the information spreadsheet beside them when there is one. Text in Windows-1252
// with "\r\n" line ends, for the file viewer.

#include <cstdint>
#include <string>

namespace stavbas {

class TDatabas;
class Ui;

std::string FileInformationText(const TDatabas& db, const Ui& ui);

// A DOS date and time stamp as "2024-05-17 14:03:22" (empty for a stamp that is no date).
std::string DosStampText(std::uint32_t stamp);

}  // namespace stavbas
