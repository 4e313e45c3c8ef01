// Texts of drawings in each encoding, from the header's $ACADVER and $DWGCODEPAGE, arrive in the
// data file and the report as UTF-8. The drawings' bytes are written as escapes; the expected
// texts are UTF-8 literals, "�" standing for U+FFFD. The code page tables themselves are glibc's:
// the cases check that the right one is chosen and that what does not decode is counted, not the
// tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/drawing_encoding.h"
#include "engine/report_words.h"
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

// Header variables $ACADVER and $DWGCODEPAGE; an empty value leaves its variable out.
std::string Variables(std::string_view version, std::string_view code_page) {
  std::string text;
  if (!version.empty()) text += "  9\n$ACADVER\n  1\n" + std::string(version) + "\n";
  if (!code_page.empty()) text += "  9\n$DWGCODEPAGE\n  3\n" + std::string(code_page) + "\n";
  return text;
}

// A drawing whose HEADER section holds `variables` (none: no HEADER section at all).
std::string Drawing(const std::string& variables, const std::string& entities) {
  if (variables.empty()) return DxfWithEntities(entities);
  return "  0\nSECTION\n  2\nHEADER\n" + variables + "  0\nENDSEC\n" + DxfWithEntities(entities);
}

std::string Repeated(std::string_view text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i)
    repeated.append(text);
  return repeated;
}

// The warning line of the report block, or "" when it has none.
std::string WarningOf(const ConversionResult& result) {
  for (const std::string& line : result.report)
    if (line.rfind("  *** Warning", 0) == 0) return line;
  return "";
}

struct TextCase {
  const char* name;
  std::string variables;
  std::string layer;     // group 8 of a TEXT, as the drawing holds it
  std::string text;      // group 1
  std::string expected;  // the data line: layer and text, UTF-8
  std::int64_t undecoded = 0;
  const char* encoding = "";  // named by the warning when `undecoded` is not 0
};

