#include "sky/layers/grid_layer.h"

#include "astro/astro_constants.h"
#include "astro/coordinates.h"
#include "astro/precession.h"
#include "astro/vector_math.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/font_sets.h"
#include "sky/label_text.h"
#include "sky/layers/compass_labels.h"
#include "sky/layers/grid_labels.h"
#include "sky/pens.h"
#include "sky/view/wrap_segments.h"

#include <array>
#include <cstring>

namespace {

constexpr int32_t kZenith = 16384;

// The scene's view and horizon matrices while a grid's frame is installed.
struct SavedFrame {
    FixedMatrix view;
    FixedMatrix horizon;
    double viewDouble[9];
    double horizonDouble[9];
};

void InstallFrame(Scene& scene, const double view[9], const double horizon[9], SavedFrame& save)
{
    ViewGeometry& g = scene.view;
    save.view = g.matrices[0];
    save.horizon = g.matrices[1];
    std::memcpy(save.viewDouble, g.matricesDouble[0], sizeof save.viewDouble);
    std::memcpy(save.horizonDouble, g.matricesDouble[1], sizeof save.horizonDouble);
    std::memcpy(g.matricesDouble[0], view, sizeof save.viewDouble);
    std::memcpy(g.matricesDouble[1], horizon, sizeof save.horizonDouble);
    FixedFromMatrix(g.matricesDouble[0], g.matrices[0]);
    FixedFromMatrix(g.matricesDouble[1], g.matrices[1]);
}

// Both matrices followed by the frame's rotation F (frame to J2000).
void InstallComposedFrame(Scene& scene, const double frame[9], SavedFrame& save)
{
    double view[9];
    double horizon[9];
    MatrixMultiply(scene.view.matricesDouble[0], frame, view);
    MatrixMultiply(scene.view.matricesDouble[1], frame, horizon);
    InstallFrame(scene, view, horizon, save);
}

void RestoreFrame(Scene& scene, const SavedFrame& save)
{
    ViewGeometry& g = scene.view;
    g.matrices[0] = save.view;
    g.matrices[1] = save.horizon;
    std::memcpy(g.matricesDouble[0], save.viewDouble, sizeof save.viewDouble);
    std::memcpy(g.matricesDouble[1], save.horizonDouble, sizeof save.horizonDouble);
}

uint8_t Flags(const Scene& scene, int index) { return scene.displayFlags[index]; }

XFontSet GridFontSet() { return GetFontSet(kFontGridNum); }

int TextEscapement(XFontSet fontSet, const char* text)
{
    return LabelTextWidth(fontSet, text, static_cast<int>(std::strlen(text)));
}

void DrawGridText(const Scene& scene, RedrawRecord& redraw, int x, int baseline, const char* text)
{
    FlushSegmentRun(redraw);
    redraw.gridLines.color = -1;
    XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorGridNumFont]);
    DrawLabelText(gAppEnv->display, redraw.drawable, GridFontSet(), scene.gc, x, baseline, text,
                  static_cast<int>(std::strlen(text)));
}

// A grid number centred over its point.
void DrawGridLabel(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int kind, int q, int i, int j,
                   const ProjectedPoint& at)
{
    char text[kGridLabelSize];
    if (GridFontSet() == nullptr || !GridLabelText(redraw.gridFormats, scene.viewMode, unit, kind, q, i, j, text, sizeof text)) {
        return;
    }
    DrawGridText(scene, redraw, at.x - TextEscapement(GridFontSet(), text) / 2, at.y - 2, text);
}

// Lines joining the point k/m of the way along one edge to the point k/m
// along the opposite edge, k = 1..m-1, interpolated on the screen.
void DrawGridSubdivisions(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& from0,
                          const ProjectedPoint& from1, const ProjectedPoint& to0, const ProjectedPoint& to1, int m,
                          int32_t color)
{
    for (int k = 1; k < m; ++k) {
        const ProjectedPoint a{from0.x + (from1.x - from0.x) * k / m, from0.y + (from1.y - from0.y) * k / m, 0, 0};
        const ProjectedPoint b{to0.x + (to1.x - to0.x) * k / m, to0.y + (to1.y - to0.y) * k / m, 0, 0};
        DrawGridSegment(scene, redraw, a, b, 1, color);
    }
}

