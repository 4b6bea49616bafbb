#include "redraw_floor.h"

#include "tests/harness/x_request_log.h"

#include <X11/Xproto.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace {

constexpr int kGcFields = 23;   // GCFunction .. GCArcMode
constexpr int kGcFieldLineStyle = 5;
constexpr int kGcFieldFillStyle = 8;
constexpr int kDrawingFields = 9;   // function .. fill style: what a point or a thin line depends on
// Points and segments per request of the floor: well inside Xlib's buffer.
constexpr size_t kPointsPerRequest = 4000;
constexpr size_t kSegmentsPerRequest = 2000;

using Fields = std::array<uint32_t, kGcFields>;

// What the frame has set on a GC (logical) and what the floor has sent so
// far (emitted); a bit of `known` says a field's value is known.
struct GcRecord {
    Fields logical{};
    uint32_t logicalKnown = 0;
    Fields emitted{};
    uint32_t emittedKnown = 0;
};

enum class BatchKind { kPoints, kSegments };

struct Batch {
    BatchKind kind;
    uint32_t drawable;
    uint32_t gc;
    std::array<uint32_t, kDrawingFields> state;
    std::vector<int16_t> coordinates;   // x, y pairs; a segment is two pairs
};

uint32_t Word(const uint8_t* bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

int16_t Half(const uint8_t* bytes)
{
    int16_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void PutWord(std::vector<uint8_t>& out, uint32_t value)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    out.insert(out.end(), bytes, bytes + 4);
}

void PutHeader(std::vector<uint8_t>& out, uint8_t opcode, uint8_t data, size_t words)
{
    out.push_back(opcode);
    out.push_back(data);
    const auto length = static_cast<uint16_t>(words);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&length);
    out.insert(out.end(), bytes, bytes + 2);
}

// The fields of Xlib's copy of a GC that it can tell (not the clip mask or
// the dash list, nor a font, tile or stipple never set).
GcRecord RecordOfExistingGc(Display* display, GC gc)
{
    constexpr unsigned long kReadable = GCFunction | GCPlaneMask | GCForeground | GCBackground | GCLineWidth |
                                        GCLineStyle | GCCapStyle | GCJoinStyle | GCFillStyle | GCFillRule |
                                        GCTile | GCStipple | GCTileStipXOrigin | GCTileStipYOrigin | GCFont |
                                        GCSubwindowMode | GCGraphicsExposures | GCClipXOrigin |
                                        GCClipYOrigin | GCDashOffset | GCArcMode;
    XGCValues v{};
    XGetGCValues(display, gc, kReadable, &v);
    const Fields values = {static_cast<uint32_t>(v.function),   static_cast<uint32_t>(v.plane_mask),
                           static_cast<uint32_t>(v.foreground), static_cast<uint32_t>(v.background),
                           static_cast<uint32_t>(v.line_width), static_cast<uint32_t>(v.line_style),
                           static_cast<uint32_t>(v.cap_style),  static_cast<uint32_t>(v.join_style),
                           static_cast<uint32_t>(v.fill_style), static_cast<uint32_t>(v.fill_rule),
                           static_cast<uint32_t>(v.tile),       static_cast<uint32_t>(v.stipple),
                           static_cast<uint32_t>(v.ts_x_origin), static_cast<uint32_t>(v.ts_y_origin),
                           static_cast<uint32_t>(v.font),       static_cast<uint32_t>(v.subwindow_mode),
                           static_cast<uint32_t>(v.graphics_exposures), static_cast<uint32_t>(v.clip_x_origin),
                           static_cast<uint32_t>(v.clip_y_origin), 0, static_cast<uint32_t>(v.dash_offset),
                           0, static_cast<uint32_t>(v.arc_mode)};
    GcRecord record;
    record.logical = values;
    record.emitted = values;
    uint32_t known = kReadable;
    for (const int field : {10, 11, 14}) {   // never set: Xlib holds ~0
        if (values[field] == 0xFFFFFFFFu || values[field] == 0) {
            known &= ~(1u << field);
        }
    }
    record.logicalKnown = known;
    record.emittedKnown = known;
    return record;
}

// Takes a GC value list into the logical state.
void TakeValues(GcRecord& record, uint32_t mask, const uint8_t* values)
{
    for (int field = 0; field < kGcFields; ++field) {
        if (mask & (1u << field)) {
            record.logical[field] = Word(values);
            record.logicalKnown |= 1u << field;
            values += 4;
        }
    }
}