TEST(TextEncoding, EveryDrawingsTextsBecomeUtf8) {
  const TextCase cases[] = {
      {"ANSI_1252 umlauts and the euro sign", Variables("AC1015", "ANSI_1252"), "Geb\xE4ude",
       "H\xF6he \xFC\x80", "Gebäude,Höhe ü€"},
      {"ANSI_1250", Variables("AC1015", "ANSI_1250"), "\xA3\xF3\x64\x9F", "\x8Aibenik",
       "Łódź,Šibenik"},
      {"ANSI_932, whose second bytes include the one of the backslash",
       Variables("AC1018", "ANSI_932"), "\x91\xAA\x93\x5F", "\x95\x5CU+0041", "測点,表U+0041"},
      {"dos850", Variables("AC1009", "dos850"), "\x81", "\x82t\x82", "ü,été"},
      {"ansi_1250 in small letters", Variables("AC1015", "ansi_1250"), "\xA3", "", "Ł,"},
      {"escapes of characters beyond the code page", Variables("AC1015", "ANSI_1252"),
       "Stra\\U+00DFe", "\\U+03A9 = 5\\U+00b0, \\U+D83D\\U+DE00", "Straße,Ω = 5°, 😀"},
      {"escapes of control characters and cut-short escapes stay as written",
       Variables("AC1015", "ANSI_1252"), "a\\U+000Ab", "\\U+03A \\U+ \\U+00G0 \\U+",
       "a\\U+000Ab,\\U+03A \\U+ \\U+00G0 \\U+"},
      {"an escaped lone surrogate does not decode", Variables("AC1015", "ANSI_1252"), "L",
       "\\U+D800x\\U+DC00", "L,�x�", 2, "ANSI_1252"},
      {"R2007 stores UTF-8, whatever its code page", Variables("AC1021", "ANSI_1250"),
       "K\xC3\xB6ln", "\xE6\xB8\xAC \\U+00B0", "Köln,測 °"},
      {"R2018 too", Variables("AC1032", "ANSI_932"), "\xC5\x81", "", "Ł,"},
      {"R2007 text that is not UTF-8", Variables("AC1021", "ANSI_1252"), "\xC3(", "\xE2\x82",
       "�(,��", 3, "UTF-8"},
      {"R2007 characters beyond U+10FFFF, each byte of them", Variables("AC1021", ""),
       "\xF4\x90\x80\x80",
       "\xF5\x80\x80\x80 \xF8\x88\x80\x80\x80 \xFC\x84\x80\x80\x80\x80 \xF4\x8F\xBF\xBF",
       "����,���� ����� ������ \xF4\x8F\xBF\xBF", 19, "UTF-8"},
      {"R2007 surrogates and overlong forms", Variables("AC1021", ""), "\xED\xA0\x80",
       "\xC0\xAF\xE0\x80\xAF", "���,�����", 8, "UTF-8"},
      {"no $DWGCODEPAGE: ANSI_1252", Variables("AC1015", ""), "\xFC", "Gr\xFC\xDF Gott",
       "ü,Grüß Gott"},
      {"no $DWGCODEPAGE: a character beyond U+10FFFF is no UTF-8", Variables("AC1015", ""),
       "\xF4\x90\x80\x80", "", "ô�€€,", 1, "ANSI_1252"},
      {"no $DWGCODEPAGE: valid UTF-8 is read as UTF-8, any other text as ANSI_1252",
       Variables("AC1015", ""), "K\xC3\xB6ln", "\xC3\xBC and \xFC", "Köln,Ã¼ and ü"},
      {"no header at all", "", "\xE9t\xE9", "\xC3\xA9t\xC3\xA9", "été,été"},
      {"a byte that ANSI_1252 leaves undefined", Variables("AC1015", "ANSI_1252"), "a\x81z", "\x8D",
       "a�z,�", 2, "ANSI_1252"},
      {"an ANSI_932 character cut short at the end", Variables("AC1018", "ANSI_932"), "\x91",
       "\x91\xAA\x93", "�,測�", 2, "ANSI_932"},
      {"the first of two code pages counts",
       Variables("AC1015", "ANSI_1250") + Variables("", "ANSI_1252"), "\xA3", "", "Ł,"},
  };
  TestSetup setup;
  setup.Entities({entity_node::kText}).Fields({field_node::kLayer, field_node::kTextString});
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ConversionResult result =
        setup.Convert(Drawing(c.variables, Entity("TEXT", {{8, c.layer}, {1, c.text}})));
    EXPECT_EQ(DataLines(result.data), Lines{c.expected});
    EXPECT_EQ(WarningOf(result), c.undecoded == 0 ? "" : UndecodedText({c.undecoded, c.encoding}));
  }
}

TEST(TextEncoding, HeaderVariablesAreTakenOnlyAsTheirOwnPairs) {
  TestSetup setup;
  setup.Entities({entity_node::kText}).Fields({field_node::kTextString});
  const std::string entity = Entity("TEXT", {{1, "\xA3"}});
  // A text that reads like the variable, and a variable with the wrong group code.
  const std::string blocks =
      "  0\nSECTION\n  2\nBLOCKS\n  1\n$DWGCODEPAGE\n  3\nANSI_1250\n"
      "  0\nENDSEC\n";
  EXPECT_EQ(DataLines(setup.Convert(blocks + DxfWithEntities(entity)).data), Lines{"£"});
  const std::string wrong_code = "  9\n$DWGCODEPAGE\n  1\nANSI_1250\n";
  EXPECT_EQ(DataLines(setup.Convert(Drawing(wrong_code, entity)).data), Lines{"£"});
  // After the ENTITIES line nothing is a header any more.
  EXPECT_EQ(DataLines(setup.Convert(DxfWithEntities(Variables("", "ANSI_1250") + entity)).data),
            Lines{"£"});
}

