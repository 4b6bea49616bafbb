// Every command text the program sends (tests/data/command_texts.txt: toolbar,
// step box, menus, key and wheel translations, dialogs, script writer) run
// through the interpreter on a real canvas under Xvfb. A typo in one of them
// would otherwise only ever show up as a warning box. There is no window
// here to open a dialog from, so INPUT answers "stkErrorNotAvailable",
// which it gives only for a dialog it knows.
#include "tests/sky/sky_canvas_fixture.h"

#include "command/interpreter.h"
#include "tests/harness/test_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using canvastest::PrepareScene;
using canvastest::ResizeArea;
using canvastest::World;

std::vector<std::string> CommandTexts()
{
    std::ifstream file(UVOLA_SOURCE_DIR "/tests/data/command_texts.txt");
    std::vector<std::string> texts;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line[0] != '#') {
            texts.push_back(line);
        }
    }
    return texts;
}

// The statements of a text one by one: only the last statement's error
// stays pending, so "TOGGLE CONS_LIN;DRIVE" run whole would pass.
std::vector<std::string> Statements(const std::string& text)
{
    std::vector<std::string> statements;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string statement = text.substr(start, end - start);
        if (statement.find_first_not_of(' ') != std::string::npos) {
            statements.push_back(statement.substr(statement.find_first_not_of(' ')));
        }
        start = end + 1;
    }
    return statements;
}

TEST(CommandTexts, EveryTextOfTheProgramIsAccepted)
{
    World();
    ResizeArea(320, 240);
    static Scene scene{};
    PrepareScene(scene);
    gAppEnv->quiet = 1;
    gAppEnv->blinkTime = 1;
    // The open-script dialog's text names a script in the working directory.
    ASSERT_EQ(chdir(TestHome().c_str()), 0);
    WriteFile("scene.stl", "BLOCK CONTROL\n\tSCENE MAIN\n\t\tSHOW CONS_LINE\n\t\tDRIVE\n\tEND SCENE\nEND BLOCK\n");
    // The star files the STARDATA texts choose: the program's data and a
    // catalogue root.
    mkdir("gsc", 0755);
    mkdir("gsc/TABLES", 0755);
    WriteFile("gsc/TABLES/REGIONS.TBL", "");
    std::snprintf(gAppEnv->saoFile, kPathSize, "%s", UVOLA_SOURCE_DIR "/data/uvola.sao");
    std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s", UVOLA_SOURCE_DIR "/data/uvola.gsc");
    std::snprintf(gAppEnv->gscDataPath, kPathSize, "%s/gsc", TestHome().c_str());
    const std::vector<std::string> texts = CommandTexts();
    ASSERT_GT(texts.size(), 200u);
    for (const std::string& text : texts) {
        for (const std::string& statement : Statements(text)) {
            SCOPED_TRACE(text);
            StkExecuteText(&scene, statement.c_str());
            const bool input = statement.rfind("INPUT ", 0) == 0;
            EXPECT_EQ(std::string(gAppEnv->errorKey), input ? "stkErrorNotAvailable" : "")
                << gAppEnv->errorMessage;
        }
    }
    if (scene.animation.running != 0) {
        StkExecuteText(&scene, "CONTINUE");
    }
    EXPECT_EQ(scene.animation.running, 0);
}

}  // namespace