class FloorBuilder {
public:
    FloorBuilder(Display* display, const std::vector<GC>& gcs)
    {
        for (GC gc : gcs) {
            gcs_[static_cast<uint32_t>(XGContextFromGC(gc))] = RecordOfExistingGc(display, gc);
        }
    }

    void Take(const XRequestView& request)
    {
        const uint8_t* b = request.bytes;
        switch (request.opcode) {
        case X_ChangeGC:
            TakeValues(gcs_[Word(b + 4)], Word(b + 8), b + 12);
            return;
        case X_CreateGC:
            CreateGc(request);
            return;
        case X_FreeGC:
            EmitBatchesOf(Word(b + 4));
            gcs_.erase(Word(b + 4));
            Raw(request);
            return;
        case X_FreePixmap:
            EmitBatchesOf(Word(b + 4));
            Raw(request);
            return;
        case X_PolyPoint:
        case X_PolyLine:
        case X_PolySegment:
            if (!Gather(request)) {
                UseGc(Word(b + 8));
                Raw(request);
            }
            return;
        case X_CopyArea:
        case X_CopyPlane:
            UseGc(Word(b + 12));
            Raw(request);
            return;
        case X_SetDashes:
        case X_SetClipRectangles:
        case X_CopyGC:
            UseGc(Word(b + 4));
            Raw(request);
            return;
        default:
            if (UsesGcAtEight(request.opcode)) {
                UseGc(Word(b + 8));
                Raw(request);
            } else if (HasNoReply(request.opcode)) {
                Raw(request);
            }
            return;
        }
    }

    std::vector<uint8_t> Finish()
    {
        std::map<uint32_t, Fields> endState;
        std::map<uint32_t, uint32_t> endKnown;
        for (const auto& [id, record] : gcs_) {
            endState[id] = record.logical;
            endKnown[id] = record.logicalKnown;
        }
        EmitBatchesOf(0);
        // The GCs as the frame left them, as the program's Xlib believes.
        for (auto& [id, record] : gcs_) {
            record.logical = endState[id];
            record.logicalKnown = endKnown[id];
            UseGc(id);
        }
        return std::move(out_);
    }

private:
    static bool UsesGcAtEight(uint8_t opcode)
    {
        return (opcode >= X_PolyRectangle && opcode <= X_PutImage) ||
               (opcode >= X_PolyText8 && opcode <= X_ImageText16);
    }

    // Requests that never wait for a reply and that a frame may hold.
    static bool HasNoReply(uint8_t opcode)
    {
        return opcode == X_OpenFont || opcode == X_CloseFont || opcode == X_CreatePixmap ||
               opcode == X_FreePixmap || opcode == X_ClearArea || opcode == X_FreeColors ||
               opcode == X_StoreColors || opcode == X_StoreNamedColor;
    }

    void Raw(const XRequestView& request) { out_.insert(out_.end(), request.bytes, request.bytes + request.size); }

    void CreateGc(const XRequestView& request)
    {
        GcRecord record;
        // The protocol's defaults, then the request's own values.
        record.logical = {GXcopy, 0xFFFFFFFFu, 0, 1, 0, LineSolid, CapButt, JoinMiter, FillSolid, EvenOddRule,
                          0,      0,           0, 0, 0, ClipByChildren, 1, 0, 0, 0, 0, 4, ArcPieSlice};
        record.logicalKnown = ~((1u << 10) | (1u << 11) | (1u << 14) | (1u << 21));
        TakeValues(record, Word(request.bytes + 12), request.bytes + 16);
        record.emitted = record.logical;
        record.emittedKnown = record.logicalKnown;
        gcs_[Word(request.bytes + 4)] = record;
        Raw(request);
    }

    // Sends what the frame has changed on a GC since the floor last sent it.
    void UseGc(uint32_t gc)
    {
        GcRecord& record = gcs_[gc];
        uint32_t mask = 0;
        std::vector<uint32_t> values;
        for (int field = 0; field < kGcFields; ++field) {
            const uint32_t bit = 1u << field;
            if ((record.logicalKnown & bit) &&
                (!(record.emittedKnown & bit) || record.emitted[field] != record.logical[field])) {
                mask |= bit;
                values.push_back(record.logical[field]);
                record.emitted[field] = record.logical[field];
                record.emittedKnown |= bit;
            }
        }
        if (mask == 0) {
            return;
        }
        PutHeader(out_, X_ChangeGC, 0, 3 + values.size());
        PutWord(out_, gc);
        PutWord(out_, mask);
        for (uint32_t value : values) {
            PutWord(out_, value);
        }
    }