// The finer lines of one grid cell. Corners: a = (i-1, j-1), b = (i, j-1),
// c = (i, j), d = (i-1, j); a-b and d-c are parallels, a-d and b-c meridians.
void DrawGridCell(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int style, int i,
                  const ProjectedPoint& a, const ProjectedPoint& b, const ProjectedPoint& c,
                  const ProjectedPoint& d, int32_t color)
{
    static constexpr std::array<int, 4> kParts{1, 2, 5, 10};          // by style: 5, 2, 1 degrees
    static constexpr std::array<int, 4> kMinuteParts{1, 1, 3, 6};     // by style: 10, 5 minutes
    const int parts = kParts[style];
    int meridianParts = parts;
    if (unit == kGridHours) {
        if (i % 2 != 0) {
            DrawGridSegment(scene, redraw, b, c, 1, color);   // the half-hour meridian
        }
        meridianParts = kMinuteParts[style];
    }
    DrawGridSubdivisions(scene, redraw, a, b, d, c, meridianParts, color);
    DrawGridSubdivisions(scene, redraw, a, d, b, c, parts, color);
}

void DrawPoleMarks(const Scene& scene, RedrawRecord& redraw, int32_t color)
{
    for (const auto& mark : GridPoleMarkTable) {
        ProjectedPoint a{};
        ProjectedPoint b{};
        if (ProjectPoint(scene, mark[0], a) && ProjectPoint(scene, mark[1], b)) {
            DrawGridSegment(scene, redraw, a, b, 0, color);
        }
    }
}

// One column of grid points: a meridian's nine latitudes.
struct GridColumn {
    std::array<ProjectedPoint, kGridLatitudeCount> point{};
    std::array<int, kGridLatitudeCount> visible{};
};

void DrawQuadrant(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int q, int style, int labelFlag,
                  int labelKind, int32_t color)
{
    const int steps = GridStepsPerQuadrant(unit);
    const int dashed = style == kGridNormal;
    GridColumn previous;
    for (int j = 0; j < kGridLatitudeCount; ++j) {
        previous.visible[j] = ProjectGridPoint(scene, q, 0, j, unit, previous.point[j]);
        if (j > 0 && previous.visible[j] && previous.visible[j - 1]) {
            DrawGridSegment(scene, redraw, previous.point[j - 1], previous.point[j], dashed, color);
        }
    }
    auto label = [&](int i, int j, const ProjectedPoint& at) {
        if (labelFlag) {
            DrawGridLabel(scene, redraw, unit, labelKind, q, i, j, at);
        }
    };
    for (int i = 1; i <= steps; ++i) {
        GridColumn current;
        for (int j = 0; j < kGridLatitudeCount; ++j) {
            current.visible[j] = ProjectGridPoint(scene, q, i, j, unit, current.point[j]);
            if (!current.visible[j]) {
                continue;
            }
            const ProjectedPoint& here = current.point[j];
            if (j > 0 && current.visible[j - 1] && (unit == kGridDegrees || i % 2 == 0)) {
                DrawGridSegment(scene, redraw, current.point[j - 1], here, dashed, color);
            }
            if (previous.visible[j]) {
                // The equator (or horizon) is always solid.
                DrawGridSegment(scene, redraw, previous.point[j], here, dashed && j != kGridEquatorIndex, color);
                label(i - 1, j, previous.point[j]);
                if (i == steps) {
                    label(i, j, here);
                }
            }
            if (j > 0 && style != kGridNormal && previous.visible[j - 1] && current.visible[j - 1]
                && previous.visible[j]) {
                DrawGridCell(scene, redraw, unit, style, i, previous.point[j - 1], current.point[j - 1], here,
                             previous.point[j], color);
            }
        }
        previous = current;
    }
}