TEST(TextEncoding, ByteOrderMarkMeansUtf8WhateverTheHeaderSays) {
  TestSetup setup;
  setup.Entities({entity_node::kText}).Fields({field_node::kTextString});
  const std::string drawing =
      Drawing(Variables("AC1015", "ANSI_1250"), Entity("TEXT", {{1, "\xC5\x81\xA3"}}));
  const ConversionResult result = setup.Convert("\xEF\xBB\xBF" + drawing);
  EXPECT_EQ(DataLines(result.data), Lines{"Ł�"});
  EXPECT_EQ(WarningOf(result), UndecodedText({1, "UTF-8"}));
}

TEST(TextEncoding, InsertsAreFilteredAndTalliedByTheirDecodedNames) {
  // TÜR twice in capitals and once in small letters, Tür once: only a-z change case.
  const std::string drawing =
      Drawing(Variables("AC1015", "ANSI_1252"),
              Entity("INSERT", {{2, "T\xDCR"}, {8, "\xC4"}}) + Entity("INSERT", {{2, "t\xDCr"}}) +
                  Entity("INSERT", {{2, "T\xFCr"}}) + Entity("INSERT", {{2, "TOR"}}) +
                  Entity("INSERT", {{2, "T\xDC\xDCR"}}));
  struct Case {
    const char* filter;  // UTF-8, as typed
    Lines data;
    Lines tally;
  };
  const Case cases[] = {
      {"",
       {"TÜR,Ä", "tÜr,!NoLayer!", "Tür,!NoLayer!", "TOR,!NoLayer!", "TÜÜR,!NoLayer!"},
       {"      TÜR : 2", "      Tür : 1", "      TOR : 1", "      TÜÜR : 1"}},
      // "?" is one character, however many bytes it takes.
      {"T?R",
       {"TÜR,Ä", "tÜr,!NoLayer!", "Tür,!NoLayer!", "TOR,!NoLayer!"},
       {"      TÜR : 2", "      Tür : 1", "      TOR : 1"}},
      {"TÜ*", {"TÜR,Ä", "tÜr,!NoLayer!", "TÜÜR,!NoLayer!"}, {"      TÜR : 2", "      TÜÜR : 1"}},
      {"tür", {"Tür,!NoLayer!"}, {"      Tür : 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    TestSetup setup;
    setup.Entities({entity_node::kBlocks})
        .Fields({field_node::kBlockName, field_node::kLayer})
        .BlockFilter(c.filter);
    const ConversionResult result = setup.Convert(drawing);
    EXPECT_EQ(DataLines(result.data), c.data);
    ASSERT_GE(result.report.size(), 6 + c.tally.size());
    EXPECT_EQ(Lines(result.report.end() - 1 - static_cast<std::ptrdiff_t>(c.tally.size()),
                    result.report.end() - 1),
              c.tally);
  }
}

TEST(TextEncoding, UndecodedCharactersAreCountedWhereverTheyAreWritten) {
  // A block name that does not decode is written on each of its data lines and once in the
  // tally.
  const std::string inserts =
      Drawing(Variables("AC1015", "ANSI_1252"), Entity("INSERT", {{2, "A\x81"}}) +
                                                    Entity("INSERT", {{2, "a\x81"}}) +
                                                    Entity("INSERT", {{2, "B\x81"}, {5, "\x8F"}}));
  TestSetup setup;
  setup.Entities({entity_node::kBlocks}).Fields({field_node::kBlockName});
  ConversionResult result = setup.Convert(inserts);
  EXPECT_EQ(result.report.end()[-3], "      B� : 1");
  EXPECT_EQ(WarningOf(result), UndecodedText({5, "ANSI_1252"}));
  // Texts that are not written are not counted: here the handle, which is not exported, and the
  // names that the filter keeps out of the tally.
  setup.BlockFilter("B*");
  result = setup.Convert(inserts);
  EXPECT_EQ(WarningOf(result), UndecodedText({2, "ANSI_1252"}));
}

TEST(TextEncoding, FailuresQuoteTheDecodedTextAndTheBlockCountsIt) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kLayer, field_node::kX});
  // The second point's layer is undecodable too, but its line is not written.
  const ConversionResult result = setup.Convert(Drawing(
      Variables("AC1015", "ANSI_1252"), Entity("POINT", {{8, "\xC4\x81"}, {10, "1"}}) +
                                            Entity("POINT", {{8, "\x81"}, {10, "1,5\xB0\x81"}})));
  EXPECT_EQ(DataLines(result.data), Lines{"Ä�,1.000"});
  EXPECT_EQ(result.failure, testing::NotANumberError("1,5°�", 30));
  EXPECT_EQ(result.report, (Lines{result.report[0], "",
                                  "  *** Error, the value \"1,5°�\" is not a number (line 30) ***",
                                  UndecodedText({2, "ANSI_1252"}), std::string(100, '-')}));
}

