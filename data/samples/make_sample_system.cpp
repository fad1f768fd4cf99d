// Writes the shipped sample system (one object of every kind and a moon) with
// SaveSystem. With --check FILE it writes to a scratch folder of its own (never
// into the source tree) and fails unless the result is byte-identical to FILE.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "system/system_file.h"
#include "system/system_model.h"

namespace {

using namespace mw;
using namespace std::string_view_literals;

void buildSample(SystemModel& m) {
    m.ResetTables();
    m.currentSystemName = "Sol";

    int i = m.AllocateIndex(ObjectKind::Planet);
    auto& earth = m.planets.at(i);
    earth = PlanetRecord{};
    earth.name = "Terra";
    earth.type = "terran";
    earth.model = "earth";
    earth.x = 42000, earth.y = -31000, earth.z = 0;
    earth.orbitsAround = "Sol";
    earth.number = i;
    earth.diameter = 1200;
    earth.owner = "Empire1";
    earth.race = "human";
    earth.population = 5000;
    earth.marker = {297, 322};

    i = m.AllocateIndex(ObjectKind::Planet);
    auto& moon = m.planets.at(i);
    moon = PlanetRecord{};
    moon.name =
        "Ga\xEF"
        "a";  // Latin-1 byte, decoded by 'show'
    moon.type = "lifeless";
    moon.model = "T1";
    moon.x = 47000, moon.y = -33000, moon.z = 1500;
    moon.orbitsAround = "Terra";
    moon.number = i;
    moon.diameter = 300;
    moon.owner = "None";
    moon.race = "None";
    moon.population = 0;
    moon.marker = {304, 325};

    i = m.AllocateIndex(ObjectKind::MicroAsteroid);
    m.microAsteroids.at(i) =
        MicroAsteroidRecord{"MicroAsteroids_nagy"sv, -80000, 60000, 0, 0, {147, 98}};
    i = m.AllocateIndex(ObjectKind::Asteroid);
    m.asteroids.at(i) =
        AsteroidRecord{"MineableAsteroid3"sv, 120000, 90000, -2000, 120000, 0, {403, 381}};
    i = m.AllocateIndex(ObjectKind::Wreck);
    m.wrecks.at(i) = WreckRecord{"wreck_kariak"sv, -150000, -140000, 0, 12345, 0, {59, 421}};
    i = m.AllocateIndex(ObjectKind::Nebula);
    m.nebulae.at(i) = NebulaRecord{10000, 150000, 0, "nebulae"sv, 0, {254, 61}};
    i = m.AllocateIndex(ObjectKind::JumpNode);
    m.jumpNodes.at(i) =
        JumpNodeRecord{180000, 0, 0, "0"sv, std::string_view(makeNodeId("Sol", i)), 0, {471, 246}};

    i = m.AllocateIndex(ObjectKind::Ship);
    auto& ship = m.ships.at(i);
    ship = ShipRecord{};
    ship.name = "Ship1";
    ship.x = 30000, ship.y = 20000, ship.z = 0;
    ship.owner = "Empire1";
    ship.type = "_H_P_CorvetteTurret";
    ship.deployed = 0;
    ship.rank = 5;
    ship.numberOfShips = 4;
    ship.marker = {283, 212};

    i = m.AllocateIndex(ObjectKind::Ship);
    auto& base = m.ships.at(i);
    base = ShipRecord{};
    base.name = "Ship2";
    base.x = -20000, base.y = 25000, base.z = 0;
    base.owner = "Empire1";
    base.type = "_H_P_MilitaryBase";
    base.deployed = 1;
    base.rank = 9;
    base.numberOfShips = 1;
    base.marker = {221, 214};
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fputs("usage: make_sample_system OUTPUT.sdf | --check SAMPLE.sdf\n", stderr);
        return 2;
    }
    try {
        auto model = std::make_unique<SystemModel>();
        buildSample(*model);
        const std::string target = check ? std::string(argv[2]) : std::string(argv[1]);
        if (!check) {
            SaveSystem(target, "Sol", "Sun", "Background3", "0.7", *model);
            return 0;
        }
        std::string scratch =
            (std::filesystem::temp_directory_path() / "mw-sample-check-XXXXXX").string();
        if (!::mkdtemp(scratch.data())) throw std::runtime_error("cannot make " + scratch);
        const std::string out = scratch + "/sample.sdf";
        bool same = false;
        try {
            SaveSystem(out, "Sol", "Sun", "Background3", "0.7", *model);
            same = readAll(out) == readAll(target);
        } catch (...) {
            std::filesystem::remove_all(scratch);
            throw;
        }
        std::filesystem::remove_all(scratch);
        if (!same) {
            std::fprintf(stderr, "%s differs from what make_sample_system writes\n",
                         target.c_str());
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_system: %s\n", e.what());
        return 1;
    }
}
