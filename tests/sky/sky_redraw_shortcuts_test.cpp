// The redraw's short cuts past the X server change nothing a person sees:
// charts saved with GSAVE are the same byte for byte whether the stars'
// points and the lines go out gathered per colour and the sky's colours are
// kept or worked out from the masks, or each point and line goes out at once
// and every colour is asked of the server. The gathering is seen to happen
// in the requests sent; and no copy leaves an exposure event behind. The
// program runs on a 24-bit TrueColor server and again on an 8-bit
// PseudoColor one.
#include "tests/sky/sky_canvas_fixture.h"

#include "command/interpreter.h"
#include "sky/redraw_shortcuts.h"
#include "tests/harness/x_request_log.h"

#include <X11/Xproto.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace canvastest;

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 720;

// Every layer the built-in data can draw, its labels and grids included.
constexpr char kEveryLayer[] =
    "SHOW STAR, STARNAME, BAYER, FLAMSTEED, STAR_MAG, MILKYWAY, NEBULA, NEBULA_NAME, NEBULA_MAG, CONS_NAME1;"
    "SHOW CONS_NAME2, CONS_LINE, CONS_LIMIT, HRZ_GRID, DIR, MERIDIAN, HRZ_GRID_NUM, EQT_GRID_2000_NUM, "
    "EQT_GRID_2000, EQT_2000;"
    "SHOW ECL_GRID, ECL, GAL_GRID, GAL, MRD_NUM, EQT_2000_NUM, ECL_NUM, GAL_NUM, ECL_GRID_NUM, GAL_GRID_NUM;"
    "SHOW PLANET, PLANET_NAME, PLANET_MAG, MOON, MOON_NAME, SUN, SUN_NAME, JMOON, JMOON_NAME, LANDSCAPE;"
    "GRID MODE3; MAG STAR 6.5; MAG STARNAME 3";

struct Chart {
    const char* name;
    const char* commands;   // on a fresh scene, at night in Tokyo
};

const Chart kCharts[] = {
    {"default chart", "MODE HRZ"},
    {"default chart by day", "MODE HRZ; DATE 2024,3,20,12,0,0,9"},
    {"every layer HRZ", "MODE HRZ"},
    {"every layer EQT", "MODE EQT; VIEW CENTER CONS Ori"},
    {"every layer ALL2", "MODE ALL2_EQT"},
    {"every layer VOLA", "MODE VOLA"},
    {"all nebulae ALL2", "MODE ALL2_EQT; SHOW NEBULA, NEBULA_NAME; MAG NEBULALIMIT 0"},
    // Every star labelled, where symbols drawn later cover earlier labels.
    {"labelled stars", "MODE EQT; VIEW CENTER CONS Sco; SHOW STARNAME, BAYER, FLAMSTEED, STAR_MAG; "
                       "MAG STAR 6.5; MAG STARNAME 6.5"},
};

bool WantsEveryLayer(const Chart& chart) { return std::string(chart.name).find("every layer") == 0; }

class ShortcutCharts : public ::testing::Test {
protected:
    void SetUp() override
    {
        World();
        ResizeArea(kWidth, kHeight);
        NightScene();
    }

    void TearDown() override { gRedrawShortcuts = kShortcutsOn; }

    // A fresh scene: Tokyo, late on a spring evening.
    void NightScene()
    {
        PrepareScene(scene);
        gAppEnv->quiet = 1;
        Run("LOCATE 139.77E,35.68N,9,40,Tokyo; DATE 2024,3,20,22,0,0,9");
    }

    // Runs each statement alone, so that a refused one shows.
    void Run(const std::string& text)
    {
        std::stringstream statements(text);
        for (std::string statement; std::getline(statements, statement, ';');) {
            StkExecuteText(scene, statement.c_str());
            ASSERT_STREQ(gAppEnv->errorKey, "") << statement;
        }
        XSync(gAppEnv->display, False);
    }

    void SetChart(const Chart& chart)
    {
        if (WantsEveryLayer(chart)) {
            Run(kEveryLayer);
        }
        Run(chart.commands);
    }