void DrawFrameGridOrLine(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int gridOrLine, int style,
                         uint8_t gridNumberBit, uint8_t lineNumberBit, int32_t color)
{
    if (gridOrLine) {
        const int labelFlag = (Flags(scene, kFlagGridNumbers) & gridNumberBit) != 0;
        DrawCoordinateGrid(scene, redraw, unit, 8, style, labelFlag, kGridLabelGrid, color);
    } else {
        const int labelFlag = (Flags(scene, kFlagLineNumbers) & lineNumberBit) != 0;
        DrawGreatCircle(scene, redraw, unit, 4, labelFlag, color);
    }
}

// From the ecliptic of date to J2000: P(date) x RotationX(-obliquity).
void EclipticFrame(const Scene& scene, double frame[9])
{
    double precession[9];
    double tilt[9];
    PrecessionMatrix(scene.time.julianDay, kJ2000, precession);
    RotationX(-scene.time.obliquity, tilt);
    MatrixMultiply(precession, tilt, frame);
}

// From galactic coordinates to J2000.
void GalacticFrame(double frame[9])
{
    double a[9];
    double b[9];
    double c[9];
    RotationZ(-282.85, a);
    RotationX(-62.867, b);
    RotationZ(32.925, c);
    MatrixMultiply(a, b, frame);
    MatrixMultiply(frame, c, frame);
}

// From the site's horizontal frame to J2000.
void HorizontalFrame(const Scene& scene, double frame[9])
{
    double precession[9];
    double turn[9];
    double tilt[9];
    PrecessionMatrix(scene.time.julianDay, kJ2000, precession);
    RotationZ(-scene.time.localSiderealTime, turn);
    RotationY(scene.time.location.latitude - 90.0, tilt);
    MatrixMultiply(precession, turn, frame);
    MatrixMultiply(frame, tilt, frame);
}

using GridDrawer = void (*)(Scene&, RedrawRecord&, int, int, int32_t);

struct GridStep {
    int flagByte;
    uint8_t flagBit;
    GridDrawer draw;
    int what;
    int32_t color;
};

constexpr std::array<GridStep, 12> kGridSteps{{
    {kFlagHorizontalGrid, kHrzGridFlag, DrawHorizontalGrid, kHorizontalGridLines, kColorHorizontalGrid},
    {kFlagEquatorial, kEqtGrid2000Flag, DrawEquatorialGrid2000, 1, kColorEquatorialGrid},
    {kFlagEquatorial, kEqtGridDateFlag, DrawEquatorialGridDate, 1, kColorEquatorialGrid},
    {kFlagEquatorial, kEqtGrid1950Flag, DrawEquatorialGrid1950, 1, kColorEquatorialGrid},
    {kFlagOtherGrids, kEclGridFlag, DrawEclipticGrid, 1, kColorEclipticGrid},
    {kFlagOtherGrids, kGalGridFlag, DrawGalacticGrid, 1, kColorGalacticGrid},
    {kFlagHorizontalGrid, kMeridianFlag, DrawHorizontalGrid, kMeridianLinePart, kColorMeridianLine},
    {kFlagEquatorial, kEqt2000Flag, DrawEquatorialGrid2000, 0, kColorEquatorialLine},
    {kFlagEquatorial, kEqtDateFlag, DrawEquatorialGridDate, 0, kColorEquatorialLine},
    {kFlagEquatorial, kEqt1950Flag, DrawEquatorialGrid1950, 0, kColorEquatorialLine},
    {kFlagOtherGrids, kEclFlag, DrawEclipticGrid, 0, kColorEclipticLine},
    {kFlagOtherGrids, kGalFlag, DrawGalacticGrid, 0, kColorGalacticLine},
}};

}  // namespace

