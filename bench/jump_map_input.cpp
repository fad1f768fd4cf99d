#include "jump_map_input.h"

#include <filesystem>
#include <stdexcept>

#ifdef VK_HAVE_MISSION_GENERATOR
#include "inf_data_generator.h"
#include "map/project_file.h"
#include "system/sdf_record.h"
#endif

namespace bench {

#ifdef VK_HAVE_MISSION_GENERATOR

bool jumpMapInputAvailable() {
    return true;
}

std::string writeJumpMap(const std::string& dir, int systems, int nodes) {
    std::filesystem::create_directories(dir);
    const auto name = [](int s) { return "Sys" + std::to_string(s); };
    const auto nodeId = [&](int s, int k) { return name(s) + "Jumpnode" + std::to_string(k); };
    mw::MapProjectRecord map;
    map.mapName = "Jump nodes";
    map.empireCount = 2;
    for (int e = 1; e <= mw::kMaxEmpires; ++e) map.empires[e - 1] = mw::EmpireSetup::defaults(e);
    for (int s = 0; s < systems; ++s) {
        std::string bytes;
        const auto add = [&bytes](const mw::SdfRecord& r) {
            const auto b = r.encode();
            bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
        };
        mw::SdfRecord sun;
        sun.tag = mw::sdf_tag::kSun;
        sun.name = name(s);
        sun.textA = "Sun";
        sun.textB = "Background1";
        sun.textC = "0.7";
        add(sun);
        for (int k = 1; k <= nodes; ++k) {
            mw::SdfRecord node;
            node.tag = mw::sdf_tag::kJumpNode;
            node.textA = nodeId(s, k);
            node.x = k * 100;
            node.y = -k * 100;
            switch (k % 4) {
                case 0:
                    node.name = (s ^ 1) < systems ? nodeId(s ^ 1, k) : "0";
                    break;
                case 1:
                    node.name = nodeId((s + 1) % systems, k + 1);
                    break;
                case 2:
                    node.name = "0";
                    break;
                default:
                    node.name = "Nowhere" + std::to_string(k);
                    break;
            }
            add(node);
        }
        const std::string path = (std::filesystem::path(dir) / (name(s) + ".sdf")).string();
        writeFile(path, bytes);
        map.systems[static_cast<std::size_t>(s)].systemName = name(s);
        map.systems[static_cast<std::size_t>(s)].designFile = path;
    }
    std::string project = (std::filesystem::path(dir) / "jump_nodes.vmpf").string();
    mw::WriteProjectFile(project, map);
    return project;
}

#else

bool jumpMapInputAvailable() {
    return false;
}

std::string writeJumpMap(const std::string&, int, int) {
    throw std::runtime_error("this build has no editor model");
}

#endif

}  // namespace bench
