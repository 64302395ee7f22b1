// The drawing texts form: DOS bytes stored, display bytes shown, the edits'
// limits, and Cancel that keeps every text.
#include "dialogs/stage/textsform.h"
#include "stageforms_fixture.h"

#include "common/tempdir.h"
#include "planetary/projectfile.h"

#include <fstream>
#include <iterator>

namespace
{

using platform::DialogAction;

class TextsForm : public StageForms
{
};

TEST_F(TextsForm, UmlautIsStoredInTheDosCodePageAndShownAgain)
{
    TForm_qyr7text f;
    // "Getriebegehäuse" typed: 0xE4 in the display code page, 0x84 in DOS.
    f.Control("Edit_zname0").Text = "Getriebegeh\xE4use";
    f.Control("Edit_bemerk2").Text = "Stirnrad \xFC"
                                     "ber Welle";
    ASSERT_EQ(f.Press("Button_OK"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.GearName[0], "Getriebegeh\x84use");
    EXPECT_EQ(telmvar.RemarkLines[2], "Stirnrad \x81"
                                      "ber Welle");
    TForm_qyr7text again;
    EXPECT_EQ(again.Control("Edit_zname0").Text, "Getriebegeh\xE4use");
    EXPECT_EQ(again.Control("Edit_bemerk2").Text, "Stirnrad \xFC"
                                                  "ber Welle");
}

// Code page 437 draws the byte 0x15 as the section sign: a typed "§ 12" is
// stored so, and shows as typed when the project is opened again.
TEST_F(TextsForm, ProjectTextBytesTypedSectionSignShownAfterSaveAndOpen)
{
    const testdirs::ScopedTempDir dir("texts");
    TForm_qyr7text f;
    f.Control("Edit_znr1").Text = "\xA7 12";
    ASSERT_EQ(f.Press("Button_OK"), DialogAction::Accept);
    ASSERT_TRUE(WriteProjectData(dir.Path() + "/s.qy7"));
    std::ifstream in(dir.Path() + "/s.qy7", std::ios::binary);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(in), {}).find("\r\n\x15 12\r\n"), std::string::npos);
    SetUp();
    TFileFault fault;
    ASSERT_TRUE(ReadProjectData(dir.Path() + "/s.qy7", fault)) << fault.Line << " " << fault.Reason;
    EXPECT_EQ(TForm_qyr7text().Control("Edit_znr1").Text, "\xA7 12");
}

TEST_F(TextsForm, ColumnsGoToTheirFields)
{
    TForm_qyr7text f;
    f.Control("Edit_zname3").Text = "Aussenplanet";
    f.Control("Edit_znr3").Text = "4711-03";
    f.Control("Edit_extzname4").Text = "Hohlrad mit Verzahnung";
    ASSERT_EQ(f.Press("Button_OK"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.GearName[3], "Aussenplanet");
    EXPECT_EQ(PlanetaryGears.PartNumber[3], "4711-03");
    EXPECT_EQ(PlanetaryGears.GearLongName[4], "Hohlrad mit Verzahnung");
    EXPECT_EQ(f.Caption(), "QYR7");
    EXPECT_EQ(f.Control("Label2").Caption, "Pi (inner planet)");
}

TEST_F(TextsForm, LongTextsAreCutToTheEditLimits)
{
    TForm_qyr7text f;
    const std::string longText(100, 'x');
    for (const char* e : {"Edit_zname1", "Edit_znr1", "Edit_extzname1", "Edit_bemerk1"})
        f.Control(e).Text = longText;
    ASSERT_EQ(f.Press("Button_OK"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.GearName[1].size(), 25u);
    EXPECT_EQ(PlanetaryGears.PartNumber[1].size(), 18u);
    EXPECT_EQ(PlanetaryGears.GearLongName[1].size(), 30u);
    EXPECT_EQ(telmvar.RemarkLines[1].size(), 65u);
}

TEST_F(TextsForm, CancelKeepsEveryText)
{
    PlanetaryGears.GearName[2] = "Innenplanet";
    telmvar.RemarkLines[3] = "alt";
    const TPlanetaryGears before = PlanetaryGears;
    TForm_qyr7text f;
    for (const platform::DialogControl& c : f.Controls())
        if (c.Name.rfind("Edit_", 0) == 0) f.Control(c.Name).Text = "neu";
    EXPECT_EQ(f.Press("Button_CANCEL"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(PlanetaryGears.GearName[i], before.GearName[i]);
        EXPECT_EQ(PlanetaryGears.PartNumber[i], before.PartNumber[i]);
        EXPECT_EQ(PlanetaryGears.GearLongName[i], before.GearLongName[i]);
    }
    EXPECT_EQ(telmvar.RemarkLines[3], "alt");
}

} // namespace
