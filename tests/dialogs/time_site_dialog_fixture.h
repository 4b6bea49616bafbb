// What the date, time-step and site dialog tests share: the canvas
// fixture's shell and Scene, the driver that records every text handed to
// StkExecuteText, and the warning boxes left on a dialog or the toplevel
// shell closed after each test.
#pragma once

#include "tests/dialogs/dialog_driver.h"

#include "dialogs/kit/form_dialog.h"

namespace dialogtest {

// The dialogs keep their Scene for the run, as the program's dialogs do.
inline Scene& DialogScene()
{
    static Scene scene{};
    return scene;
}

class TimeSiteDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvastest::ResizeArea(320, 240);
        canvastest::PrepareScene(scene);
        gAppEnv->quiet = 0;
        gAppEnv->toplevel = canvastest::World().top;
        StkClearError();
        driver.ForgetTexts();
    }
    void TearDown() override
    {
        for (Widget dialog : shownDialogs) {
            if (dialog != nullptr) {
                XtUnmanageChild(dialog);
                DialogDriver::CloseMessageBoxes(dialog);
            }
        }
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
    }

    // Shows a dialog through its entry point, pumps, and forgets what
    // showing it sent (nothing, in every dialog here).
    void Show(void (*show)(Scene*), Widget (*widget)())
    {
        show(&scene);
        driver.Pump();
        shownDialogs.push_back(widget());
        driver.ForgetTexts();
    }

    // The warnings on a parent, and closes them.
    std::vector<std::string> TakeWarnings(Widget parent)
    {
        driver.Pump();
        std::vector<std::string> texts = DialogDriver::MessageBoxes(parent);
        DialogDriver::CloseMessageBoxes(parent);
        return texts;
    }

    // One arrow press on a row with a typed start, and the text after it.
    struct ArrowStep {
        const char* word;    // the row: "Min" for EditMin, ArrowMinUp, ArrowMinDown
        const char* start;
        const char* arrow;   // "Up" or "Down"
        const char* after;
    };

    void ExpectArrowSteps(Widget dialog, const std::vector<ArrowStep>& steps)
    {
        for (const ArrowStep& step : steps) {
            const std::string edit = std::string("Edit") + step.word;
            driver.Type(dialog, edit.c_str(), step.start);
            driver.Press(dialog, (std::string("Arrow") + step.word + step.arrow).c_str());
            EXPECT_EQ(DialogDriver::Text(dialog, edit.c_str()), step.after)
                << step.word << " " << step.start << " " << step.arrow;
        }
        EXPECT_TRUE(driver.Texts().empty());
    }

    Scene& scene = DialogScene();
    DialogDriver driver;
    std::vector<Widget> shownDialogs;
};

}  // namespace dialogtest
