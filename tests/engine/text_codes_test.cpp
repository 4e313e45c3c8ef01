// The %% codes of single-line texts, alone and through a conversion with plain texts chosen.
// The code page tables are glibc's; the cases check which one "%%nnn" is read in.
#include "engine/text_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex {
namespace {

using testing::ConversionResult;
using testing::DataLines;
using testing::DxfWithEntities;
using testing::Entity;
using testing::TestSetup;
using Lines = std::vector<std::string>;

TEST(PlainTextCodes, ReplacesTheCodesAndLeavesEverythingElse) {
  const CodePageCharacters ansi_1252("CP1252");
  struct Case {
    const char* name;
    const char* text;
    const char* plain;
  };
  const Case cases[] = {
      {"diameter, degrees, plus-minus", "%%c50 %%p0.5, 45%%d", "⌀50 ±0.5, 45°"},
      {"capital letters", "%%C %%D %%P %%U%%O", "⌀ ° ± "},
      {"percent sign", "100%%% of 5%", "100% of 5%"},
      {"underline and overline toggles go", "%%uMain%%u %%oroad%%o", "Main road"},
      {"a code of the code page", "%%176 %%128 %%065", "° € A"},
      {"codes that ANSI_1252 leaves undefined stay", "%%129 %%141", "%%129 %%141"},
      {"control characters and codes beyond 255 stay", "%%010 %%127 %%256 %%999",
       "%%010 %%127 %%256 %%999"},
      {"fewer than three digits", "%%17 %%1", "%%17 %%1"},
      {"unknown codes and lone percent signs", "%%x %% % a%", "%%x %% % a%"},
      {"a code at the very end", "5%%", "5%%"},
      {"four digits: three make the code", "%%1761", "°1"},
      {"text without codes", "Gebäude 12", "Gebäude 12"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlainTextCodes(c.text, ansi_1252), c.plain) << c.name;
  // In a double-byte code page a lead byte is no character alone; a single-byte one is.
  const CodePageCharacters ansi_932("CP932");
  EXPECT_EQ(PlainTextCodes("%%130 %%177", ansi_932), "%%130 ｱ");
}

std::string Drawing(std::string_view version, std::string_view code_page,
                    const std::string& entities) {
  return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n" + std::string(version) +
         "\n  9\n$DWGCODEPAGE\n  3\n" + std::string(code_page) + "\n  0\nENDSEC\n" +
         DxfWithEntities(entities);
}

TEST(PlainTextCodes, TextsOfDrawingsAreWrittenAsPeopleReadThemWhenAsked) {
  const std::string entities = Entity("TEXT", {{1, "%%c12 %%uB\\U+00E4ume%%u %%214"}}) +
                               Entity("MTEXT", {{1, "\\LLevel\\l %%d"}}) +
                               Entity("POINT", {{8, "%%d"}});
  struct Case {
    const char* name;
    std::string drawing;
    DataFormat format;
    Lines expected;
  };
  DataFormat text_plain;
  text_plain.text_plain = true;
  const Case cases[] = {
      {"codes kept without the option",
       Drawing("AC1015", "ANSI_1252", entities),
       {},
       {"!NoLayer!|%%c12 %%uBäume%%u %%214", "!NoLayer!|\\LLevel\\l %%d", "%%d|"}},
      // Multiline text loses its own codes, not those of single-line text; layers keep theirs.
      {"ANSI_1252",
       Drawing("AC1015", "ANSI_1252", entities),
       text_plain,
       {"!NoLayer!|⌀12 Bäume Ö", "!NoLayer!|Level %%d", "%%d|"}},
      {"ANSI_1251",
       Drawing("AC1015", "ANSI_1251", entities),
       text_plain,
       {"!NoLayer!|⌀12 Bäume Ц", "!NoLayer!|Level %%d", "%%d|"}},
      {"a drawing that stores UTF-8 reads %%nnn in the code page it names",
       Drawing("AC1021", "ANSI_1251", entities),
       text_plain,
       {"!NoLayer!|⌀12 Bäume Ц", "!NoLayer!|Level %%d", "%%d|"}},
      {"one that names none it can decode, in ANSI_1252",
       Drawing("AC1021", "ANSI_9999", entities),
       text_plain,
       {"!NoLayer!|⌀12 Bäume Ö", "!NoLayer!|Level %%d", "%%d|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities({entity_node::kText, entity_node::kMText, entity_node::kPoints})
        .Fields({field_node::kLayer, field_node::kTextString})
        .Separator("|");
    setup.format = c.format;
    const ConversionResult result = setup.Convert(c.drawing);
    EXPECT_EQ(DataLines(result.data), c.expected);
  }
}

}  // namespace
}  // namespace quorvex
