// Reading skins: attribute lists and values, the repeat construct, includes,
// and malformed files rejected with their file and line.
#include <gtest/gtest.h>

#include "platform/attribute_values.h"
#include "platform/combo.h"
#include "platform/skin_error.h"
#include "platform/skin_reader.h"
#include "platform/label.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

std::string WindowSkin(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Window name=\"root\">\n" + body + "</Window>\n";
}

// Names of the elements of a tree, depth first, with their name attribute.
void CollectNames(const SkinElement& element, std::vector<std::string>& names) {
  if (const std::string* name = element.Attribute("name")) names.push_back(*name);
  for (const SkinElement& child : element.children) CollectNames(child, names);
}

// The names in the window whose body is `body`, as the skin reader reads it.
std::vector<std::string> NamesRead(const TemporarySkin& skin, const std::string& body) {
  skin.Write("view/main.xml", WindowSkin(body));
  std::vector<std::string> names;
  CollectNames(ReadSkinFile(skin.Dir(), "view/main.xml"), names);
  return names;
}

TEST(AttributeListTest, ReadsDoubleAndSingleQuotedPairsInOrder) {
  EXPECT_EQ(ParseAttributeList(" name=\"edit_device_name\"  text='a \"b\"' width = \"20\" "),
            (AttributeList{{"name", "edit_device_name"}, {"text", "a \"b\""}, {"width", "20"}}));
  EXPECT_TRUE(ParseAttributeList("   ").empty());
}

TEST(AttributeListTest, RejectsMalformedLists) {
  for (const char* list : {"name", "name=x", "name=\"x", "=\"x\""}) {
    EXPECT_THROW(ParseAttributeList(list), AttributeError) << list;
  }
}

