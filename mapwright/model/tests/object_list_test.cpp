#include "system_designer/object_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>
#include <vector>

using namespace mw;

namespace {

// A small system written record by record, as a file could hold it.
SystemModel sample() {
    SystemModel m;
    const auto add = [&m](ObjectKind kind, auto fill) {
        const int i = m.AllocateIndex(kind);
        m.withTable(kind, [&](auto& table) {
            if constexpr (std::is_invocable_v<decltype(fill), decltype(table.at(i))>)
                fill(table.at(i));
        });
    };
    add(ObjectKind::Ship, [](ShipRecord& r) {
        r.name = "Ship1";
        r.type = "_H_P_CorvetteTurret";
        r.x = -810, r.y = 1623, r.z = 7, r.marker = {248, 246};
    });
    add(ObjectKind::Ship, [](ShipRecord& r) {  // name emptied: the type names it
        r.type = "Cruiser";
        r.x = 5, r.marker = {10, 10};
    });
    add(ObjectKind::Planet, [](PlanetRecord& r) {
        r.name = "vega";
        r.x = 300, r.marker = {600, 20};  // outside the map
    });
    add(ObjectKind::Planet, [](PlanetRecord& r) {
        r.name = "Gone";
        r.deleted = 1;
    });
    add(ObjectKind::Planet, [](PlanetRecord& r) {
        r.name = "\xC9los";  // Latin-1 capital E acute
        r.x = -5, r.marker = {0, 492};
    });
    add(ObjectKind::JumpNode, [](JumpNodeRecord& r) {
        r.nodeId = "SolJumpnode1";
        r.leadsTo = "0";
        r.marker = {100, -1};  // outside the map
    });
    add(ObjectKind::MicroAsteroid, [](MicroAsteroidRecord& r) {
        r.type = "microasteroids_nagy";
        r.z = -3, r.marker = {30, 40};
    });
    return m;
}

const ObjectRef P1{ObjectKind::Planet, 1}, P3{ObjectKind::Planet, 3}, S1{ObjectKind::Ship, 1},
    S2{ObjectKind::Ship, 2}, M1{ObjectKind::MicroAsteroid, 1}, J1{ObjectKind::JumpNode, 1};

std::vector<ObjectRef> refs(const std::vector<ObjectRow>& rows) {
    std::vector<ObjectRef> out;
    out.reserve(rows.size());
    for (const ObjectRow& r : rows) out.push_back(r.object);
    return out;
}

}  // namespace

TEST(ObjectList, ListsLiveObjectsInToolOrderWithTheirCells) {
    const std::vector<ObjectRow> rows = listObjects(sample());
    ASSERT_EQ(refs(rows), (std::vector<ObjectRef>{P1, P3, S1, S2, M1, J1}));
    const std::vector<std::vector<std::string>> expected{
        {"Planet", "1", "vega", "300", "0", "0", "off the map"},
        {"Planet", "3", "\xC9los", "-5", "0", "0", ""},
        {"Ship", "1", "Ship1", "-810", "1623", "7", ""},
        {"Ship", "2", "Cruiser", "5", "0", "0", ""},
        {"Micro-asteroid field", "1", "microasteroids_nagy", "0", "0", "-3", ""},
        {"Jump node", "1", "SolJumpnode1", "0", "0", "0", "off the map"},
    };
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < kObjectColumnCount; ++c)
            EXPECT_EQ(objectCell(rows[r], static_cast<ObjectColumn>(c)), expected[r][c])
                << "row " << r << " column " << c;
}

TEST(ObjectList, FilterKeepsRowsWhoseWordsAllMatch) {
    const std::vector<ObjectRow> rows = listObjects(sample());
    const struct {
        const char* filter;
        std::vector<ObjectRef> kept;
    } cases[] = {
        {"", {P1, P3, S1, S2, M1, J1}},
        {"   ", {P1, P3, S1, S2, M1, J1}},
        {"VEGA", {P1}},
        {"\xE9LOS", {P3}},  // lower-case e acute finds the capital
        {"planet", {P1, P3}},
        {"ship 2", {S2}},         // a number is an index...
        {"1", {P1, S1, M1, J1}},  // ...or part of a name
        {"OFF", {P1, J1}},
        {"cruiser ship", {S2}},
        {"node 3", {}},
        {"nebula", {}},
    };
    for (const auto& c : cases) {
        std::vector<ObjectRow> kept;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept),
                     [&](const ObjectRow& r) { return objectRowMatches(r, c.filter); });
        EXPECT_EQ(refs(kept), c.kept) << "filter '" << c.filter << "'";
    }
}

TEST(ObjectList, ColumnsSortByValueWithTiesInListOrder) {
    const std::vector<ObjectRow> rows = listObjects(sample());
    const struct {
        ObjectColumn column;
        std::vector<ObjectRef> order;
    } cases[] = {
        {ObjectColumn::Kind, {P1, P3, S1, S2, M1, J1}},
        {ObjectColumn::Index, {P1, S1, M1, J1, S2, P3}},
        {ObjectColumn::Name, {S2, M1, S1, J1, P1, P3}},  // case aside
        {ObjectColumn::X, {S1, P3, M1, J1, S2, P1}},     // -810 before -5: by value
        {ObjectColumn::Y, {P1, P3, S2, M1, J1, S1}},
        {ObjectColumn::Z, {M1, P1, P3, S2, J1, S1}},
        {ObjectColumn::Marker, {P3, S1, S2, M1, P1, J1}},
    };
    for (const auto& c : cases) {
        std::vector<ObjectRow> sorted = rows;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const ObjectRow& a, const ObjectRow& b) {
            return objectRowLess(a, b, c.column);
        });
        EXPECT_EQ(refs(sorted), c.order) << objectColumnTitle(c.column);
    }
}
