#include "monkey_oracle.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace mw::ui::test {

namespace {

using files::DesignRecord;

// What the tables keep of each text, by kind: name, a, b, c, d, e.
constexpr std::array<std::array<std::size_t, 6>, kKinds> kKeeps{
    {{15, 20, 20, 45, 15, 20}, {35}, {30}, {20}, {30}, {125, 125}, {50, 30, 30}}};
const char* const kTags[kKinds] = {"planet",   "microasteroids", "asteroid", "wreckage",
                                   "nebulaes", "jumpnode",       "ship"};
// The kinds in the order a design file holds them.
constexpr int kFileOrder[kKinds] = {kPlanet, kMicroAsteroid, kNebula, kAsteroid,
                                    kWreck,  kJumpNode,      kShip};
constexpr int kMostOfAKind = 1000;

std::string cut(const std::string& text, std::size_t keep) {
    return text.substr(0, keep);
}

/// The world coordinate of a map pixel: the sun at 247, 200000 world units
/// to an edge, each side with its own scale.
std::int32_t world(int p) {
    if (p == 247) return 0;
    const double w = p < 247 ? -200000.0 * (247 - p) / 247 : 2.0 * 200000 * (p - 246) / 493;
    return static_cast<std::int32_t>(std::nearbyint(w));
}

std::vector<std::string> randomChoices(int kind) {
    if (kind == kNebula) return {"cloud1", "nebulae"};
    return {"MineableAsteroid1", "MineableAsteroid2", "MineableAsteroid3", "MineableAsteroid4"};
}

/// The fields of a record that mean something for its kind (-1: the header).
std::vector<std::pair<const char*, std::string>> meaningful(const DesignRecord& r, int kind) {
    using std::to_string;
    std::vector<std::pair<const char*, std::string>> f{
        {"tag", r.tag}, {"marker x", r.markerX}, {"marker y", r.markerY}, {"name", r.name}};
    if (kind < 0) {
        f.insert(f.end(), {{"sun type", r.a}, {"background", r.b}, {"scale", r.c}});
        return f;
    }
    f.insert(f.end(), {{"X", to_string(r.x)}, {"Y", to_string(r.y)}, {"Z", to_string(r.z)}});
    if (kind == kPlanet)
        f.insert(f.end(), {{"type", r.a},
                           {"owner", r.b},
                           {"orbits around", r.c},
                           {"race", r.d},
                           {"model", r.e},
                           {"number", to_string(r.number)},
                           {"diameter", to_string(r.diameter)},
                           {"population", to_string(r.population)}});
    if (kind == kAsteroid || kind == kWreck) f.push_back({"amount", to_string(r.amount)});
    if (kind == kJumpNode) f.push_back({"node id", r.a});
    if (kind == kShip)
        f.insert(f.end(), {{"type", r.a},
                           {"owner", r.b},
                           {"rank", to_string(r.rank)},
                           {"ships", to_string(r.number)},
                           {"deployed", to_string(r.flag)}});
    return f;
}

std::string listDifference(const char* file, const std::vector<std::string>& held,
                           const std::vector<std::string>& expected) {
    if (held == expected) return {};
    std::size_t i = 0;
    while (i < held.size() && i < expected.size() && held[i] == expected[i]) ++i;
    return std::string(file) + " holds " + std::to_string(held.size()) + " names, expected " +
           std::to_string(expected.size()) + "; entry " + std::to_string(i) + " is '" +
           (i < held.size() ? held[i] : "-") + "', expected '" +
           (i < expected.size() ? expected[i] : "-") + "'";
}

}  // namespace

SystemOracle::SystemOracle(const std::vector<std::string>& databaseNames) {
    for (const std::string& name : databaseNames)
        if (!name.empty()) databaseNames_.push_back(cut(name, 120));
}

void SystemOracle::refillPool(bool excludeNamesInUse) {
    now_.pool.clear();
    for (const std::string& name : databaseNames_) {
        const auto& planets = now_.objects[kPlanet];
        if (excludeNamesInUse && std::any_of(planets.begin(), planets.end(),
                                             [&](const OracleObject& p) { return p.name == name; }))
            continue;
        now_.pool.push_back(name);
    }
}