TEST(AttributeValueTest, ParsesColoursSizesMarginsAndAlignment) {
  EXPECT_EQ(ParseColor("bkcolor", "#80102030").rgba(), 0x80102030u);
  EXPECT_EQ(ParseColor("bkcolor", "#102030").rgba(), 0xFF102030u);
  EXPECT_EQ(ParseSize("size", "640,480"), QSize(640, 480));
  EXPECT_EQ(ParseMargins("padding", "1,2,3,4"), QMargins(1, 2, 3, 4));
  EXPECT_EQ(ParseMargins("padding", "5"), QMargins(5, 5, 5, 5));
  EXPECT_EQ(ParseAlignment("align", "right,bottom"), Qt::AlignRight | Qt::AlignBottom);
  EXPECT_EQ(ParseAlignment("align", "center"), Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(ParseInt("width", " -12 "), -12);
}

TEST(AttributeValueTest, RejectsValuesThatDoNotFitAndNamesTheAttribute) {
  EXPECT_THROW(ParseColor("bkcolor", "FF102030"), AttributeError);
  EXPECT_THROW(ParseColor("bkcolor", "#FF10"), AttributeError);
  EXPECT_THROW(ParseColor("bkcolor", "#GG102030"), AttributeError);
  EXPECT_THROW(ParseInt("width", "12px"), AttributeError);
  EXPECT_THROW(ParseBool("visible", "yes"), AttributeError);
  EXPECT_THROW(ParseMargins("padding", "1,2,3"), AttributeError);
  EXPECT_THROW(ParseAlignment("align", "middle"), AttributeError);
  try {
    ParseInt("height", "tall");
    FAIL() << "no error";
  } catch (const AttributeError& error) {
    EXPECT_NE(std::string(error.what()).find("height=\"tall\""), std::string::npos) << error.what();
  }
}

TEST(RepeatTest, WritesOneCopyPerIndexWithEveryFormat) {
  TemporarySkin skin;
  EXPECT_EQ(NamesRead(skin, R"(
    <Repeat count="3" var="ch">
      <Label name="label_{ch}" text="IN {ch:A} / {ch:n} / {ch:a} / {{ch}"/>
    </Repeat>)"),
            (std::vector<std::string>{"root", "label_0", "label_1", "label_2"}));
  EXPECT_EQ(*ReadSkinFile(skin.Dir(), "view/main.xml").children.at(1).Attribute("text"), "IN B / 2 / b / {ch}");
}

TEST(RepeatTest, NestsWithDistinctVariablesAndExpandsInsideChildren) {
  const std::vector<std::string> names = NamesRead(TemporarySkin(), R"(
    <Repeat count="2" var="in">
      <HorizontalLayout name="layout_mix_input_{in}">
        <Repeat count="3" var="out">
          <Button name="button_in_{in:a}_out_{out:n}"/>
        </Repeat>
      </HorizontalLayout>
    </Repeat>)");
  EXPECT_EQ(names, (std::vector<std::string>{"root", "layout_mix_input_0", "button_in_a_out_1", "button_in_a_out_2",
                                             "button_in_a_out_3", "layout_mix_input_1", "button_in_b_out_1",
                                             "button_in_b_out_2", "button_in_b_out_3"}));
}

TEST(RepeatTest, RepeatedControlsAreFoundByTheirNames) {
  TemporarySkin skin;
  skin.Write("view/r.xml", WindowSkin(R"(
    <Repeat count="8"><Label name="label_input_{i}" text="IN {i:A}"/></Repeat>)"));
  RecordingWindow window("view/r.xml");
  window.Create(nullptr, "repeat");
  ASSERT_NE(window.Find<Label>("label_input_7"), nullptr);
  EXPECT_EQ(window.Find<Label>("label_input_7")->Text(), "IN H");
  EXPECT_EQ(window.FindControl("label_input_8"), nullptr);
}

TEST(IncludeTest, SplicesTheRootOfAnotherFileAndRepeatsIt) {
  TemporarySkin skin;
  skin.Write("view/strip.xml", R"(<VerticalLayout name="layout_strip_{i}"><Label name="label_strip_{i}"/></VerticalLayout>)");
  EXPECT_EQ(NamesRead(skin, R"(<Repeat count="2"><Include source="view/strip.xml"/></Repeat>)"),
            (std::vector<std::string>{"root", "layout_strip_0", "label_strip_0", "layout_strip_1", "label_strip_1"}));
}

// Each malformed skin must be refused with the file and the line at fault.
TEST(MalformedSkinTest, IsRejectedWithFileAndLine) {
  const struct {
    const char* what;
    std::string body;  // lines of the <Window> body; the body starts on line 3
    int line;
    const char* reason_part;
  } cases[] = {
      {"unclosed element", "<Label name=\"a\">\n<Label name=\"b\"/>\n", 5, "tag mismatch"},
      {"unknown element", "<Label/>\n<Dial name=\"k\"/>\n", 4, "unknown element <Dial>"},
      {"bad attribute value", "<Label/>\n<Label name=\"x\" width=\"wide\"/>\n", 4, "width=\"wide\""},
      {"bad colour", "<Label bkcolor=\"red\"/>\n", 3, "bkcolor"},
      {"missing image", "<Control bkimage=\"image/none.png\"/>\n", 3, "no such image"},
      {"name used twice", "<Label name=\"x\"/>\n<Label name=\"x\"/>\n", 4, "used twice"},
      {"stray text", "<Label/>\nhello\n", 4, "text between tags"},
      {"item outside a combo", "<HorizontalLayout>\n<Item text=\"a\"/>\n</HorizontalLayout>\n", 4,
       "unknown element <Item>"},
      {"child of a button", "<Button>\n<Label/>\n</Button>\n", 4, "cannot hold"},
      {"font without id", "<Font size=\"12\"/>\n", 3, "needs an id"},
      {"unknown repeat variable", "<Repeat count=\"2\">\n<Label name=\"a_{j}\"/>\n</Repeat>\n", 4,
       "no repeat variable \"j\""},
      {"repeat without count", "<Repeat var=\"i\">\n</Repeat>\n", 3, "count"},
      {"letter past z", "<Repeat count=\"27\">\n<Label text=\"{i:A}\"/>\n</Repeat>\n", 4, "no letter"},
      {"include of a missing file", "<Include source=\"view/none.xml\"/>\n", 3, "cannot open"},
      // Found by fuzzing: the name's length made the file system throw.
      {"include of a name too long", "<Include source=\"" + std::string(300, 'n') + ".xml\"/>\n", 3, "cannot open"},
  };
  for (const auto& malformed : cases) {
    SCOPED_TRACE(malformed.what);
    TemporarySkin skin;
    skin.Write("view/bad.xml", WindowSkin(malformed.body));
    RecordingWindow window("view/bad.xml");
    try {
      window.Create(nullptr, "bad");
      ADD_FAILURE() << "accepted";
    } catch (const SkinError& error) {
      EXPECT_EQ(error.file(), (skin.Dir() / "view/bad.xml").string());
      EXPECT_EQ(error.line(), malformed.line) << error.what();
      EXPECT_NE(error.reason().find(malformed.reason_part), std::string::npos) << error.what();
    }
    EXPECT_FALSE(window.IsCreated());
    EXPECT_EQ(window.Widget(), nullptr);
  }
}

TEST(MalformedSkinTest, AFileThatIncludesItselfIsRefused) {
  TemporarySkin skin;
  skin.Write("view/loop.xml", WindowSkin("<Include source=\"view/loop.xml\"/>\n"));
  EXPECT_THROW(ReadSkinFile(skin.Dir(), "view/loop.xml"), SkinError);
}

TEST(MalformedSkinTest, AMissingFileNamesThePathAndHowToFixIt) {
  TemporarySkin skin;
  try {
    ReadSkinFile(skin.Dir(), "view/Missing.xml");
    FAIL() << "no error";
  } catch (const SkinError& error) {
    EXPECT_NE(error.file().find("view/Missing.xml"), std::string::npos);
    EXPECT_NE(error.reason().find("DSPDESK_SKIN_DIR"), std::string::npos);
  }
}

TEST(SkinBuildTest, UnknownAttributesBecomeCustomAttributesAndComboItemsAreRead) {
  TemporarySkin skin;
  skin.Write("view/s.xml", WindowSkin(R"(
    <Control name="config_baud" visible="false" value="57600"/>
    <Combo name="combo_type"><Item text="Peak"/><Item text="Shelf" selected="true"/></Combo>)"));
  RecordingWindow window("view/s.xml");
  window.Create(nullptr, "s");
  Control* config = window.FindControl("config_baud");
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(config->CustomAttribute("value"), "57600");
  EXPECT_FALSE(config->IsVisible());
  auto* combo = window.Find<Combo>("combo_type");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->ItemCount(), 2);
  EXPECT_EQ(combo->CurSel(), 1);
  EXPECT_EQ(combo->ItemText(0), "Peak");
}

}  // namespace
}  // namespace dsp::test
