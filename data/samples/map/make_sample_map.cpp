// Writes the shipped sample map: three systems (every object kind, jump nodes
// linked between them) and their project file, with the model's own writers.
// The project stores the paths an editor on the map maker's machine would
// have stored; 'mapwright generate' finds the files beside the project.
// With --check DIR it writes to a scratch folder and fails unless every file
// is byte-identical to the one in DIR.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "map/project_file.h"
#include "project/map_project.h"
#include "system/system_file.h"
#include "system/system_model.h"

namespace {

using namespace mw;
namespace fs = std::filesystem;

const char* const kStoredFolder = "C:\\Velmora\\Maps\\sample\\";
const char* const kFiles[] = {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"};

struct Builder {
    SystemModel& m;

    void planet(std::string_view name, std::string_view type, std::string_view model,
                std::string_view orbits, int x, int y, std::string_view owner,
                std::string_view race, int population, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::Planet);
        PlanetRecord& p = m.planets.at(i);
        p = PlanetRecord{};
        p.name = name, p.type = type, p.model = model, p.orbitsAround = orbits;
        p.x = x, p.y = y, p.number = i, p.diameter = 800 + 100 * i;
        p.owner = owner, p.race = race, p.population = population, p.marker = marker;
    }
    void micro(std::string_view type, int x, int y, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::MicroAsteroid);
        m.microAsteroids.at(i) = MicroAsteroidRecord{};
        auto& r = m.microAsteroids.at(i);
        r.type = type, r.x = x, r.y = y, r.marker = marker;
    }
    void asteroid(std::string_view type, int x, int y, int capacity, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::Asteroid);
        m.asteroids.at(i) = AsteroidRecord{};
        auto& r = m.asteroids.at(i);
        r.type = type, r.x = x, r.y = y, r.capacity = capacity, r.marker = marker;
    }
    void wreck(std::string_view type, int x, int y, int value, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::Wreck);
        m.wrecks.at(i) = WreckRecord{};
        auto& r = m.wrecks.at(i);
        r.type = type, r.x = x, r.y = y, r.value = value, r.marker = marker;
    }
    void nebula(std::string_view type, int x, int y, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::Nebula);
        m.nebulae.at(i) = NebulaRecord{};
        auto& r = m.nebulae.at(i);
        r.type = type, r.x = x, r.y = y, r.marker = marker;
    }
    void node(std::string_view leadsTo, int x, int y, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::JumpNode);
        m.jumpNodes.at(i) = JumpNodeRecord{};
        auto& r = m.jumpNodes.at(i);
        r.leadsTo = leadsTo, r.nodeId = makeNodeId(m.currentSystemName.view(), i);
        r.x = x, r.y = y, r.marker = marker;
    }
    void ship(std::string_view owner, std::string_view type, int rank, int count, bool deployed,
              int x, int y, MarkerPos marker) {
        const int i = m.AllocateIndex(ObjectKind::Ship);
        m.ships.at(i) = ShipRecord{};
        auto& r = m.ships.at(i);
        r.name = "Ship" + std::to_string(i), r.owner = owner, r.type = type, r.rank = rank;
        r.numberOfShips = count, r.deployed = deployed ? 1 : 0;
        r.x = x, r.y = y, r.marker = marker;
    }
};

