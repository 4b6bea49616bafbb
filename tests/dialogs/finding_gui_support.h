// What the GUI tests of the finding dialogs share: a Scene on the canvas
// world's drawing area, BLINK cut to one flash, and the back pixmap read
// back to compare two ways of reaching one chart.
#pragma once

#include "tests/dialogs/dialog_driver.h"

#include "command/interpreter.h"
#include "sky/scene.h"

#include <string>

namespace findingtest {

// The text a label shows.
inline std::string LabelText(Widget label, const char* resource = XmNlabelString)
{
    return dialogtest::DialogDriver::StringResource(label, resource);
}

class FindingGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvastest::ResizeArea(320, 240);
        canvastest::PrepareScene(scene);
        gAppEnv->quiet = 0;
        gAppEnv->blinkTime = 1;
        gAppEnv->toplevel = canvastest::World().top;
        driver.Pump();
        driver.ForgetTexts();
    }
    void TearDown() override { dialogtest::DialogDriver::CloseMessageBoxes(gAppEnv->toplevel); }

    // The chart as drawn now, byte for byte.
    std::string Chart()
    {
        StkExecuteText(scene, "DRIVE");
        unsigned width = 0, height = 0;
        canvastest::PixmapSize(scene.backPixmap, width, height);
        canvastest::Snapshot shot(scene.backPixmap, static_cast<int>(width), static_cast<int>(height));
        return std::string(shot.image->data,
                           static_cast<size_t>(shot.image->bytes_per_line) * shot.image->height);
    }

    // The chart after typing the text into a fresh Scene.
    std::string TypedChart(const char* text)
    {
        canvastest::PrepareScene(scene);
        StkExecuteText(scene, text);
        return Chart();
    }

    static Scene& SharedScene()
    {
        static Scene shared{};
        return shared;
    }

    Scene& scene = SharedScene();
    dialogtest::DialogDriver driver;
};

}  // namespace findingtest