void SystemOracle::newSystem(const std::string& sunName,
                             const std::vector<std::string>& usedOnDisk) {
    const std::vector<std::string> used = known_ ? now_.used : usedOnDisk;
    now_ = OracleSystem{};
    now_.sunName = sunName;
    now_.used = used;
    refillPool(false);
    known_ = true;
    history_.assign(1, now_);
    at_ = 0;
}

bool SystemOracle::open(const std::string& bytes, const std::vector<std::string>& usedOnDisk) {
    const auto records = files::readDesignFile(bytes);
    if (!records) return false;
    OracleSystem s;
    const DesignRecord& header = records->front();
    s.sunName = header.name;
    s.sunType = header.a;
    s.background = header.b;
    s.scale = header.c;
    for (std::size_t i = 1; i < records->size(); ++i) {
        const DesignRecord& r = (*records)[i];
        const auto kind = std::find(std::begin(kTags), std::end(kTags), r.tag) - std::begin(kTags);
        if (kind == kKinds) continue;  // an unknown tag is skipped
        const auto& keep = kKeeps[std::size_t(kind)];
        const auto px = files::parseWhole(r.markerX), py = files::parseWhole(r.markerY);
        auto& all = s.objects[std::size_t(kind)];
        if (!px || !py || all.size() == kMostOfAKind) return false;
        OracleObject o;
        o.x = r.x, o.y = r.y, o.z = r.z, o.px = *px, o.py = *py;
        o.name = cut(r.name, keep[0]);
        if (kind == kPlanet) {
            o.a = cut(r.a, keep[1]), o.b = cut(r.b, keep[2]), o.c = cut(r.c, keep[3]);
            o.d = cut(r.d, keep[4]), o.e = cut(r.e, keep[5]);
            o.number = r.number, o.diameter = r.diameter, o.population = r.population;
        } else if (kind == kShip) {
            o.a = cut(r.a, keep[1]), o.b = cut(r.b, keep[2]);
            o.rank = r.rank, o.number = r.number, o.flag = r.flag;
        } else if (kind == kAsteroid || kind == kWreck) {
            o.amount = r.amount;
        }
        all.push_back(std::move(o));
    }
    s.used = known_ ? now_.used : usedOnDisk;
    now_ = std::move(s);
    // Ids are made anew from the sun name the file gives.
    for (std::size_t i = 0; i < now_.objects[kJumpNode].size(); ++i)
        now_.objects[kJumpNode][i].a = nodeId(int(i) + 1);
    refillPool(true);
    known_ = true;
    history_.assign(1, now_);
    at_ = 0;
    return true;
}

std::string SystemOracle::nodeId(int index) const {
    std::string id = now_.sunName;
    for (char& c : id)
        if (c == ' ' || c == '\'' || c == ',' || c == '.') c = '_';
    return cut(id + "Jumpnode" + std::to_string(index), 125);
}

std::optional<int> SystemOracle::placement(int kind, int px, int py) const {
    if ((px == 247 && py == 247) || now_.objects[std::size_t(kind)].size() >= kMostOfAKind)
        return std::nullopt;
    return int(now_.objects[std::size_t(kind)].size()) + 1;
}

std::string SystemOracle::place(int kind, int px, int py, const std::string& drawn) {
    auto& all = now_.objects[std::size_t(kind)];
    const int index = int(all.size()) + 1;
    OracleObject o;
    o.x = world(py), o.y = world(px), o.px = px, o.py = py;
    std::string wrong;
    switch (kind) {
        case kPlanet: {
            const bool fromPool =
                std::any_of(now_.pool.begin(), now_.pool.end(),
                            [&](const std::string& n) { return cut(n, 15) == drawn; });
            if (now_.pool.empty() ? drawn != "Planet" + std::to_string(index) : !fromPool)
                wrong = "planet " + std::to_string(index) + " was named '" + drawn +
                        "', which the pool of " + std::to_string(now_.pool.size()) +
                        " names does not give";
            o.name = drawn, o.a = "swamp", o.e = "T1", o.c = cut(now_.sunName, 45);
            o.number = index, o.diameter = 800, o.b = "none", o.d = "none";
            break;
        }
        case kMicroAsteroid:
            o.name = "microasteroids_nagy";
            break;
        case kAsteroid:
        case kNebula:
            o.pick = nextPick_++;
            o.amount = kind == kAsteroid ? 120000 : 0;
            break;
        case kWreck:
            o.name = "Wreck_napelemmel", o.amount = 12345;
            break;
        case kJumpNode:
            o.name = "0", o.a = nodeId(index);
            break;
        default:
            o.name = "HPCORVETTETURRET" + std::to_string(index);
            o.b = "NONE", o.a = "_H_P_CorvetteTurret", o.rank = 5, o.number = 4;
    }
    all.push_back(std::move(o));
    if (kind == kPlanet) {
        std::erase(now_.pool, drawn);
        now_.used.clear();
        for (const OracleObject& p : all)
            if (!p.deleted) now_.used.push_back(p.name);
    }
    return wrong;
}

