// Choosing another database, and falling back to the old one when the new one is unusable.

#include <gtest/gtest.h>

#include "app/database_session.h"
#include "database/mini_db.h"

namespace stavbas {
namespace {

using test::MiniDb;
using Strings = std::vector<std::string>;

TEST(DatabaseSession, BaseNamesAreCutButTheirFolderIsKept) {
  EXPECT_EQ(LimitBaseName("  RUNOR2024X "), "RUNOR202");
  EXPECT_EQ(LimitBaseName("/home/forskare/data.v2/STAVBASEN"), "/home/forskare/data.v2/STAVBASE");
  EXPECT_EQ(LimitBaseName("STAVBAS"), "STAVBAS");
  EXPECT_EQ(LimitBaseName("RUN \x03\x01\x02\x04\x05XYZ"), "RUN");  // trimmed after the cut too
}

class ChooseDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.Write("STAVBAS.RUN", "U 1 V a\n");
    m.Write("OTHER.RUN", "U 2 V b\n");
    m.Write("BROKEN.RUN", "!/O\nU 2 V b\n");
    session.baseName = m.dir / "STAVBAS";
    session.prepareInformationFile = [this](const std::string& base) { prepared.push_back(base); };
    session.parseStoredCodes = [this] { ++parsed; };
    session.interruptedRunLost = [this] { ++lost; };
    ASSERT_TRUE(session.OpenCurrent());
    prepared.clear();
    parsed = 0;
    m.host.Clear();
  }
  MiniDb m;
  DatabaseSession session{m.ui, m.db};
  Strings prepared;
  int parsed = 0;
  int lost = 0;
};

TEST_F(ChooseDatabaseTest, ANewDatabaseIsOpenedAndAnnounced) {
  m.host.inputs = {m.dir / "OTHER"};
  session.ChooseDatabase(true);
  EXPECT_EQ(m.host.inputPrompts,
            Strings{"Val av databas|Ange datafiler som ska användas:|STAVBAS"});
  EXPECT_EQ(session.baseName, m.dir / "OTHER");
  EXPECT_EQ(prepared, Strings{m.dir / "OTHER"});
  EXPECT_EQ(parsed, 1);
  EXPECT_EQ(m.db.DataFile(1).FileName(), "OTHER.RUN");
  EXPECT_EQ(m.host.BoxTexts(),
            Strings{"Nya datafiler inlästa. Villkor och format kan ha ändrats."});
}

TEST_F(ChooseDatabaseTest, AnUnusableChoiceReturnsToTheOldDatabase) {
  m.host.inputs = {m.dir / "BROKEN"};
  session.ChooseDatabase(false);
  EXPECT_EQ(session.baseName, m.dir / "STAVBAS");
  EXPECT_EQ(m.db.DataFile(1).FileName(), "STAVBAS.RUN");
  EXPECT_EQ(m.host.BoxTexts(), (Strings{"Ingen fullständig ordfil: " + (m.dir / "BROKEN"),
                                        "Lyckades inte läsa in datafilerna " + (m.dir / "BROKEN") +
                                            " återgår till " + (m.dir / "STAVBAS")}));
  EXPECT_EQ(prepared, (Strings{m.dir / "BROKEN", m.dir / "STAVBAS"}));
  EXPECT_EQ(parsed, 1);  // codes are parsed only against a usable database
  EXPECT_EQ(lost, 1);
}

TEST_F(ChooseDatabaseTest, CancelChangesNothing) {
  session.ChooseDatabase(true);
  EXPECT_EQ(session.baseName, m.dir / "STAVBAS");
  EXPECT_TRUE(m.host.boxes.empty());
  EXPECT_TRUE(prepared.empty());
}

}  // namespace
}  // namespace stavbas
