// Saving the output window as RTF and as plain text.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "output/text_save.h"
#include "support/temp_dir.h"

namespace stavbas {
namespace {

namespace fs = std::filesystem;

TextStyle Style(bool bold, bool italic, std::uint32_t color = kBlack, std::string font = "Arial",
                int size = 10) {
  TextStyle s;
  s.bold = bold;
  s.italic = italic;
  s.color = color;
  s.font = std::move(font);
  s.size = size;
  return s;
}

// The text of an RTF body as a reader sees it: escapes decoded, paragraph ends as "\r\n",
// other control words and the file's own line breaks dropped.
std::string ReadBack(const std::string& rtf) {
  const std::size_t body = rtf.find("\\pard");
  std::string text;
  for (std::size_t i = body + 5; i < rtf.size(); ++i) {
    const char c = rtf[i];
    if (c == '\r' || c == '\n' || c == '}') continue;
    if (c != '\\') {
      text += c;
      continue;
    }
    const char next = rtf[++i];
    if (next == '\'') {
      text += static_cast<char>(std::stoi(rtf.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (!std::isalpha(static_cast<unsigned char>(next))) {
      text += next;
    } else {
      std::size_t end = i;
      while (std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
      const std::string word = rtf.substr(i, end - i);
      while (std::isdigit(static_cast<unsigned char>(rtf[end]))) ++end;
      if (rtf[end] != ' ') --end;  // only a blank belongs to the control word
      i = end;
      if (word == "par") text += "\r\n";
      if (word == "tab") text += '\t';
    }
  }
  return text;
}

TEST(Rtf, EveryByteIsEscapedSoTheFileIsPlainAscii) {
  std::string all;
  for (int c = 0; c < 256; ++c)
    if (c != '\r' && c != '\n') all += static_cast<char>(c);
  all += "\r\nend\r\n";
  const std::string rtf = ToRtf({{all, {}}});
  for (char c : rtf) {
    const auto u = static_cast<unsigned char>(c);
    ASSERT_TRUE(u == '\r' || u == '\n' || (u >= 0x20 && u < 0x7F)) << "byte " << int(u);
  }
  EXPECT_EQ(ReadBack(rtf), all);
  const std::string body = rtf.substr(rtf.find("\\pard"));
  for (const char* escape : {"\\\\", "\\{", "\\}", "\\tab ", "\\'e4", "\\'80", "\\'00", "\\'7f"})
    EXPECT_NE(body.find(escape), std::string::npos) << escape;
}

TEST(Rtf, LineEndsBecomeParagraphEnds) {
  const std::string rtf = ToRtf({{"a\r\nb\nc\rd", {}}});
  EXPECT_NE(rtf.find("a\\par\r\nb\\par\r\nc\\par\r\nd"), std::string::npos);
}

TEST(Rtf, StylesAreWrittenWhereTheyChangeWithFontAndColourTables) {
  const std::string rtf = ToRtf({{"A", Style(false, false)},
                                 {"", Style(true, true, 0x00FF00)},
                                 {"B", Style(true, false)},
                                 {"C", Style(false, true, kRed, "Courier New", 12)},
                                 {"D", Style(false, false)}});
  EXPECT_NE(
      rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Courier New;}}"),
      std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"),
            std::string::npos)
      << "an empty run adds no colour: " << rtf;
  EXPECT_NE(rtf.find("\\f0\\fs20\\cf1 A\\b B\\f1\\fs24\\b0\\i\\cf2 C\\f0\\fs20\\i0\\cf1 D}"),
            std::string::npos)
      << rtf;
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
}

TEST(Rtf, FontNamesCannotBreakTheFontTable) {
  const std::string rtf = ToRtf({{"x", Style(false, false, kBlack, "Fo;n{t\xE9")}});
  EXPECT_NE(rtf.find("\\fcharset0 Fon\\{t\\'e9;}"), std::string::npos) << rtf;
  const std::string empty = ToRtf({});
  EXPECT_NE(empty.find("{\\f0\\fnil\\fcharset0 Arial;}"), std::string::npos);
  EXPECT_EQ(std::count(empty.begin(), empty.end(), '{'),
            std::count(empty.begin(), empty.end(), '}'));
}

// Names in the folder, to see that a save leaves no temporary file behind.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SaveText, WritesTheBytesAsTheyStandAndReplacesAnOldFile) {
  test::TempDir dir;
  dir.WriteBytes("out.txt", std::string(5000, 'o'));
  std::string error;
  const std::string text =
      SaveCommentText({"Formatkod: >$", "Landskapsurval: \xD6l"}) + "\r\nU 1\r\n\xC4rlig\tx";
  ASSERT_TRUE(SavePlainText(dir / "out.txt", text, error)) << error;
  EXPECT_EQ(dir.ReadBytes("out.txt"),
            "! Formatkod: >$\r\n! Landskapsurval: \xD6l\r\nU 1\r\n\xC4rlig\tx");
  ASSERT_TRUE(SaveRtf(dir / "new.rtf", {{"x", {}}}, error)) << error;
  EXPECT_EQ(dir.ReadBytes("new.rtf"), ToRtf({{"x", {}}}));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"new.rtf", "out.txt"}));
  EXPECT_EQ(SaveCommentText({}), "");
}