TEST(TextEncoding, TheQuoteOfAnErrorLineCountsOnlyWhatItWrites) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX});
  struct Case {
    const char* name;
    std::string value;
    std::string quote;
    std::int64_t undecoded;
  };
  const Case cases[] = {
      {"the undecodable byte within the first 80 bytes", std::string(77, '1') + "\x81" + "2",
       std::string(77, '1') + "�...", 1},
      {"the undecodable byte cut off", std::string(80, '1') + "\x81", std::string(80, '1') + "...",
       0},
      // 20 escapes of 7 bytes become 20 characters of 2: the byte moves into the quote.
      {"escapes before the undecodable byte",
       Repeated("\\U+00E9", 20) + std::string(35, '1') + "\x81" + "2222",
       Repeated("é", 20) + std::string(35, '1') + "�22...", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConversionResult result =
        setup.Convert(Drawing(Variables("AC1015", "ANSI_1252"), Entity("POINT", {{10, c.value}})));
    EXPECT_EQ(result.report[2],
              "  *** Error, the value \"" + c.quote + "\" is not a number (line 22) ***");
    EXPECT_EQ(WarningOf(result), c.undecoded == 0 ? "" : UndecodedText({c.undecoded, "ANSI_1252"}));
  }
}

TEST(TextEncoding, UnpairedSurrogatesOfUtf16AreCountedWhereTheyAreWritten) {
  // In the drawing below, "<" and ">" stand for a high and a low surrogate, "[" and "]" for the
  // two halves of U+1F600. The handle's surrogate is not exported.
  const std::string drawing = Drawing(Variables("AC1015", "ANSI_1252"),
                                      Entity("TEXT", {{5, "<"}, {1, "a<b>c[]"}, {8, "[]<"}}));
  std::string utf16 = "\xFF\xFE";
  for (const char c : drawing) {
    const char16_t unit = c == '<'   ? 0xD800
                          : c == '>' ? 0xDC00
                          : c == '[' ? 0xD83D
                          : c == ']' ? 0xDE00
                                     : static_cast<char16_t>(c);
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
  }
  TestSetup setup;
  setup.Entities({entity_node::kText}).Fields({field_node::kTextString, field_node::kLayer});
  const ConversionResult result = setup.Convert(utf16);
  EXPECT_EQ(DataLines(result.data), Lines{"a�b�c😀,😀�"});
  EXPECT_EQ(WarningOf(result), UndecodedText({3, "UTF-16"}));
}

