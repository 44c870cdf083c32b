// How codes name files, fields and signum parts, and which files a code makes the database read.

#include <gtest/gtest.h>

#include "mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;

class FileReferenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.Write("STAVBAS.RUN", "U 1 V a\n");
    m.Write("STAVBAS.NFS", "U 1 V a\n");
    m.Write("STAVBAS.ENG", "U 1 V A\n");
    m.Write("STAVBAS.INF", "!/I PPlats\nU 1 V \x10x\x10\n");
    m.Write("STAVBAS.FVN", "!/O\nU 1 V a\n");
    ASSERT_TRUE(m.Open());
    // Complete files first, in listing order: ENG INF NFS RUN, then FVN.
    ASSERT_EQ(m.db.SlotOfExtension("RUN"), 4);
  }
  FileReference Ref(std::string_view code) { return m.db.ParseFileReference(code, sets); }
  MiniDb m;
  FileRefSets sets;
};

TEST_F(FileReferenceTest, KindsAndLengths) {
  struct Case {
    const char* code;
    int kind, length, slot;
    char letter;
  } cases[] = {
      {"RUN:a", kRefWords, 3, 4, 0},         {"run%:a", kRefWholeText, 4, 4, 0},
      {"INF;x:a", kRefInfoField, 5, 2, 'X'}, {"INF;*:a", kRefAllInfoFields, 5, 2, 0},
      {"INF:a", kRefAllInfoFields, 3, 2, 0}, {"ENG:a", kRefWholeText, 3, 1, 0},
      {"$:U", kRefSignum, 1, -1, 0},         {"$2:U", kRefSignumPart2, 2, -1, 0},
      {"$4:U", kRefSignum, 1, -1, 0},        {"?:a", kRefWords, 1, 0, 0},
      {"?;S:a", kRefInfoField, 3, 0, 'S'},   {"FVN", kRefWords, 3, 5, 0},
  };
  for (const Case& c : cases) {
    const FileReference r = Ref(c.code);
    EXPECT_EQ(r.kind, c.kind) << c.code;
    EXPECT_EQ(r.length, c.length) << c.code;
    EXPECT_EQ(r.slot, c.slot) << c.code;
    EXPECT_EQ(r.letter, c.letter) << c.code;
  }
}

TEST_F(FileReferenceTest, Errors) {
  for (auto [code, error] : std::initializer_list<std::pair<const char*, int>>{{":a", 4200},
                                                                               {"ABCD:a", 4201},
                                                                               {"XYZ:a", 4202},
                                                                               {"RUN;X:a", 4203},
                                                                               {"INF;1:a", 4161},
                                                                               {"INF;", 4161},
                                                                               {"", 4200},
                                                                               {"ÅÄÖ:a", 4200}}) {
    const FileReference r = Ref(Utf8ToCp1252(code));
    EXPECT_EQ(r.kind, kRefError) << code;
    EXPECT_EQ(r.error, error) << code;
  }
  EXPECT_EQ(sets.all, 0);
}

TEST_F(FileReferenceTest, ReferencesChooseTheFilesToReadAndTheMainWordFile) {
  Ref("RUN%:a");
  Ref("INF;P:a");
  EXPECT_EQ(sets.all, SlotBit(4) | SlotBit(2));
  EXPECT_EQ(sets.words, 0);
  m.db.SetConditionReferences(sets.all);
  // No word reference: the first complete word file referenced at all leads.
  EXPECT_EQ(m.db.MainWordFile(), 4);
  EXPECT_TRUE(InSet(m.db.wordSet(), 4));

  FileRefSets search;
  m.db.ParseFileReference("NFS:a", search);
  m.db.SetSearchReferences(search);
  EXPECT_EQ(m.db.MainWordFile(), 3);
  EXPECT_EQ(m.db.wordSet(), SlotBit(3));

  // An incomplete word file never leads.
  FileRefSets fvn;
  m.db.ParseFileReference("FVN:a", fvn);
  m.db.SetSearchReferences(fvn);
  m.db.SetConditionReferences(0);
  EXPECT_EQ(m.db.MainWordFile(), 3);  // the first complete word file of the database
  EXPECT_EQ(m.db.wordSet(), SlotBit(5) | SlotBit(3));
  EXPECT_EQ(m.db.fullSet(), SlotBit(5) | SlotBit(3));
}

TEST_F(FileReferenceTest, WordsOfSeveralFilesInStep) {
  m.Write("STAVBAS.RUN", "U 1 V a kuþ/kub : §P c\n");
  m.Write("STAVBAS.NFS", "U 1 V a Guð/\"Gub §P c\n");
  ASSERT_TRUE(m.Open());
  const SlotSet set = SlotBit(3) | SlotBit(4);
  ASSERT_TRUE(m.Find("U 1"));
  m.db.FirstWords(set);
  ASSERT_TRUE(m.db.NextWords(set));
  EXPECT_FALSE(m.db.anyMoreRecorded());
  ASSERT_TRUE(m.db.NextWords(set));
  EXPECT_TRUE(m.db.anyMoreRecorded());
  TDatabas::SaveArea save;
  m.db.NextAlternatives(set);
  EXPECT_FALSE(m.db.anyMoreRecorded());
  m.db.UseAlternatives(set, save);
  EXPECT_EQ(Cp1252ToUtf8(m.db.File(4).Word()), "kub");
  EXPECT_TRUE(m.db.File(3).properName);
  EXPECT_EQ(Cp1252ToUtf8(m.db.File(3).WordText()), "Gub");
  m.db.RestoreWords(set, save);
  EXPECT_EQ(Cp1252ToUtf8(m.db.File(4).Word()), "kuþ/kub");
  EXPECT_FALSE(m.db.File(3).properName);
  EXPECT_FALSE(m.db.MainFileAtPageMark());
  ASSERT_TRUE(m.db.NextWords(set));
  EXPECT_TRUE(m.db.MainFileAtPageMark());
  EXPECT_EQ(Cp1252ToUtf8(m.db.MainFileWordText()), "§P");
  ASSERT_TRUE(m.db.NextWords(set));
  EXPECT_FALSE(m.db.NextWords(set));
}

}  // namespace
}  // namespace stavbas
