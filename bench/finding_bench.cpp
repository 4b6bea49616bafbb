// Finding and showing objects: What's Today's texts with eight comets
// (after every redraw; goal under 1 ms), the minor-planet dialog's first
// Show on 20,000 lines and its OK with 1,000 chosen (goal under 1 s each),
// decoding a 4000 x 3000 picture, and an expose of the viewer while
// dragging against the X server's floor for the same strip. Needs an X
// display: run it under tests/harness/uvola-test-env --xvfb.
#include "bench_canvas.h"

#include "command/interpreter.h"
#include "dialogs/image_viewer.h"
#include "dialogs/jpeg_decoder.h"
#include "dialogs/small_body_dialogs.h"
#include "dialogs/today_dialog_fields.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/text_list.h"
#include "tests/dialogs/element_records.h"
#include "tests/dialogs/jpeg_writer.h"

#include <benchmark/benchmark.h>

#include <Xm/List.h>
#include <Xm/ScrollBar.h>
#include <Xm/ScrolledW.h>
#include <Xm/ToggleB.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

std::string Home()
{
    const char* home = std::getenv("UVOLA_TEST_HOME");
    return home != nullptr ? home : "/tmp";
}

void Pump()
{
    XSync(gAppEnv->display, False);
    XtAppContext app = XtWidgetToApplicationContext(gAppEnv->toplevel);
    while (XtAppPending(app) != 0) {
        XtAppProcessEvent(app, XtIMAll);
    }
}

void BM_TodayTextsWithEightComets(benchmark::State& state)
{
    Scene scene{};
    ResetScene(scene);
    AstroTimeFromDate(DateTime{2024, 3, 20, 22, 0, 0.0, 9.0}, ObserverLocation{35.68, 139.77, 40.0},
                      scene.time);
    for (int i = 0; i < 8; ++i) {
        OrbitalElements el{};
        ParseElementLine(el, elementtest::Record('C', "Comet" + std::to_string(i), "", false, 1 + i).c_str());
        AddComet(scene, el);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTodayTexts(scene));
    }
    FreeCometList(scene);
}
BENCHMARK(BM_TodayTextsWithEightComets)->Unit(benchmark::kMicrosecond);

// 20,000 minor planets; the dialog is built on the first Show and lists
// the file anew whenever it changed, which each iteration makes it do.
void UseMinorPlanets()
{
    static const bool written = [] {
        std::vector<std::string> lines;
        for (int i = 1; i <= 20000; ++i) {
            lines.push_back(elementtest::Record('M', "Planet" + std::to_string(i), std::to_string(i), false,
                                                1 + i % 28));
        }
        const std::string path = Home() + "/bench-mp.elm";
        FILE* file = std::fopen(path.c_str(), "wb");
        for (const std::string& line : lines) {
            std::fprintf(file, "%s\r\n", line.c_str());
        }
        std::fclose(file);
        std::snprintf(gAppEnv->mplanetFile, sizeof gAppEnv->mplanetFile, "%s", path.c_str());
        std::snprintf(gAppEnv->mplanetIndexFile, sizeof gAppEnv->mplanetIndexFile, "%s.dbm", path.c_str());
        BuildElementIndex(gAppEnv->mplanetFile, gAppEnv->mplanetIndexFile);
        return true;
    }();
    (void)written;
}

bool ReadyWithMinorPlanets(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no display");
        return false;
    }
    UseMinorPlanets();
    return true;
}

