// mapwright show FILE.sdf: a system design file, loaded as the designer's Open
// loads it, printed as one JSON object.
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "show_latin1.h"
#include "system/system_file.h"
#include "system/system_model.h"

namespace mw::cli {

namespace {

using Json = nlohmann::ordered_json;

template <typename Record, typename Fill>
Json listTable(const ObjectTable<Record>& table, Fill fill) {
    Json list = Json::array();
    // OpenSystem numbers each kind 1..count without gaps, so every record read is here.
    for (int i = 1; i <= table.count(); ++i) {
        const Record& r = table.at(i);
        Json o;
        o["index"] = i;
        fill(o, r);
        o["marker_x"] = r.marker.x;
        o["marker_y"] = r.marker.y;
        list.push_back(std::move(o));
    }
    return list;
}

template <typename Record>
void position(Json& o, const Record& r) {
    o["x"] = r.x;
    o["y"] = r.y;
    o["z"] = r.z;
}

Json systemJson(const SystemHeader& h, const SystemModel& m) {
    Json j;
    j["sun_name"] = latin1ToUtf8(h.sunName);
    j["sun_type"] = latin1ToUtf8(h.sunType);
    j["background"] = latin1ToUtf8(h.background);
    j["scale"] = latin1ToUtf8(h.scale);
    j["planets"] = listTable(m.planets, [](Json& o, const PlanetRecord& p) {
        o["name"] = latin1ToUtf8(p.name.view());
        o["type"] = latin1ToUtf8(p.type.view());
        o["model"] = latin1ToUtf8(p.model.view());
        position(o, p);
        o["orbits_around"] = latin1ToUtf8(p.orbitsAround.view());
        o["number"] = p.number;
        o["diameter"] = p.diameter;
        o["owner"] = latin1ToUtf8(p.owner.view());
        o["race"] = latin1ToUtf8(p.race.view());
        o["population"] = p.population;
    });
    j["micro_asteroids"] = listTable(m.microAsteroids, [](Json& o, const MicroAsteroidRecord& r) {
        o["type"] = latin1ToUtf8(r.type.view());
        position(o, r);
    });
    j["asteroids"] = listTable(m.asteroids, [](Json& o, const AsteroidRecord& r) {
        o["type"] = latin1ToUtf8(r.type.view());
        position(o, r);
        o["capacity"] = r.capacity;
    });
    j["wrecks"] = listTable(m.wrecks, [](Json& o, const WreckRecord& r) {
        o["type"] = latin1ToUtf8(r.type.view());
        position(o, r);
        o["value"] = r.value;
    });
    j["nebulae"] = listTable(m.nebulae, [](Json& o, const NebulaRecord& r) {
        o["type"] = latin1ToUtf8(r.type.view());
        position(o, r);
    });
    j["jump_nodes"] = listTable(m.jumpNodes, [](Json& o, const JumpNodeRecord& r) {
        o["leads_to"] = latin1ToUtf8(r.leadsTo.view());
        o["node_id"] = latin1ToUtf8(r.nodeId.view());
        position(o, r);
    });
    j["ships"] = listTable(m.ships, [](Json& o, const ShipRecord& r) {
        o["name"] = latin1ToUtf8(r.name.view());
        o["owner"] = latin1ToUtf8(r.owner.view());
        o["type"] = latin1ToUtf8(r.type.view());
        o["deployed"] = r.deployed;
        o["rank"] = r.rank;
        o["number_of_ships"] = r.numberOfShips;
        position(o, r);
    });
    return j;
}

}  // namespace

int runShow(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: mapwright show FILE.sdf\n", stderr);
        return 2;
    }
    try {
        // The tables are large; keep them off the stack.
        auto model = std::make_unique<SystemModel>();
        const SystemHeader header = OpenSystem(args[0], *model);
        std::cout << systemJson(header, *model).dump(2) << '\n';
        std::cout.flush();
        if (!std::cout) {
            std::fputs("mapwright show: writing standard output failed\n", stderr);
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapwright show: %s\n", e.what());
        return 1;
    }
}

}  // namespace mw::cli
