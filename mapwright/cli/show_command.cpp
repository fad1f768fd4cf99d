// mapwright show FILE.sdf: a system design file, loaded as the designer's Open
// loads it, printed as one JSON object.
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "commands.h"
#include "show_latin1.h"
#include "system/object_kinds.h"
#include "system/system_file.h"
#include "system/system_model.h"

namespace mw::cli {

namespace {

using Json = nlohmann::ordered_json;

// A meaning as a JSON key: "orbits around" -> "orbits_around".
std::string jsonKey(Meaning meaning) {
    std::string key(meaningName(meaning));
    for (char& c : key)
        if (c == ' ') c = '_';
    return key;
}

template <typename Record, typename Member>
void putField(Json& o, const RecordField<Record, Member>& f, const Record& r) {
    if constexpr (RecordField<Record, Member>::type == FieldType::Text)
        o[jsonKey(f.meaning)] = latin1ToUtf8((r.*f.member).view());
    else
        o[jsonKey(f.meaning)] = r.*f.member;
}

template <typename Record>
void putPosition(Json& o, const Record& r) {
    o["x"] = r.x;
    o["y"] = r.y;
    o["z"] = r.z;
}

template <typename Record>
Json listTable(ObjectKind kind, const ObjectTable<Record>& table) {
    const std::size_t positionAt = kindInfo(kind).positionAt;
    Json list = Json::array();
    // OpenSystem numbers each kind 1..count without gaps, so every record read is here.
    for (int i = 1; i <= table.count(); ++i) {
        const Record& r = table.at(i);
        Json o;
        o["index"] = i;
        std::size_t written = 0;
        forEachField<Record>([&](const auto& f) {
            if (written++ == positionAt) putPosition(o, r);
            putField(o, f, r);
        });
        if (written == positionAt) putPosition(o, r);
        o["marker_x"] = r.marker.x;
        o["marker_y"] = r.marker.y;
        list.push_back(std::move(o));
    }
    return list;
}

Json systemJson(const SystemHeader& h, const SystemModel& m) {
    Json j;
    j[jsonKey(Meaning::SunName)] = latin1ToUtf8(h.sunName);
    j[jsonKey(Meaning::SunType)] = latin1ToUtf8(h.sunType);
    j[jsonKey(Meaning::Background)] = latin1ToUtf8(h.background);
    j[jsonKey(Meaning::Scale)] = latin1ToUtf8(h.scale);
    for (const KindInfo& k : kKinds)
        m.withTable(k.kind, [&](const auto& table) {
            j[std::string(k.listName)] = listTable(k.kind, table);
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