void DrawGridSegment(const Scene& scene, RedrawRecord& redraw, const ProjectedPoint& a, const ProjectedPoint& b,
                     int dashed, int32_t color)
{
    GridLineStyle& style = redraw.gridLines;
    if (!style.gathering || style.color != color || style.dashed != dashed) {
        FlushSegmentRun(redraw);
        if (dashed)
            UseDashedPen(scene, gAppEnv->pixels[color]);
        else
            UseSolidPen(scene, gAppEnv->pixels[color]);
        style.color = color;
        style.dashed = dashed;
    }
    DrawProjectedSegment(scene, redraw, a, b);
}

void DrawCoordinateGrid(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int quadrantCount, int style,
                        int labelFlag, int labelKind, int32_t color)
{
    // The whole-sky maps are too coarse for subdivisions.
    if (IsWholeSkyMap(scene.viewMode)) {
        style = kGridNormal;
    }
    for (int q = 0; q < quadrantCount; ++q) {
        DrawQuadrant(scene, redraw, unit, q, style & kGridStyleMask, labelFlag, labelKind, color);
    }
    DrawPoleMarks(scene, redraw, color);
}

void DrawGreatCircle(const Scene& scene, RedrawRecord& redraw, GridUnit unit, int quadrantCount, int labelFlag,
                     int32_t color)
{
    const int steps = GridStepsPerQuadrant(unit);
    for (int q = 0; q < quadrantCount; ++q) {
        ProjectedPoint previous{};
        int previousVisible = 0;
        for (int i = 0; i <= steps; ++i) {
            ProjectedPoint here{};
            const int visible = ProjectGridPoint(scene, q, i, kGridEquatorIndex, unit, here);
            if (visible && previousVisible) {
                DrawGridSegment(scene, redraw, previous, here, 0, color);
            }
            if (visible && labelFlag) {
                DrawGridLabel(scene, redraw, unit, kGridLabelLine, q, i, kGridEquatorIndex, here);
            }
            previous = here;
            previousVisible = visible;
        }
    }
}

void DrawMeridianLine(const Scene& scene, RedrawRecord& redraw, int labelFlag, int32_t color)
{
    // South horizon point up to 80 degrees, the zenith, then down the north side.
    struct MeridianPoint {
        FixedVector v;
        int32_t altitude;   // 0: no label
    };
    std::array<MeridianPoint, 2 * kGridLatitudeCount + 1> points{};
    int n = 0;
    for (int j = kGridEquatorIndex; j >= 0; --j) {
        GridTransformQuadrant(0, 0, j, kGridHours, points[n].v);
        points[n++].altitude = GridLatitudeOfBand(0, j);
    }
    points[n++] = MeridianPoint{FixedVector{0, 0, kZenith}, 90};
    for (int j = 0; j <= kGridEquatorIndex; ++j) {
        GridTransformQuadrant(1, 0, j, kGridHours, points[n].v);
        points[n++].altitude = GridLatitudeOfBand(1, j);
    }
    ProjectedPoint previous{};
    int previousVisible = 0;
    for (const MeridianPoint& point : points) {
        ProjectedPoint here{};
        const int visible = ProjectPoint(scene, point.v, here);
        if (visible && previousVisible) {
            DrawGridSegment(scene, redraw, previous, here, 0, color);
        }
        if (visible && labelFlag && point.altitude != 0 && GridFontSet() != nullptr) {
            char text[kGridLabelSize];
            MeridianAltitudeText(redraw.gridFormats, point.altitude, text, sizeof text);
            DrawGridText(scene, redraw, here.x - TextEscapement(GridFontSet(), text), here.y - 2, text);
        }
        previous = here;
        previousVisible = visible;
    }
}

