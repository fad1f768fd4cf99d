#include "mission_input.h"

#include <filesystem>
#include <stdexcept>

#ifdef VK_HAVE_MISSION_GENERATOR
#include <memory>

#include "map/map_project_record.h"
#include "mission/mission_generator.h"
#include "system/system_file.h"
#include "system/system_model.h"
#endif

namespace bench {

#ifdef VK_HAVE_MISSION_GENERATOR
namespace {

constexpr int kSystems = 10;

// One system: 200 planets, 150 ships, 60 asteroids, 40 wrecks, 30 nebulae,
// 20 micro-asteroid fields and jump nodes to its neighbours.
void fillSystem(mw::SystemModel& model, int s) {
    using mw::ObjectKind;
    model.ResetTables();
    const std::string sun = "Sys" + std::to_string(s);
    model.currentSystemName = sun;
    auto coord = [](int i, int k) { return ((i * 7919 + k * 104729) % 400001) - 200000; };
    for (int i = 1; i <= 200; ++i) {
        auto& p = model.planets.at(model.AllocateIndex(ObjectKind::Planet));
        p.name = "P" + std::to_string(s) + "_" + std::to_string(i);
        p.type = i % 3 ? "swamp" : "gas_giant";
        p.model = "T1";
        p.x = coord(i, 1);
        p.y = coord(i, 2);
        p.orbitsAround = "Sun";
        p.number = i;
        p.diameter = 800;
        p.owner = i % 50 == 0 ? "Empire1" : "none";
        p.race = i % 50 == 0 ? "human" : "none";
        p.population = i % 50 == 0 ? 1000 : 0;
    }
    for (int i = 1; i <= 150; ++i) {
        auto& sh = model.ships.at(model.AllocateIndex(ObjectKind::Ship));
        sh.name = "HPCORVETTETURRET" + std::to_string(i);
        sh.owner = "NONE";
        sh.type = "_H_P_CorvetteTurret";
        sh.x = coord(i, 3);
        sh.y = coord(i, 4);
        sh.rank = 5;
        sh.numberOfShips = 4;
    }
    for (int i = 1; i <= 60; ++i) {
        auto& a = model.asteroids.at(model.AllocateIndex(ObjectKind::Asteroid));
        a.type = "MineableAsteroid" + std::to_string(1 + i % 4);
        a.x = coord(i, 5);
        a.y = coord(i, 6);
        a.capacity = 120000;
    }
    for (int i = 1; i <= 40; ++i) {
        auto& w = model.wrecks.at(model.AllocateIndex(ObjectKind::Wreck));
        w.type = "Wreck_napelemmel";
        w.x = coord(i, 7);
        w.y = coord(i, 8);
        w.value = 12345;
    }
    for (int i = 1; i <= 30; ++i) {
        auto& n = model.nebulae.at(model.AllocateIndex(ObjectKind::Nebula));
        n.type = i % 2 ? "cloud1" : "nebulae";
        n.x = coord(i, 9);
        n.y = coord(i, 10);
    }
    for (int i = 1; i <= 20; ++i) {
        auto& m = model.microAsteroids.at(model.AllocateIndex(ObjectKind::MicroAsteroid));
        m.type = "microasteroids_nagy";
        m.x = coord(i, 11);
        m.y = coord(i, 12);
    }
    for (int i = 1; i <= 2; ++i) {
        const int index = model.AllocateIndex(ObjectKind::JumpNode);
        auto& j = model.jumpNodes.at(index);
        const int other = (s + (i == 1 ? 1 : kSystems - 1)) % kSystems;
        j.leadsTo = mw::makeNodeId("Sys" + std::to_string(other), i == 1 ? 2 : 1);
        j.nodeId = mw::makeNodeId(sun, index);
        j.x = coord(i, 13);
        j.y = coord(i, 14);
    }
}

}  // namespace

bool missionInputAvailable() {
    return true;
}

std::string missionInfText(const std::string& dir) {
    std::filesystem::create_directories(dir);
    auto model = std::make_unique<mw::SystemModel>();
    mw::MapProjectRecord map;
    map.mapName = "Benchmark map";
    map.description = "Ten generated systems";
    map.empireCount = 8;
    for (int e = 0; e < mw::kMaxEmpires; ++e) map.empires[e] = mw::EmpireSetup::defaults(e + 1);
    for (int s = 0; s < kSystems; ++s) {
        fillSystem(*model, s);
        const std::string path = dir + "/sys" + std::to_string(s) + ".sdf";
        mw::SaveSystem(path, "Sys" + std::to_string(s), "Sun", "Background1", "0.7", *model);
        map.systems[s].systemName = "Sys" + std::to_string(s);
        map.systems[s].designFile = path;
    }
    return mw::GenerateMissionInfText(map, 1u);
}

#else

bool missionInputAvailable() {
    return false;
}

std::string missionInfText(const std::string&) {
    throw std::runtime_error("this build has no mission generator");
}

#endif

}  // namespace bench
