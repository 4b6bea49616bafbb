// What the tests of the settings and display dialogs share: the canvas
// fixture's shell and a Scene on its drawing area, the driver that records
// every text handed to StkExecuteText, the warnings left on the toplevel
// shell, and the image oracle: a dialog's action must draw the chart the
// texts it sent draw when typed as commands.
#pragma once

#include "tests/dialogs/dialog_driver.h"

#include "command/gsave_command.h"
#include "tests/harness/test_files.h"

#include <cstdio>
#include <cstring>
#include <functional>

namespace dialogtest {

// The dialogs keep their Scene for the run, as the program's dialogs do.
inline Scene& SettingsScene()
{
    static Scene scene{};
    return scene;
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvastest::ResizeArea(320, 240);
        StartScene();
        gAppEnv->quiet = 0;
        gAppEnv->toplevel = canvastest::World().top;
        driver.ForgetTexts();
    }
    void TearDown() override
    {
        for (Widget dialog : shown) {
            XtUnmanageChild(dialog);
        }
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
    }

    // A fresh Scene at night over Tokyo, drawn once: every oracle starts
    // here.
    void StartScene()
    {
        canvastest::PrepareScene(scene);
        StkExecuteText(scene, "DATE 2024,3,20,21,0,0,9;DRIVE");
        StkClearError();
    }

    void StartFrom(const char* setup)
    {
        StartScene();
        StkExecuteText(scene, setup);
        StkClearError();
    }

    // Shows a dialog through its entry point and forgets what showing sent.
    Widget Show(void (*show)(Scene*), Widget (*widget)())
    {
        show(&scene);
        driver.Pump();
        shown.push_back(widget());
        driver.ForgetTexts();
        return widget();
    }

    // The warnings on the toplevel shell, closed.
    std::vector<std::string> TakeWarnings()
    {
        driver.Pump();
        std::vector<std::string> texts = DialogDriver::MessageBoxes(gAppEnv->toplevel);
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
        return texts;
    }

    // The chart as GSAVE writes it.
    std::string Chart()
    {
        const std::string path = TestHome() + "/oracle.xpm";
        std::remove(path.c_str());
        EXPECT_EQ(StkSaveWindowImage(scene, path.c_str()), 1);
        return ReadFile(path);
    }

    // The image oracle: from the start and a view set by the setup text,
    // the dialog's action; from there again, the texts it sent typed as
    // commands. Both charts must be one byte for byte, and differ from the
    // chart before the action, or the action showed nothing.
    void ExpectSameChartAsItsTexts(const char* setup, const std::function<void()>& action)
    {
        StartFrom(setup);
        const std::string before = Chart();
        driver.ForgetTexts();
        action();
        driver.Pump();
        const std::vector<std::string> texts = driver.Texts();
        ASSERT_FALSE(texts.empty());
        const std::string byDialog = Chart();
        StartFrom(setup);
        for (const std::string& text : texts) {
            StkExecuteText(scene, text.c_str());
        }
        const std::string byCommands = Chart();
        EXPECT_TRUE(byDialog == byCommands) << "the dialog drew another chart than its texts";
        EXPECT_FALSE(byDialog == before) << "the action changed nothing that shows";
    }

    static bool Sensitive(Widget dialog, const char* name)
    {
        return XtIsSensitive(DialogDriver::Child(dialog, name)) != 0;
    }

    Scene& scene = SettingsScene();
    DialogDriver driver;
    std::vector<Widget> shown;
};

}  // namespace dialogtest