void SystemOracle::remove(int kind, int index) {
    OracleObject& o = now_.objects[std::size_t(kind)][std::size_t(index - 1)];
    o.deleted = true;
    if (kind != kPlanet) return;
    std::erase(now_.used, o.name);
    if (!o.name.empty() && o.name != "Planet" + std::to_string(index)) now_.pool.push_back(o.name);
}

void SystemOracle::clearMap() {
    for (auto& all : now_.objects) all.clear();
    refillPool(false);
}

bool SystemOracle::live(int kind, int index) const {
    const OracleObject& o = now_.objects[std::size_t(kind)][std::size_t(index - 1)];
    // A random type not seen yet is never empty.
    return !o.deleted && (o.pick || !(kind == kShip ? o.a : o.name).empty());
}

void SystemOracle::move(int kind, int index, int px, int py) {
    OracleObject& o = now_.objects[std::size_t(kind)][std::size_t(index - 1)];
    o.x = world(py), o.y = world(px), o.px = px, o.py = py;
}

void SystemOracle::setZ(int kind, int index, std::int32_t z) {
    now_.objects[std::size_t(kind)][std::size_t(index - 1)].z = z;
}

void SystemOracle::setLeadsTo(int index, const std::string& text) {
    now_.objects[kJumpNode][std::size_t(index - 1)].name = cut(text, 125);
}

void SystemOracle::confirm(int kind, int index, const std::vector<std::string>& t,
                           const std::vector<std::int32_t>& n) {
    OracleObject& o = now_.objects[std::size_t(kind)][std::size_t(index - 1)];
    const auto& keep = kKeeps[std::size_t(kind)];
    o.pick = 0;
    if (kind == kPlanet) {
        if (t[0] != o.name)
            std::replace(now_.used.begin(), now_.used.end(), o.name, cut(t[0], 120));
        o.name = cut(t[0], keep[0]), o.a = cut(t[1], keep[1]), o.e = cut(t[2], keep[5]);
        o.c = cut(t[3], keep[3]), o.b = cut(t[4], keep[2]), o.d = cut(t[5], keep[4]);
        o.diameter = n[0], o.population = n[1];
    } else if (kind == kShip) {
        o.name = "Ship" + std::to_string(index);
        o.a = cut(t[0], keep[1]), o.b = cut(t[1], keep[2]);
        o.rank = n[0], o.number = n[1], o.flag = std::uint8_t(n[2]);
    } else {
        o.name = cut(t[0], keep[0]);
        if (kind == kAsteroid || kind == kWreck) o.amount = n[0];
    }
}

void SystemOracle::setSunName(const std::string& text) {
    for (OracleObject& p : now_.objects[kPlanet])
        if (!p.deleted && !p.name.empty() && p.c == now_.sunName) p.c = cut(text, 45);
    now_.sunName = text;
}

void SystemOracle::setHeader(const std::string& type, const std::string& background,
                             const std::string& scale) {
    now_.sunType = type, now_.background = background, now_.scale = scale;
}

std::string SystemOracle::seen(int kind, int index, const std::string& shown) {
    OracleObject& o = now_.objects[std::size_t(kind)][std::size_t(index - 1)];
    const std::string& key = kind == kShip ? o.a : o.name;
    if (o.pick && !picks_.count(o.pick)) {
        const auto choices = randomChoices(kind);
        if (std::find(choices.begin(), choices.end(), shown) == choices.end())
            return "a new " + std::string(kTags[kind]) + " has the type '" + shown + "'";
        picks_[o.pick] = shown;
        return {};
    }
    const std::string expected = o.pick ? picks_[o.pick] : key;
    if (shown != expected)
        return std::string(kTags[kind]) + " " + std::to_string(index) + "'s dialog shows '" +
               shown + "', expected '" + expected + "'";
    return {};
}