void DrawHorizontalGrid(Scene& scene, RedrawRecord& redraw, int what, int style, int32_t color)
{
    static constexpr double kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    double view[9];
    if (ViewFrameOf(scene.viewMode) == kFrameHrz) {
        std::memcpy(view, scene.view.matricesDouble[2], sizeof view);
    } else {
        double frame[9];
        HorizontalFrame(scene, frame);
        MatrixMultiply(scene.view.matricesDouble[0], frame, view);
    }
    // The horizon cull then tests each point's own altitude.
    SavedFrame save{};
    InstallFrame(scene, view, kIdentity, save);
    if (what == kHorizontalGridLines) {
        const int labelFlag = (Flags(scene, kFlagGridNumbers) & kHrzGridNumFlag) != 0;
        DrawCoordinateGrid(scene, redraw, kGridDegrees, 4, style, labelFlag, kGridLabelHorizontal, color);
    } else if (what == kHorizonDirectionLabels) {
        if (scene.viewMode == kModeHrz) {
            DrawHorizonDirections(scene, redraw.drawable, scene.view.matrices[2]);
        }
    } else if (what == kMeridianLinePart) {
        DrawMeridianLine(scene, redraw, (Flags(scene, kFlagLineNumbers) & kMrdNumFlag) != 0, color);
    }
    RestoreFrame(scene, save);
}

void DrawEquatorialGrid2000(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color)
{
    DrawFrameGridOrLine(scene, redraw, kGridHours, gridOrLine, style, kEqtGrid2000NumFlag, kEqt2000NumFlag,
                        color);
}

void DrawPrecessedEquatorialGrid(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style,
                                 const double frame[9], int which, int32_t color)
{
    SavedFrame save{};
    InstallComposedFrame(scene, frame, save);
    if (which == 0) {
        DrawFrameGridOrLine(scene, redraw, kGridHours, gridOrLine, style, kEqtGridDateNumFlag, kEqtDateNumFlag,
                            color);
    } else {
        DrawFrameGridOrLine(scene, redraw, kGridHours, gridOrLine, style, kEqtGrid1950NumFlag, kEqt1950NumFlag,
                            color);
    }
    RestoreFrame(scene, save);
}

void DrawEquatorialGridDate(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color)
{
    double frame[9];
    PrecessionMatrix(scene.time.julianDay, kJ2000, frame);
    DrawPrecessedEquatorialGrid(scene, redraw, gridOrLine, style, frame, 0, color);
}

void DrawEquatorialGrid1950(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color)
{
    double frame[9];
    PrecessionMatrix(kB1950, kJ2000, frame);
    DrawPrecessedEquatorialGrid(scene, redraw, gridOrLine, style, frame, 1, color);
}

void DrawEclipticGrid(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color)
{
    double frame[9];
    EclipticFrame(scene, frame);
    SavedFrame save{};
    InstallComposedFrame(scene, frame, save);
    DrawFrameGridOrLine(scene, redraw, kGridDegrees, gridOrLine, style, kEclGridNumFlag, kEclNumFlag, color);
    RestoreFrame(scene, save);
}

void DrawGalacticGrid(Scene& scene, RedrawRecord& redraw, int gridOrLine, int style, int32_t color)
{
    double frame[9];
    GalacticFrame(frame);
    SavedFrame save{};
    InstallComposedFrame(scene, frame, save);
    DrawFrameGridOrLine(scene, redraw, kGridDegrees, gridOrLine, style, kGalGridNumFlag, kGalNumFlag, color);
    RestoreFrame(scene, save);
}

void DrawGrids(Scene& scene, RedrawRecord& redraw)
{
    redraw.wrap = SetWrapMode(scene);
    const int style = Flags(scene, kFlagGridNumbers) & kGridStyleMask;
    {
        // The lines of one colour and dash go out together; only the grid
        // numbers change the GC between them.
        const SegmentRun run(scene, redraw);
        redraw.gridLines.gathering = true;
        redraw.gridLines.color = -1;
        for (const GridStep& step : kGridSteps) {
            if ((Flags(scene, step.flagByte) & step.flagBit) != 0) {
                step.draw(scene, redraw, step.what, style, step.color);
            }
        }
        redraw.gridLines.gathering = false;
    }
    XSetLineAttributes(gAppEnv->display, scene.gc, static_cast<unsigned int>(gAppEnv->lineWidth), LineSolid,
                       CapButt, JoinMiter);
}
