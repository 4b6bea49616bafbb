// The program started with element files of its own (-xrm): the comet and
// minor-planet dialogs, opened from the Object menu, list each file as it
// was the first time; a file grown later in the run is not read again.
#include "tests/mainwin/program_driver.h"

#include "tests/dialogs/element_records.h"

#include <Xm/List.h>

namespace {

using programtest::ProgramDriver;

struct ListedFile {
    const char* menuItem;
    const char* dialog;
    const char* list;
    char kind;
    const char* file;   // in the test home
};

const ListedFile kListedFiles[] = {
    {"MenuObjectComet", "CometDialog", "CometList", 'C', "comets.elm"},
    {"MenuObjectMPlanet", "MPlanetDialog", "MPlanetList", 'M', "planets.elm"},
};

void WriteRecords(const ListedFile& row, int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += elementtest::Record(row.kind, "Body" + std::to_string(i), std::to_string(i)) + "\r\n";
    }
    WriteFile(TestHome() + "/" + row.file, text);
}

int ListedCount(ProgramDriver& driver, const ListedFile& row)
{
    driver.Choose(row.menuItem);
    Widget dialog = ProgramDriver::Find(row.dialog);
    if (dialog == nullptr) {
        return -1;
    }
    int count = 0;
    XtVaGetValues(XtNameToWidget(dialog, (std::string("*") + row.list).c_str()), XmNitemCount,
                  &count, nullptr);
    XtUnmanageChild(dialog);
    driver.Pump();
    return count;
}

class ElementListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const ListedFile& row : kListedFiles) {
            WriteRecords(row, 2);
            const char* resource = row.kind == 'C' ? "CometFile" : "MPlanetFile";
            programtest::ExtraStartArguments().push_back("-xrm");
            programtest::ExtraStartArguments().push_back(std::string("UVola*") + resource + ": " +
                                                          TestHome() + "/" + row.file);
        }
    }
};

TEST_F(ElementListsTest, EachFileIsListedOncePerRun)
{
    ProgramDriver driver;
    for (const ListedFile& row : kListedFiles) {
        SCOPED_TRACE(row.dialog);
        EXPECT_EQ(ListedCount(driver, row), 2);
        WriteRecords(row, 5);
        EXPECT_EQ(ListedCount(driver, row), 2);
    }
}

}  // namespace
