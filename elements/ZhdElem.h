#pragma once

// TZhdElem: the interface of the seven drawing element kinds, and the part
// they share: the attribute record (stored in the drawing file), the marks
// (never stored) and the element's number in its list.
//
// Element lists hold elements through shared pointers and reach every kind
// through this interface. Elements hold no pointer to their document: every
// operation that depends on the drawing (its file version above all) takes the
// document as an argument.
//
// Marks: bit 1 instruction element of the external-command text form, bit 2
// selected, bit 3 marked by the last selection (set and cleared with bit 2).
//
// An element is copied through its archive body: written into a stream and
// read back with the same document. A copy thus carries the attribute record
// and the class fields exactly as a drawing file would, but neither the marks
// nor the number; through a document of version 350 or lower the pen width
// does not survive (that record has no room for it).

#include "core/Angle.h"
#include "core/BPoint.h"
#include "core/ShapeInfo.h"
#include "core/TextUtil.h"
#include "document/Forward.h"
#include "document/Status.h"
#include "elements/Forward.h"

#include <cstdint>
#include <string>
#include <vector>

class TCanvas;
class TStream;

class TZhdElem {
public:
    // Type codes.
    static constexpr int LineCode = 1;
    static constexpr int CircleCode = 2;
    static constexpr int PointCode = 3;
    static constexpr int MojiCode = 4;
    static constexpr int SunpouCode = 5;
    static constexpr int SolidCode = 6;
    static constexpr int BlockCode = 7;

    // Mark bits.
    static constexpr int InstructionMark = 1;
    static constexpr int SelectedMark = 2;
    static constexpr int LastHitMark = 3;

    virtual ~TZhdElem() = default;

    TStatus GetStatus() const { return status_; }
    TStatus& GetStatusPtr() { return status_; }
    const TStatus& GetStatusPtr() const { return status_; }
    TStatus SetStatus(TStatus status) { return status_ = status; }
    TBitFlg GetElemFlg() const { return marks_; }
    TBitFlg& GetElemFlgPtr() { return marks_; }
    TBitFlg SetElemFlg(TBitFlg marks) { return marks_ = marks; }
    int GetNumber() const { return number_; }
    int SetNumber(int number) { return number_ = number; }
    TZhdElem& AsElem() { return *this; }
    // Attribute record, marks and number.
    TZhdElem& AssignElem(const TZhdElem& other);
    TZhdElem& SetElem(TStatus status, TBitFlg marks, int number);

    std::uint32_t GetPlGroup() const { return status_.GetPlGroup(); }
    std::uint32_t SetPlGroup(std::uint32_t value) { return status_.SetPlGroup(value); }
    std::uint8_t GetPenStyle() const { return status_.GetPenStyle(); }
    std::uint8_t SetPenStyle(std::uint8_t value) { return status_.SetPenStyle(value); }
    std::uint16_t GetPenColor() const { return status_.GetPenColor(); }
    std::uint16_t SetPenColor(std::uint16_t value) { return status_.SetPenColor(value); }
    std::uint16_t GetPenWidth() const { return status_.GetPenWidth(); }
    std::uint16_t SetPenWidth(std::uint16_t value) { return status_.SetPenWidth(value); }
    std::uint16_t GetLayer() const { return status_.GetLayer(); }
    std::uint16_t SetLayer(std::uint16_t value) { return status_.SetLayer(value); }
    std::uint16_t GetGLayer() const { return status_.GetGLayer(); }
    std::uint16_t SetGLayer(std::uint16_t value) { return status_.SetGLayer(value); }
    std::uint16_t GetGroupLayerCode() const { return status_.GetGroupLayerCode(); }
    TBitFlg GetStatusFlg() const { return status_.GetFlg(); }
    TBitFlg SetStatusFlg(TBitFlg flags) { return status_.SetFlg(flags); }

    // The seven classes are final: the type code names the exact class, and
    // the kind table (elements/ElemKind.h) gives the rest.
    virtual int GetTypeCode() const = 0;
    // "線", "円", ... as the kind is called in the program's texts.
    std::string GetTypeName() const;
    // The type name, except that a line adds the document's version.
    virtual std::string GetDisplayName(const TZhdData& document) const;
    // The class tag under which the element list stores the element.
    std::string GetArchiveClassName() const;

    // The archive body: the attribute record at the document's version, then
    // the class's own fields. A field the stream cannot deliver keeps its
    // value; the caller reads the stream's ran-short flag.
    virtual void ReadBody(TStream& stream, const TZhdData& document) = 0;
    virtual void WriteBody(TStream& stream, const TZhdData& document) const = 0;
    // The bytes WriteBody writes.
    virtual int GetBodySize(const TZhdData& document) const = 0;