TEST(SaveText, AFailedSaveLeavesEverythingAsItWas) {
  test::TempDir dir;
  std::string error;
  fs::create_directory(dir.path() / "folder.rtf");
  dir.WriteBytes("folder.rtf/inside", "kept");
  EXPECT_FALSE(SaveRtf(dir / "folder.rtf", {{"x", {}}}, error));
  EXPECT_NE(error.find("folder.rtf"), std::string::npos) << error;
  EXPECT_EQ(dir.ReadBytes("folder.rtf/inside"), "kept");

  error.clear();
  EXPECT_FALSE(SavePlainText(dir / "missing/out.txt", "x", error));
  EXPECT_NE(error.find("missing/out.txt"), std::string::npos) << error;
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"folder.rtf"});
}

TEST(SaveText, AWriteThatFailsHalfWayKeepsTheOldFile) {
  test::TempDir dir;
  dir.WriteBytes("out.txt", "the old text");
  // Files may grow to 1000 bytes only; a longer write fails part way, as on a full disk.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 1000;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool saved = SavePlainText(dir / "out.txt", std::string(100000, 'n'), error);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_NE(error.find("out.txt"), std::string::npos) << error;
  EXPECT_EQ(dir.ReadBytes("out.txt"), "the old text");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.txt"});
}

// Another RTF reader (unrtf, installed with the build tools) reads the saved file back with its
// text and styles.
TEST(SaveText, UnrtfReadsTextBoldItalicAndColour) {
  test::TempDir dir;
  const std::vector<StyledRun> runs = {{"\r\nU 344\r\n", Style(false, false)},
                                       {"\xC4rlig {run}", Style(true, false)},
                                       {"\r\n", Style(false, false)},
                                       {"norm\\text", Style(false, true)},
                                       {"\t", Style(false, false)},
                                       {"hit", Style(false, false, kRed)},
                                       {"\r\n\x80 \xE5\xE4\xF6", Style(false, false)}};
  std::string error;
  ASSERT_TRUE(SaveRtf(dir / "run.rtf", runs, error)) << error;
  const std::string command =
      "unrtf --html '" + (dir / "run.rtf") + "' > '" + (dir / "run.html") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << "unrtf failed";

  std::string html;  // line breaks of the HTML file as blanks
  for (char c : dir.ReadBytes("run.html")) html += c == '\n' ? ' ' : c;
  const auto body = html.substr(html.find("<body>"));
  EXPECT_NE(body.find("U 344<br>"), std::string::npos) << body;
  EXPECT_NE(body.find("<b>&Auml;rlig {run}</b>"), std::string::npos) << body;
  EXPECT_NE(body.find("<i>norm\\text</i>"), std::string::npos) << body;
  EXPECT_NE(body.find("<font color=\"#ff0000\">hit</font>"), std::string::npos) << body;
  EXPECT_NE(body.find("&euro; "), std::string::npos) << body;
  EXPECT_NE(body.find("&aring;&auml;&ouml;"), std::string::npos) << body;
  EXPECT_EQ(body.find("<b>", body.find("norm")), std::string::npos) << "bold was switched off";
}

}  // namespace
}  // namespace stavbas
