// The comment lines of the current codes.

#include <gtest/gtest.h>

#include "app/settings_comment.h"
#include "base/ui.h"
#include "support/recording_host.h"

namespace stavbas {
namespace {

using Strings = std::vector<std::string>;

TEST(CodeComment, OneLinePerCodeThatIsSetInAFixedOrder) {
  test::RecordingHost host;
  const Ui ui(host);
  const CodeSettings codes{"RUN:a*", "INF;D:V*", ">$ ENG"};
  EXPECT_EQ(CodeCommentItems(ui, codes, "U,M", "RUNOR"),
            (Strings{"Villkor: RUN:a*", "Landskapsurval: U,M", "Textvillkorkod: INF;D:V*",
                     "Formatkod: >$ ENG", "Datafilnamn: RUNOR"}));
  EXPECT_EQ(CodeCommentItems(ui, CodeSettings{"", "", ""}, "", "STAVBAS"), Strings{});
  EXPECT_EQ(CodeCommentItems(ui, CodeSettings{"", "INF;D:V*", ""}, "", "stavbas"),
            Strings{"Textvillkorkod: INF;D:V*"})
      << "the default database in any case needs no line";
  EXPECT_EQ(CodeCommentItems(ui, CodeSettings{"", "", ""}, "", "/data/STAVBAS"),
            Strings{"Datafilnamn: /data/STAVBAS"});
}

TEST(CodeComment, WrittenAsCommentLines) {
  test::RecordingHost host;
  Ui ui(host);
  host.comments = {"! an earlier comment"};
  WriteCodeComment(ui, CodeSettings{"", "", ">$"}, "\xD6l,\xD6g", "STAVBAS");
  EXPECT_EQ(host.comments, (Strings{"! Landskapsurval: \xD6l,\xD6g", "! Formatkod: >$"}));
}

}  // namespace
}  // namespace stavbas