    // The searchable texts: empty except for texts and dimensions.
    virtual std::string GetText(int index) const;

    // --- External-command text form (elements/*TextRecord.cpp, the common
    // frame in elements/TextRecordFrame.h). ---
    // Reads the element from its record at the document's line index, in the
    // document's running state GStatus; a dimension reads on over its block
    // and leaves the index on the last line it read.
    virtual void ReadTextRecord(const StringList& lines, TZhdData& document) = 0;
    // Appends the element's lines: attribute changes against GStatus, curve
    // group and flag lines, and the record.
    virtual void WriteTextRecord(StringList& lines, TZhdData& document) const = 0;

    // This element takes the other's attribute record and class fields
    // through its body; the scratch stream is rewound, not truncated. The
    // other element must be of this element's class.
    void CopyFromUsingStream(const TZhdElem& other, const TZhdData& document, TStream& scratch);
    void CopyFromSharedUsingStream(const TZhdElemPtr& other, const TZhdData& document, TStream& scratch);
    void CopyFrom(const TZhdElem& other, const TZhdData& document);
    void CopyFromShared(const TZhdElemPtr& other, const TZhdData& document);
    void CopyTo(TZhdElem& other, const TZhdData& document) const;
    void CopyToShared(const TZhdElemPtr& other, const TZhdData& document) const;

    // --- Geometry (elements/ElemGeometry.cpp, elements/ElemClassify.cpp and
    // each kind's *Geometry.cpp). Coordinates are drawing millimetres; the
    // document supplies the point markers' shapes and the drawing state.
    //
    // Kinds without geometry: solids and block references do not override
    // these yet and answer with the defaults below: key
    // point (0, 0), empty shape measures, the extent (0, 0)-(0, 0), no nearest
    // point (0, the outputs untouched), no intersections (0, the list
    // untouched), and transformations that change nothing. ---

    // A characteristic point by index; each kind gives its indexes.
    // Classification takes index 1 as the element's test point and indexes 0
    // and 2 as the ends of a boundary element.
    virtual TBPoint GetKeyPoint(int index) const;
    // Lengths and angles describing the shape, in the kind's own order; the
    // point is where the shape is asked about (an arc's tangent there).
    virtual TShapeInfo GetShapeInfo(const TBPoint& point) const;
    // The axis-aligned bounding box. The flag is the kind's to read: an arc
    // gives a quick box for 0 and its exact box for 1.
    virtual void GetExtent(TBPoint& min, TBPoint& max, const TZhdData& document, int flag) const;
    // 1 unless this element's extent (with the flag) and the box are strictly
    // apart on an axis: touching boxes overlap. A box with a NaN coordinate
    // meets nothing.
    int ExtentOverlapsRect(TBPoint min, TBPoint max, const TZhdData& document, int flag) const;
    int ExtentOverlaps(const TZhdElem& other, const TZhdData& document, int flag) const;
    // 0 for an empty pointer.
    int ExtentOverlapsShared(const TZhdElemPtr& other, const TZhdData& document, int flag) const;

    // Where this element lies against a closed area: 0 outside, 1 inside,
    // 2 crossing the outline, 3 touching it. The polygon closes from its last
    // point to its first; the boundary is a list of elements forming a closed
    // outline. Fewer than 3 points or elements: 0. Option bits 0 to 2 decide
    // how a touching element counts (ElemClassify.cpp).
    int ClassifyInPolygon(const std::vector<TBPoint>& polygon, const TZhdData& document,
                          const TBitFlg& options) const;
    int ClassifyInBoundary(const TZhdElemList& boundary, const TZhdData& document, const TBitFlg& options) const;
    // The same, copying through the caller's scratch stream, so that a search
    // over many elements uses one stream.
    int ClassifyInBoundary(const TZhdElemList& boundary, const TZhdData& document, const TBitFlg& options,
                           TStream& scratch) const;