    // The chart drawn and saved, with the short cuts on or off; the
    // requests of the redraw are kept.
    std::string Saved(bool shortcuts, std::vector<uint8_t>& requests)
    {
        gRedrawShortcuts = shortcuts ? kShortcutsOn : RedrawShortcuts{1, 0};
        StartXRequestLog(gAppEnv->display);
        StkExecuteText(scene, "DRIVE");
        requests = StopXRequestLog(gAppEnv->display);
        EXPECT_STREQ(gAppEnv->errorKey, "");
        const std::string path = std::string(std::getenv("UVOLA_TEST_HOME")) + "/chart.xpm";
        Run("GSAVE " + path);
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    Scene scene{};
    const RedrawShortcuts kShortcutsOn = gRedrawShortcuts;
};

TEST_F(ShortcutCharts, ChartsAreTheSameByteForByte)
{
    for (const Chart& chart : kCharts) {
        SCOPED_TRACE(chart.name);
        SetChart(chart);
        std::vector<uint8_t> plain;
        std::vector<uint8_t> gathered;
        const std::string without = Saved(false, plain);
        const std::string with = Saved(true, gathered);
        ASSERT_GT(without.size(), 1000u);
        EXPECT_TRUE(without == with) << "the chart differs with the short cuts on";
        // The short cuts were taken: fewer point and line requests, and on
        // a TrueColor screen no colour asked for.
        EXPECT_LE(CountXRequests(gathered, X_PolyPoint), CountXRequests(plain, X_PolyPoint));
        EXPECT_EQ(CountXRequests(gathered, X_AllocColor), 0);
        if (!gAppEnv->writableColorCells) {
            EXPECT_EQ(CountXRequests(plain, X_AllocColor), kRampCellCount);
        }
        NightScene();
    }
}

// The star points of the dense chart go out a colour at a time, not a star
// at a time, and a frame's lines in a few calls.
TEST_F(ShortcutCharts, StarPointsGoOutPerColour)
{
    Run("MODE EQT; VIEW CENTER CONS Ori; MAG STAR 6.5; DRIVE");
    std::vector<uint8_t> plain;
    std::vector<uint8_t> gathered;
    Saved(false, plain);
    Saved(true, gathered);
    const int perStar = CountXRequests(plain, X_PolyPoint);
    const int perColour = CountXRequests(gathered, X_PolyPoint);
    EXPECT_GT(perStar, 500);
    EXPECT_LE(perColour, kPaletteSize) << perStar << " requests star by star";
}

// A request per point or line would show here as a request per item; the
// frame also holds no request that waits for a reply. The first redraw in a
// new mode lays out its scroll bars and makes a pixmap of the new size, which
// waits once to learn whether the server gave it; the frame measured is the
// next one.
TEST_F(ShortcutCharts, RedrawWaitsForNoReply)
{
    Run(kEveryLayer);
    Run("MODE HRZ");
    Run("DRIVE");
    std::vector<uint8_t> requests;
    Saved(true, requests);
    for (const XRequestView& request : SplitXRequests(requests)) {
        EXPECT_TRUE(request.opcode != X_AllocColor && request.opcode != X_QueryColors &&
                    request.opcode != X_GetGeometry && request.opcode != X_GetInputFocus &&
                    request.opcode != X_QueryTextExtents)
            << "opcode " << int{request.opcode};
    }
}

// Fifty redraws, each ORing every nebula's symbol in and copying the chart
// to the window, leave no NoExpose or GraphicsExpose event to be read.
TEST_F(ShortcutCharts, NoExposureEventsAfterFiftyRedraws)
{
    Run("MODE ALL2_EQT; SHOW NEBULA; MAG NEBULALIMIT 0");
    Display* display = gAppEnv->display;
    XEvent event;
    while (XCheckTypedEvent(display, NoExpose, &event) || XCheckTypedEvent(display, GraphicsExpose, &event)) {
    }
    for (int i = 0; i < 50; ++i) {
        Run("DRIVE");
    }
    XSync(display, False);
    int left = 0;
    while (XCheckTypedEvent(display, NoExpose, &event) || XCheckTypedEvent(display, GraphicsExpose, &event)) {
        ++left;
    }
    EXPECT_EQ(left, 0);
}

}  // namespace