void SystemOracle::usedListLeft(const std::vector<std::string>& used) {
    now_.used = used;
    if (std::size_t(at_) < history_.size() && history_[std::size_t(at_)])
        history_[std::size_t(at_)]->used = used;
}

void SystemOracle::stepMade(int index, int count) {
    history_.resize(std::size_t(count) + 1);
    history_[std::size_t(index)] = known_ ? std::optional(now_) : std::nullopt;
    at_ = index;
}

void SystemOracle::movedTo(int index) {
    at_ = index;
    known_ = std::size_t(index) < history_.size() && history_[std::size_t(index)];
    if (known_) now_ = *history_[std::size_t(index)];
}

MarkerSet SystemOracle::markers() const {
    MarkerSet set;
    for (int k = 0; k < kKinds; ++k)
        for (std::size_t i = 0; i < now_.objects[std::size_t(k)].size(); ++i) {
            const OracleObject& o = now_.objects[std::size_t(k)][i];
            if (!o.deleted) set.insert({k, int(i) + 1, o.px, o.py});
        }
    return set;
}

std::string SystemOracle::compareDesignFile(const std::string& bytes, bool nodeIds) {
    const auto records = files::readDesignFile(bytes);
    if (!records) return "the file is no whole number of records";
    // The records the file must hold, with their kinds and indices.
    std::vector<std::tuple<DesignRecord, int, int>> expected;
    DesignRecord header;
    header.tag = "sun", header.markerX = "0", header.markerY = "0";
    header.name = cut(now_.sunName, 20), header.a = cut(now_.sunType, 125);
    header.b = cut(now_.background, 120), header.c = cut(now_.scale, 120);
    expected.push_back({header, -1, 0});
    for (const int k : kFileOrder) {
        for (std::size_t i = 0; i < now_.objects[std::size_t(k)].size(); ++i) {
            OracleObject& o = now_.objects[std::size_t(k)][i];
            if (o.deleted) continue;
            if (o.pick) {
                const std::size_t at = expected.size();
                // A random choice not seen yet: learnt from the file, if it is one.
                if (!picks_.count(o.pick) && at < records->size() &&
                    (*records)[at].tag == kTags[k]) {
                    if (std::string wrong = seen(k, int(i) + 1, (*records)[at].name);
                        !wrong.empty())
                        return wrong;
                }
                if (picks_.count(o.pick)) o.name = picks_[o.pick], o.pick = 0;
            }
            if (!live(k, int(i) + 1)) continue;
            DesignRecord r;
            r.tag = kTags[k];
            r.x = o.x, r.y = o.y, r.z = o.z;
            r.markerX = cut(std::to_string(o.px), 4), r.markerY = cut(std::to_string(o.py), 4);
            r.name = cut(o.name, 20), r.a = cut(o.a, 125), r.b = cut(o.b, 120);
            r.c = cut(o.c, 120), r.d = cut(o.d, 50), r.e = cut(o.e, 50);
            r.amount = o.amount, r.rank = o.rank, r.number = o.number;
            r.diameter = o.diameter, r.population = o.population, r.flag = o.flag;
            expected.push_back({r, k, int(i) + 1});
        }
    }
    for (std::size_t at = 0; at < expected.size() && at < records->size(); ++at) {
        const auto& [want, kind, index] = expected[at];
        const auto held = meaningful((*records)[at], kind), wanted = meaningful(want, kind);
        for (std::size_t f = 0; f < wanted.size(); ++f)
            if (held[f].second != wanted[f].second &&
                (nodeIds || std::string(wanted[f].first) != "node id"))
                return "record " + std::to_string(at) + " (" +
                       (kind < 0 ? std::string("sun")
                                 : kTags[kind] + (" " + std::to_string(index))) +
                       ") " + wanted[f].first + ": the file holds '" + held[f].second +
                       "', the user made '" + wanted[f].second + "'";
    }
    if (records->size() != expected.size())
        return "the file holds " + std::to_string(records->size()) + " records, the user made " +
               std::to_string(expected.size());
    return {};
}

std::string SystemOracle::compareLists(const std::string& poolBytes,
                                       const std::string& usedBytes) const {
    std::string wrong = listDifference("p_names.dat", files::readNameList(poolBytes), now_.pool);
    if (wrong.empty())
        wrong = listDifference("list.dat", files::readNameList(usedBytes), now_.used);
    return wrong;
}

}  // namespace mw::ui::test