    // The point of the element nearest to the query and the distance to it
    // (signed where the kind says so; callers compare magnitudes). Non-zero
    // when a point was given; with 0 the outputs may be untouched.
    virtual int NearestPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                             double& distance) const;
    // The same among the element's characteristic points (ends, position).
    virtual int NearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                double& distance) const;
    // For searches that want only an answer nearer than `bound`: as
    // NearestPoint and NearestEndPoint, but a kind that holds other elements
    // leaves out those that cannot come nearer than `bound`
    // (CannotComeNearer). Whenever the full answer is nearer than `bound`,
    // this is the same answer.
    virtual int NearestPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                   double& distance, double bound) const;
    virtual int NearestEndPointWithin(const TBPoint& query, const TZhdData& document, TBPoint& point,
                                      double& distance, double bound) const;
    // Whether every answer of NearestPoint and NearestEndPoint lies inside
    // the extent (mode 0) at its true distance from the query: lines, and
    // arcs no wider across than their radius. Not texts, which measure to
    // the lines their edges lie on, beyond their box, nor the kinds that
    // hold texts.
    virtual bool AnswersInsideExtent() const { return false; }
    // The element answers inside its extent, and that lies farther from the
    // query than `distance` (by more than the rounding of its arithmetic):
    // none of its answers is as near. A box that is not finite is never
    // farther.
    bool CannotComeNearer(const TBPoint& query, const TZhdData& document, double distance) const;
    // The points where this element meets the other, each tagged with its
    // code (0 a candidate off one of the two, 1 crossing, 2 meeting at an
    // end, 3 touching or overlapping); the kinds that compute empty the list
    // first. Returns the number of points in the list.
    virtual int CrossPoints(const TZhdElemPtr& other, const TZhdData& document, std::vector<TBPoint>& points) const;
    // The other element, copied through its body into a new element of its
    // kind, handed to CrossPoints: this element decides how to intersect.
    // 0, and the list untouched, for a type code of no kind.
    int CrossPointsOf(const TZhdElem& other, const TZhdData& document, std::vector<TBPoint>& points) const;
    int CrossPointsOfCopiedThrough(const TZhdElem& other, const TZhdData& document, std::vector<TBPoint>& points,
                                   TStream& scratch) const;
    // CrossPoints for a search that shares one scratch stream; only a line
    // computes, the other kinds find nothing and leave the list alone.
    virtual int CrossPointsUsingStream(const TZhdElemPtr& other, const TZhdData& document,
                                       std::vector<TBPoint>& points, TStream& scratch) const;
    // The other element by its archive class name (the seven kinds, nothing
    // for any other), copied through the scratch stream into a new element
    // of its class and handed to CrossPointsUsingStream.
    int CrossPointsOfUsingStream(const TZhdElem& other, const TZhdData& document, std::vector<TBPoint>& points,
                                 TStream& scratch) const;
    // Where two elements meet, asked of the one that computes: a line when
    // either is one, else an arc when either is one, else the first. The
    // answer does not depend on the order of the two, which a search over
    // pairs in list order relies on.
    static int CrossPointsBetween(const TZhdElemPtr& first, const TZhdElemPtr& second, const TZhdData& document,
                                  std::vector<TBPoint>& points);

    // Scale by (sx, sy), rotate by the angle, move by (dx, dy), all about the
    // origin and in this order, skipping each step that is an identity; a
    // scale factor of exactly 0 counts as 1. An element drawn about (0, 0)
    // is thus placed at (dx, dy) with its angle and scales.
    void Transform(const TZhdData& document, double dx, double dy, TAngle angle, double sx, double sy);
    // The same with the position as (dx, dy).
    void TransformTo(const TZhdData& document, TBPoint position, TAngle angle, double sx, double sy);
    // MoveBy with the offset (dx, dy); the kinds override MoveBy.
    virtual void Move(double dx, double dy, const TZhdData& document);
    virtual void MoveBy(TBPoint offset, const TZhdData& document);
    // About the origin; the angle is also added to the element's own angles.
    virtual void Rotate(TAngle angle, const TZhdData& document);
    // x times sx and y times sy, about the origin.
    virtual void Scale(double sx, double sy, const TZhdData& document);

    // Draws the element onto the canvas in the document's view and drawing
    // colour; 0 when nothing was drawn. The base draws nothing.
    virtual int Draw(TCanvas& canvas, TZhdData& document);

    // Frees what the element holds besides its fields (the images of a text);
    // 1 when there was something to free.
    virtual int Release();

protected:
    TZhdElem() = default;
    TZhdElem(const TZhdElem&) = default;
    // The kinds' own assignments copy the attribute record but keep the
    // target's marks and number.
    TZhdElem& operator=(const TZhdElem&) = default;
    void AssignStatusOnly(const TZhdElem& other) { status_ = other.status_; }

private:
    TStatus status_;
    TBitFlg marks_;
    int number_ = 0;
};
