#pragma once
// The designer's list of every object of the system: what each row shows,
// which rows a filter keeps, how a column sorts, and which objects stand
// outside the map, where no click can reach their markers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "system/object_records.h"
#include "system/system_model.h"

namespace mw {

/// The list's columns, left to right.
enum class ObjectColumn { Kind, Index, Name, X, Y, Z, Marker };
inline constexpr int kObjectColumnCount = 7;

/// The column headings: "Kind", "#", "Name or type", "X", "Y", "Z", "Marker".
std::string_view objectColumnTitle(ObjectColumn column);

/// One object as the list shows it.
struct ObjectRow {
    ObjectRef object;
    /// A planet's or ship's name, a jump node's id; the type for the other
    /// kinds (and for a ship or node whose name is empty, its type or target).
    std::string name;
    std::int32_t x = 0, y = 0, z = 0;
    MarkerPos marker;
    bool operator==(const ObjectRow&) const = default;
};

/// Every object that has a marker on the map (records 1..count not deleted),
/// kind by kind in the order of the tools, each kind in index order: the
/// order listRowBefore() keeps.
std::vector<ObjectRow> listObjects(const SystemModel& tables);

/// The order of listObjects(): by kind in the order of the tools, then index.
bool listRowBefore(const ObjectRef& a, const ObjectRef& b);

/// The marker stands on no pixel of the map (a file can hold such a
/// position): it shows nowhere and only the list reaches it.
bool markerOutsideMap(const ObjectRow& row);

/// What the row shows in the column: "Micro-asteroid field", "12", "Vega",
/// "-810", ...; the marker column says "off the map" or nothing.
std::string objectCell(const ObjectRow& row, ObjectColumn column);

/// The numeric columns are right-aligned.
bool objectColumnIsNumber(ObjectColumn column);

/// Sorting by a column: numbers by value, texts without regard to case, the
/// kinds in the order of the tools; equal values in the order of listObjects().
bool objectRowLess(const ObjectRow& a, const ObjectRow& b, ObjectColumn column);

/// The filter keeps a row when every word of it (without regard to case) is
/// part of the row's kind, its name or its marker note, or is its index.
/// An empty filter keeps every row.
bool objectRowMatches(const ObjectRow& row, std::string_view filter);

}  // namespace mw