void writeSystems(const fs::path& dir) {
    auto model = std::make_unique<SystemModel>();
    SystemModel& m = *model;
    Builder b{m};

    m.ResetTables();
    m.currentSystemName = "Alpha";
    b.planet("Alpha Prime", "terran", "earth", "Alpha", 40000, -30000, "Empire1", "human", 8000,
             {295, 321});
    b.planet("Alpha Minor", "rocky", "moon", "Alpha Prime", 46000, -32000, "None", "None", 0,
             {302, 324});
    b.micro("MicroAsteroids_nagy", -90000, 70000, {135, 87});
    b.asteroid("MineableAsteroid1", 110000, 100000, 120000, {393, 369});
    b.wreck("wreck_human", -140000, -120000, 12345, {68, 397});
    b.nebula("nebulae", 20000, 160000, {258, 49});
    b.node("BetaJumpnode1", 185000, 5000, {474, 240});
    b.ship("Empire1", "_H_P_CorvetteTurret", 5, 4, false, 30000, 20000, {283, 212});
    b.ship("Empire1", "_H_P_MilitaryBase", 9, 1, true, -25000, 15000, {215, 227});
    SaveSystem((dir / "alpha.sdf").string(), "Alpha", "Sun", "Background2", "0.7", m);

    m.ResetTables();
    m.currentSystemName = "Beta";
    b.planet("Beta Rock", "desert", "T3", "Beta", -60000, 50000, "Empire2", "kariak", 4000,
             {172, 184});
    b.node("AlphaJumpnode1", -180000, 0, {21, 246});
    b.node("GammaJumpnode1", 180000, -10000, {468, 258});
    b.asteroid("MineableAsteroid4", 70000, 90000, 90000, {333, 356});
    b.ship("Empire2", "_K_I_Fighter", 3, 7, false, -50000, 40000, {185, 197});
    SaveSystem((dir / "beta.sdf").string(), "Beta", "Redsun", "Background7", "0.5", m);

    m.ResetTables();
    m.currentSystemName = "Gamma";
    b.planet("Gamma Vast", "gas_giant", "jupiter", "Gamma", 100000, -80000, "Empire3", "darzok",
             2500, {369, 344});
    b.planet("Gamma Ice", "arctic", "europa", "Gamma Vast", 108000, -84000, "Empire4", "human", 600,
             {381, 350});
    b.node("BetaJumpnode2", -170000, 20000, {34, 216});
    b.node("0", 0, 190000, {246, 13});  // not connected
    b.nebula("cloud1", -30000, -150000, {201, 471});
    b.micro("MicroAsteroids_kozepes", 60000, 60000, {320, 154});
    b.wreck("wreck3", 150000, 150000, 500, {435, 24});
    b.ship("Empire3", "_D_Q_CruiserGun", 7, 2, false, 90000, -60000, {381, 332});
    SaveSystem((dir / "gamma.sdf").string(), "Gamma", "Bluesun", "Background11", "1.2", m);
}

// Answers the insert dialog with the file to add.
class Answer : public Prompts {
  public:
    std::string file;
    void notice(const std::string& text) override { throw std::runtime_error(text); }
    bool ask(const std::string&) override { return true; }
    std::string chooseFile(FileDialog) override { return file; }
};

void writeProject(const fs::path& dir) {
    MapProject project;
    Answer answer;
    for (const char* name : {"alpha.sdf", "beta.sdf", "gamma.sdf"}) {
        answer.file = (dir / name).string();
        InsertSystem(project, answer);
        project.systems[static_cast<std::size_t>(project.systemCount - 1)].designFile =
            std::string(kStoredFolder) + name;
    }
    project.mapName = "Sample Triangle";
    project.description = "Three linked systems for four empires.";
    SetEmpireCount(project, "4", answer);
    const char* names[] = {"Terran League", "Kariak Swarm", "Darzok Throne", "Free Colonies"};
    const char* races[] = {"Human", "Kariak", "Darzok", "Human"};
    const char* modes[] = {"Standard", "Agressive", "Occupancy", "Standard"};
    for (int i = 0; i < 4; ++i) {
        EmpireSetup& e = project.empires[static_cast<std::size_t>(i)];
        e.name = names[i];
        e.race = races[i];
        e.aiMode = modes[i];
        e.money = 1000 + 500 * i;
    }
    WriteProjectFile((dir / "sample.vmpf").string(), BuildProjectRecord(project));
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fputs("usage: make_sample_map OUTPUT_DIR | --check SAMPLE_DIR\n", stderr);
        return 2;
    }
    try {
        const fs::path target = check ? argv[2] : argv[1];
        fs::path out = target;
        if (check) {
            std::string scratch =
                (fs::temp_directory_path() / "mw-sample-map-check-XXXXXX").string();
            if (!::mkdtemp(scratch.data())) throw std::runtime_error("cannot make " + scratch);
            out = scratch;
        }
        fs::create_directories(out);
        writeSystems(out);
        writeProject(out);
        if (!check) return 0;
        int bad = 0;
        for (const char* name : kFiles) {
            if (readAll(out / name) != readAll(target / name)) {
                std::fprintf(stderr, "%s differs from what make_sample_map writes\n",
                             (target / name).string().c_str());
                ++bad;
            }
        }
        fs::remove_all(out);
        return bad ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_map: %s\n", e.what());
        return 1;
    }
}