TEST(TextEncoding, CodePagesThatCannotBeDecodedAreReadAsNoneAndSaidSo) {
  TestSetup setup;
  setup.Entities({entity_node::kText}).Fields({field_node::kTextString});
  for (const char* named : {"ANSI_9999", "Latin"}) {
    SCOPED_TRACE(named);
    const ConversionResult result = setup.Convert(
        Drawing(Variables("AC1015", named), Entity("TEXT", {{1, "\xFC K\xC3\xB6ln \x81"}})));
    // Not UTF-8 as a whole, so ANSI_1252, where 81 is undefined.
    EXPECT_EQ(DataLines(result.data), Lines{"ü KÃ¶ln �"});
    const UndecodedCharacters undecoded{1, "ANSI_1252", named};
    EXPECT_EQ(Lines(result.report.end() - 3, result.report.end() - 1),
              (Lines{NotDecodableText(undecoded), UndecodedText(undecoded)}));
  }
  // A drawing that stores UTF-8 does not use the code page it names.
  const ConversionResult r2007 = setup.Convert(
      Drawing(Variables("AC1021", "ANSI_9999"), Entity("TEXT", {{1, "K\xC3\xB6ln"}})));
  EXPECT_EQ(WarningOf(r2007), "");
}

TEST(TextEncoding, ACodePageChosenForTheRunOverridesTheHeader) {
  struct Case {
    const char* name;
    const char* chosen;
    std::string drawing_start;  // a byte-order mark, or nothing
    std::string variables;
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"Cyrillic labelled ANSI_1252", "ANSI_1251", "", Variables("AC1015", "ANSI_1252"),
       "\xCC\xEE\xF1\xEA\xE2\xE0", "Москва"},
      {"names in either case", "ansi_1251", "", Variables("AC1015", "ANSI_1252"), "\xE0", "а"},
      {"UTF-8 in an R2000 drawing", "UTF-8", "", Variables("AC1015", "ANSI_1252"), "K\xC3\xB6ln",
       "Köln"},
      {"a code page for a drawing that stores UTF-8 by its version", "ANSI_1250", "",
       Variables("AC1021", "ANSI_1252"), "\xA3", "Ł"},
      {"no header at all", "DOS850", "", "", "\x81", "ü"},
      {"a byte-order mark still means UTF-8", "ANSI_1251", "\xEF\xBB\xBF",
       Variables("AC1015", "ANSI_1252"), "K\xC3\xB6ln", "Köln"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities({entity_node::kText}).Fields({field_node::kTextString});
    setup.code_page = ChoosableCodePage(c.chosen);
    ASSERT_FALSE(setup.code_page.empty());
    const ConversionResult result =
        setup.Convert(c.drawing_start + Drawing(c.variables, Entity("TEXT", {{1, c.text}})));
    EXPECT_EQ(DataLines(result.data), Lines{c.expected});
    EXPECT_EQ(WarningOf(result), "");
  }
}

TEST(TextEncoding, ChoosableCodePagesAreTheHeadersNamesThatDecode) {
  const std::vector<std::string>& names = ChoosableCodePages();
  for (const char* name : {"ANSI_1252", "ANSI_932", "DOS850", "ISO8859-2", "MAC-ROMAN", "UTF-8"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  for (const std::string& name : names)
    EXPECT_FALSE(IconvCodePage(name).empty()) << name;
  EXPECT_EQ(ChoosableCodePage("iso8859-2"), "ISO8859-2");
  for (const char* refused : {"", "CP1252", "ANSI_9999", "ANSI_1252 "})
    EXPECT_EQ(ChoosableCodePage(refused), "") << refused;
}

TEST(TextEncoding, CodePageNames) {
  struct Case {
    const char* dxf;
    const char* iconv;
  };
  const Case cases[] = {
      {"ANSI_1252", "CP1252"},    {"ansi_932", "CP932"}, {"ANSI_874", "CP874"},
      {"dos850", "CP850"},        {"DOS437", "CP437"},   {"ISO8859-2", "ISO-8859-2"},
      {"MAC-ROMAN", "MACINTOSH"}, {"big5", "BIG5"},      {"KSC5601", "EUC-KR"},
      {"UTF-8", "UTF-8"},         {"ANSI_", ""},         {"ANSI_12a2", ""},
      {"ANSI_1252 ", ""},         {"CP1252", ""},        {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IconvCodePage(c.dxf), c.iconv) << c.dxf;
  }
}

}  // namespace
}  // namespace quorvex
