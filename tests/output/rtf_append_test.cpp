// Adding text to the end of an RTF document: the document's own bytes are kept, the new fonts
// and colours are numbered after its own, and an outside reader (unrtf) reads both parts.

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "output/rtf_append.h"
#include "output/text_save.h"
#include "support/command.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

TextStyle Style(const char* font, std::uint32_t color = kBlack, bool bold = false) {
  TextStyle s;
  s.font = font;
  s.color = color;
  s.bold = bold;
  return s;
}

// The text unrtf reads from a document (its header lines left out), in UTF-8.
std::string Unrtf(const std::string& rtf) {
  test::TempDir dir;
  dir.WriteBytes("doc.rtf", rtf);
  const test::CommandResult r = test::RunCommand("unrtf --text " + test::Quoted(dir / "doc.rtf"));
  EXPECT_EQ(r.status, 0) << "unrtf failed on:\n" << rtf;
  const std::size_t rule = r.out.find("-----------------\n");
  std::string text = rule == std::string::npos ? r.out : r.out.substr(rule + 18);
  return Cp1252ToUtf8(text);
}

const std::vector<StyledRun> kNew = {{"Ny rad \xE5\xE4\xF6\r\n", Style("Times New Roman")},
                                     {"r\xF6"
                                      "d",
                                      Style("Courier New", kRed, true)},
                                     {"\r\n", Style("Times New Roman")}};

TEST(RtfAppend, OurOwnDocumentGetsTheNewTextAfterItsLastParagraph) {
  const std::string old = ToRtf({{"Gammal text\r\nrad tv\xE5\r\n", Style("Arial")}});
  const auto added = AppendToRtf(old, kNew);
  ASSERT_TRUE(added);
  EXPECT_EQ(Unrtf(*added), "Gammal text\nrad två\nNy rad åäö\nröd\n");
  // The old document's text is untouched; its font table gains the new fonts after its own.
  const std::string body = old.substr(old.find("\\viewkind4"));
  EXPECT_NE(added->find(body.substr(0, body.size() - 3)), std::string::npos);
  EXPECT_NE(
      added->find("{\\f1\\fnil\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset0 Courier New;}"),
      std::string::npos)
      << *added;
  // Adding nothing changes the text nothing.
  EXPECT_EQ(Unrtf(*AppendToRtf(old, {})), "Gammal text\nrad två\n");
}

TEST(RtfAppend, AnotherProgramsDocumentKeepsItsTablesAndDestinations) {
  // Font numbers with a gap, three colours, a generator and a stylesheet whose texts are no
  // document text, a last paragraph without its end, and a line break after the final brace.
  const std::string old =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f7\\fswiss "
      "Helvetica;}}\r\n{\\colortbl;\\red0\\green0\\blue255;\\red0\\green128\\blue0;}\r\n"
      "{\\*\\generator Some Editor 1.0;}{\\stylesheet{\\s0 Normal;}}\r\n"
      "\\pard\\plain\\f7\\cf2\\b Bl\\'e5 text \\{i klammer\\}\\par\r\nsista raden utan slut}\r\n";
  const auto added = AppendToRtf(old, kNew);
  ASSERT_TRUE(added);
  EXPECT_EQ(Unrtf(*added), "Blå text {i klammer}\nsista raden utan slut\nNy rad åäö\nröd\n");
  EXPECT_NE(added->find("Helvetica;}{\\f8\\fnil\\fcharset0 Times New Roman;}"), std::string::npos);
  // Black and red join the colour table as colours 3 and 4, after the three of the document.
  EXPECT_NE(added->find("\\red0\\green128\\blue0;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"),
            std::string::npos);
  EXPECT_NE(added->find("\\cf4"), std::string::npos);
  EXPECT_TRUE(added->ends_with("}\r\n"));
  // Without a colour table, one is added after the font table.
  const std::string plain = "{\\rtf1{\\fonttbl{\\f0 Arial;}}Text\\par}";
  const auto withColors = AppendToRtf(plain, kNew);
  ASSERT_TRUE(withColors);
  EXPECT_NE(withColors->find("{\\f0 Arial;}{\\f1"), std::string::npos);
  EXPECT_NE(withColors->find("}{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}Text"),
            std::string::npos)
      << *withColors;
  EXPECT_EQ(Unrtf(*withColors), "Text\nNy rad åäö\nröd\n");
}

TEST(RtfAppend, WhatCannotBeExtendedIsRefused) {
  EXPECT_FALSE(AppendToRtf("plain text, not RTF", kNew));
  EXPECT_FALSE(AppendToRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}Text\\par", kNew)) << "no end";
  EXPECT_FALSE(AppendToRtf("{\\rtf1 Text\\par}", kNew)) << "no font table";
  // Binary data may hold braces: they are passed over, not counted.
  const auto bin =
      AppendToRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\pict\\bin4 }}{{}A\\par}", kNew);
  ASSERT_TRUE(bin);
  EXPECT_NE(bin->find("{\\*\\pict\\bin4 }}{{}A\\par{\\pard"), std::string::npos) << *bin;
}

}  // namespace
}  // namespace stavbas