    // Adds a point or solid line request to its colour's batch; false when
    // it must be sent as it is.
    bool Gather(const XRequestView& request)
    {
        const uint8_t* b = request.bytes;
        const auto found = gcs_.find(Word(b + 8));
        if (found == gcs_.end()) {
            return false;
        }
        const GcRecord& record = found->second;
        constexpr uint32_t kDrawingMask = (1u << kDrawingFields) - 1;
        if ((record.logicalKnown & kDrawingMask) != kDrawingMask || record.logical[kGcFieldLineStyle] != LineSolid ||
            record.logical[kGcFieldFillStyle] != FillSolid) {
            return false;
        }
        std::array<uint32_t, kDrawingFields> state{};
        std::copy(record.logical.begin(), record.logical.begin() + kDrawingFields, state.begin());
        const BatchKind kind = request.opcode == X_PolyPoint ? BatchKind::kPoints : BatchKind::kSegments;
        Batch& batch = BatchFor(kind, Word(b + 4), Word(b + 8), state);
        const size_t pairs = (request.size - 12) / 4;
        const bool relative = request.opcode != X_PolySegment && b[1] == CoordModePrevious;
        int16_t x = 0;
        int16_t y = 0;
        for (size_t i = 0; i < pairs; ++i) {
            const int16_t px = Half(b + 12 + 4 * i);
            const int16_t py = Half(b + 14 + 4 * i);
            const int16_t lastX = x;
            const int16_t lastY = y;
            x = relative && i > 0 ? static_cast<int16_t>(x + px) : px;
            y = relative && i > 0 ? static_cast<int16_t>(y + py) : py;
            if (request.opcode == X_PolyLine) {
                if (i > 0) {
                    batch.coordinates.insert(batch.coordinates.end(), {lastX, lastY, x, y});
                }
            } else {
                batch.coordinates.insert(batch.coordinates.end(), {x, y});
            }
        }
        return true;
    }

    Batch& BatchFor(BatchKind kind, uint32_t drawable, uint32_t gc, const std::array<uint32_t, kDrawingFields>& state)
    {
        for (Batch& batch : batches_) {
            if (batch.kind == kind && batch.drawable == drawable && batch.gc == gc && batch.state == state) {
                return batch;
            }
        }
        batches_.push_back(Batch{kind, drawable, gc, state, {}});
        return batches_.back();
    }

    // Sends the batches drawn with a GC or into a drawable that is about to
    // go, or every batch for 0, each with its GC set as it was drawn with.
    void EmitBatchesOf(uint32_t resource)
    {
        std::vector<Batch> kept;
        for (Batch& batch : batches_) {
            if (resource != 0 && batch.gc != resource && batch.drawable != resource) {
                kept.push_back(std::move(batch));
                continue;
            }
            GcRecord& record = gcs_[batch.gc];
            const Fields saved = record.logical;
            std::copy(batch.state.begin(), batch.state.end(), record.logical.begin());
            UseGc(batch.gc);
            EmitBatch(batch);
            record.logical = saved;
        }
        batches_ = std::move(kept);
    }

    void EmitBatch(const Batch& batch)
    {
        const bool points = batch.kind == BatchKind::kPoints;
        const size_t perItem = points ? 2 : 4;
        const size_t perRequest = (points ? kPointsPerRequest : kSegmentsPerRequest) * perItem;
        for (size_t at = 0; at < batch.coordinates.size(); at += perRequest) {
            const size_t count = std::min(perRequest, batch.coordinates.size() - at);
            PutHeader(out_, points ? X_PolyPoint : X_PolySegment, CoordModeOrigin, 3 + count / 2);
            PutWord(out_, batch.drawable);
            PutWord(out_, batch.gc);
            const auto* bytes = reinterpret_cast<const uint8_t*>(batch.coordinates.data() + at);
            out_.insert(out_.end(), bytes, bytes + count * sizeof(int16_t));
        }
    }

    std::map<uint32_t, GcRecord> gcs_;
    std::vector<Batch> batches_;
    std::vector<uint8_t> out_;
};

}  // namespace

std::vector<uint8_t> FloorRequests(Display* display, const std::vector<uint8_t>& frame, const std::vector<GC>& gcs)
{
    FloorBuilder builder(display, gcs);
    for (const XRequestView& request : SplitXRequests(frame)) {
        builder.Take(request);
    }
    return builder.Finish();
}