void BM_MinorPlanetDialogShowOn20000Lines(benchmark::State& state)
{
    if (!ReadyWithMinorPlanets(state)) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        // A new modification time: the Show lists the file again.
        utimensat(AT_FDCWD, gAppEnv->mplanetFile, nullptr, 0);
        state.ResumeTiming();
        ShowMPlanetDialog(&gBenchScene);
        Pump();
        state.PauseTiming();
        XtUnmanageChild(MPlanetDialogWidget());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MinorPlanetDialogShowOn20000Lines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MinorPlanetDialogOkWith1000Chosen(benchmark::State& state)
{
    if (!ReadyWithMinorPlanets(state)) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        FreeMinorPlanetList(gBenchScene);
        ShowMPlanetDialog(&gBenchScene);
        Widget list = XtNameToWidget(MPlanetDialogWidget(), "*MPlanetList");
        XtVaSetValues(list, XmNselectionPolicy, XmMULTIPLE_SELECT, nullptr);
        for (int i = 1; i <= 1000; ++i) {
            XmListSelectPos(list, i * 20, False);
        }
        XtVaSetValues(list, XmNselectionPolicy, XmEXTENDED_SELECT, nullptr);
        XtCallCallbacks(list, XmNextendedSelectionCallback, nullptr);
        Widget show = XtNameToWidget(MPlanetDialogWidget(), "*ToggleShow");
        XmToggleButtonSetState(show, True, True);
        Widget ok = XtNameToWidget(MPlanetDialogWidget(), "*ButtonOK");
        state.ResumeTiming();
        XtCallCallbacks(ok, XmNactivateCallback, nullptr);
        Pump();
    }
    state.counters["loaded"] = gBenchScene.mplanetCount;
}
BENCHMARK(BM_MinorPlanetDialogOkWith1000Chosen)->Unit(benchmark::kMillisecond)->Iterations(3);

const std::string& LargePicture()
{
    static const std::string path = [] {
        const std::string file = Home() + "/bench-large.jpg";
        jpegtest::WriteJpeg(file, jpegtest::StripePicture{4000, 3000, jpegtest::TestStripes()});
        return file;
    }();
    return path;
}

void BM_DecodeJpeg4000x3000(benchmark::State& state)
{
    const PixelLayout layout{4, 0xff0000, 0x00ff00, 0x0000ff, nullptr};
    for (auto _ : state) {
        FILE* file = std::fopen(LargePicture().c_str(), "rb");
        JpegPicture picture;
        DecodeJpegStream(file, layout, picture);
        std::fclose(file);
        FreeJpegPicture(picture);
    }
}
BENCHMARK(BM_DecodeJpeg4000x3000)->Unit(benchmark::kMillisecond);

// One step of a drag: the picture scrolled by 8 pixels and the strip it
// uncovers exposed and put; the floor is the server putting that strip.
void BM_ViewerExposeWhileDragging(benchmark::State& state)
{
    if (!OpenBenchCanvas()) {
        state.SkipWithError("no display");
        return;
    }
    std::snprintf(gAppEnv->clickImagePath, sizeof gAppEnv->clickImagePath, "%s/", Home().c_str());
    LargePicture();
    TextList* list = NewTextList();
    AddTextListItem(list, "bench-large.jpg", "Large");
    ShowImageDialog(nullptr, list);
    Pump();
    const ImageViewerParts parts = ImageViewerState();
    Widget bar = nullptr;
    XtVaGetValues(parts.area, XmNhorizontalScrollBar, &bar, nullptr);
    int direction = 8;
    double viewer = 0.0;
    for (auto _ : state) {
        int value = 0, slider = 0, increment = 0, page = 0, maximum = 0;
        XmScrollBarGetValues(bar, &value, &slider, &increment, &page);
        XtVaGetValues(bar, XmNmaximum, &maximum, nullptr);
        if (value + direction < 0 || value + direction > maximum - slider) {
            direction = -direction;
        }
        const auto start = std::chrono::steady_clock::now();
        ScrollBarScrollBy(bar, direction);
        Pump();
        viewer += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // The floor: the same 8 x 819 strip put by the server alone.
    GC gc = XCreateGC(gAppEnv->display, XtWindow(parts.image), 0, nullptr);
    const auto start = std::chrono::steady_clock::now();
    const int64_t rounds = state.iterations();
    for (int64_t i = 0; i < rounds; ++i) {
        XPutImage(gAppEnv->display, XtWindow(parts.image), gc, parts.picture, 0, 0, 0, 0, 8, 819);
        XSync(gAppEnv->display, False);
    }
    const double floor = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    XFreeGC(gAppEnv->display, gc);
    state.counters["ratio_to_floor"] = floor > 0.0 ? viewer / floor : 0.0;
    CloseImageDialog(nullptr, nullptr, nullptr);
}
BENCHMARK(BM_ViewerExposeWhileDragging)->Unit(benchmark::kMicrosecond);

}  // namespace
