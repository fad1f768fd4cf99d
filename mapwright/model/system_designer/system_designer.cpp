#include "system_designer/system_designer.h"

#include <filesystem>

#include "common/errors.h"
#include "common/file_bytes.h"
#include "common/safe_save.h"
#include "names/name_lists.h"
#include "names/name_workflow.h"
#include "system/designer_text.h"
#include "system_designer/designer_step.h"

namespace mw {

namespace {

SystemHeader defaultHeader() {
    return {
        std::string(designer_text::kDefaultSunName), std::string(designer_text::kDefaultSunType),
        std::string(designer_text::kDefaultBackground), std::string(designer_text::kDefaultScale)};
}

// The kinds in the order of the tool buttons.
constexpr ObjectKind kMarkerOrder[] = {
    ObjectKind::Planet, ObjectKind::Ship,   ObjectKind::Asteroid, ObjectKind::MicroAsteroid,
    ObjectKind::Wreck,  ObjectKind::Nebula, ObjectKind::JumpNode};

bool isDeleted(const SystemModel& m, ObjectRef o) {
    return m.withTable(o.kind, [&](const auto& table) { return table.at(o.index).deleted != 0; });
}

}  // namespace

SystemDesigner::SystemDesigner(NameSettings& settings, EditorRandom& random, NameDirectory names,
                               ShellValues& shell)
    : settings_(settings),
      random_(random),
      names_(std::move(names)),
      shell_(shell),
      tables_(std::make_unique<SystemModel>()),
      header_(defaultHeader()) {}

SystemDesigner::~SystemDesigner() = default;

NameWorkflow SystemDesigner::names() const {
    return NameWorkflow(*tables_, settings_, random_, names_);
}

std::string SystemDesigner::objectName(ObjectRef o) const {
    if (o.kind == ObjectKind::Planet && o.index >= 1 && o.index <= kTableCapacity) {
        const std::string name = tables_->planets.at(o.index).name.str();
        if (!name.empty()) return "planet " + name;
    }
    return objectLabel(o);
}

std::string SystemDesigner::caption() const {
    return designer_text::caption(header_.sunName);
}

MarkerView SystemDesigner::marker(ObjectRef o) const {
    MarkerView v;
    v.kind = o.kind;
    v.index = o.index;
    v.caption = std::string(markerCaption(o.kind));
    tables_->withTable(o.kind, [&](const auto& table) { v.pixel = table.at(o.index).marker; });
    v.hint = o.kind == ObjectKind::JumpNode ? tables_->jumpNodes.at(o.index).nodeId.str()
                                            : markerHint(o.kind, o.index);
    switch (o.kind) {
        case ObjectKind::Planet:
            v.label = tables_->planets.at(o.index).name.str();
            break;
        case ObjectKind::Ship:
            v.label = tables_->ships.at(o.index).name.str();
            break;
        case ObjectKind::JumpNode:
            v.label = tables_->jumpNodes.at(o.index).nodeId.str();
            break;
        default:
            break;
    }
    return v;
}

std::vector<MarkerView> SystemDesigner::markers() const {
    std::vector<MarkerView> all;
    for (const ObjectKind kind : kMarkerOrder)
        for (int i = 1; i <= tables_->count(kind); ++i)
            if (!isDeleted(*tables_, {kind, i})) all.push_back(marker({kind, i}));
    return all;
}

DesignerChange SystemDesigner::Create(Prompts& prompts) {
    DesignerChange change;
    change.clearMarkers = true;
    change.headerChanged = true;
    change.systemChanged = true;
    header_ = defaultHeader();
    filePath_.clear();
    try {
        names().designerCreated([&] {
            // The sun name field shows the drawn name: a rename with nothing placed.
            header_.sunName = tables_->currentSystemName.str();
            tables_->RenameSystem(header_.sunName);
            if (shell_.openFlag) {
                const DesignerChange opened = Open(prompts);
                change.added = opened.added;
                change.closeWindow = opened.closeWindow;
            }
        });
    } catch (const UserError& e) {
        prompts.error(e.what());
    }
    change.caption = caption();
    return change;
}

WorldPosition SystemDesigner::MoveCursor(MarkerPos pixel) {
    tables_->lastCursorPixel = pixel;
    return WorldFromMarker(pixel);
}

DesignerChange SystemDesigner::ClickMap(Tool tool, MarkerPos pixel, Prompts& prompts) {
    if (!OnMapPanel(pixel)) return {};
    tables_->lastCursorPixel = pixel;
    try {
        EnsureNameFiles(names_);
        tables_->currentSystemName = header_.sunName;
        if (tool == Tool::Delete) prompts.notice(std::string(designer_text::kDeleteNothing));
        const WorldPosition at = WorldFromMarker(pixel);
        if (at.x == 0 && at.y == 0) return {};  // nothing is placed on the sun
        const std::optional<ObjectKind> kind = kindPlacedBy(tool);
        if (!kind) return {};
        return place(*kind, pixel, prompts);
    } catch (const UserError& e) {
        prompts.error(e.what());
    }
    return {};
}

DesignerChange SystemDesigner::place(ObjectKind kind, MarkerPos pixel, Prompts& prompts) {
    DesignerChange change;
    const WorldPosition at = WorldFromMarker(pixel);
    int index = 0;
    try {
        if (kind == ObjectKind::Planet) {
            const PlacedPlanet p = names().placePlanet(at.x, at.y, pixel, header_.sunName);
            index = p.index;
            if (p.notice) prompts.notice(*p.notice);
        } else {
            index = tables_->AllocateIndex(kind);
            fillPlacement(kind, index, at, pixel);
        }
    } catch (const TableFullError& e) {
        prompts.notice(e.what());
        return change;
    } catch (const UserError& e) {
        // Nothing was placed: a planet's name lists are written before it is stored.
        prompts.error(e.what());
        return change;
    }
    change.added.push_back(marker({kind, index}));
    change.systemChanged = true;
    return change;
}

void SystemDesigner::fillPlacement(ObjectKind kind, int index, WorldPosition at, MarkerPos pixel) {
    auto common = [&](auto& r) {
        r.x = at.x;
        r.y = at.y;
        r.z = 0;
        r.deleted = 0;
        r.marker = pixel;
    };
    switch (kind) {
        case ObjectKind::MicroAsteroid: {
            MicroAsteroidRecord& r = tables_->microAsteroids.at(index) = MicroAsteroidRecord{};
            common(r);
            r.type = placement::kMicroAsteroidType;
            return;
        }
        case ObjectKind::Asteroid: {
            AsteroidRecord& r = tables_->asteroids.at(index) = AsteroidRecord{};
            common(r);
            r.type = std::string(placement::kAsteroidTypePrefix) +
                     std::to_string(1 + random_.uniform(4));
            r.capacity = placement::kAsteroidCapacity;
            return;
        }
        case ObjectKind::Wreck: {
            WreckRecord& r = tables_->wrecks.at(index) = WreckRecord{};
            common(r);
            r.type = placement::kWreckType;
            r.value = placement::kWreckValue;
            return;
        }
        case ObjectKind::Nebula: {
            NebulaRecord& r = tables_->nebulae.at(index) = NebulaRecord{};
            common(r);
            r.type = placement::kNebulaTypes[random_.uniform(2)];
            return;
        }
        case ObjectKind::JumpNode: {
            JumpNodeRecord& r = tables_->jumpNodes.at(index) = JumpNodeRecord{};
            common(r);
            r.leadsTo = placement::kJumpNodeLeadsTo;
            r.nodeId = makeNodeId(header_.sunName, index);
            return;
        }
        case ObjectKind::Ship: {
            ShipRecord& r = tables_->ships.at(index) = ShipRecord{};
            common(r);
            r.name = std::string(placement::kShipNamePrefix) + std::to_string(index);
            r.owner = placement::kShipOwner;
            r.type = placement::kShipType;
            r.deployed = 0;
            r.rank = placement::kShipRank;
            r.numberOfShips = placement::kShipNumberOfShips;
            return;
        }
        case ObjectKind::Planet:
            break;  // placed with its name steps
    }
}

DesignerChange SystemDesigner::ClickMarker(Tool tool, ObjectRef object, Prompts& prompts) {
    DesignerChange change;
    if (object.index < 1 || object.index > tables_->count(object.kind)) return change;
    tables_->currentObjectIndex = object.index;
    if (tool != Tool::Delete) {
        change.openDialog = object.kind;
        return change;
    }
    if (isDeleted(*tables_, object)) return change;
    try {
        if (object.kind == ObjectKind::Planet)
            names().deletePlanet(object.index);
        else
            tables_->MarkDeleted(object.kind, object.index);
    } catch (const UserError& e) {
        // The planet stays: its name lists are written before it is deleted.
        prompts.error(e.what());
        return change;
    }
    change.removed.push_back(object);
    change.systemChanged = true;
    return change;
}

DesignerChange SystemDesigner::Open(Prompts& prompts) {
    if (!shell_.openFlag && unsaved_ && !prompts.ask(std::string(designer_text::kAskOpenAnother)))
        return {};
    // The flag is set only for a window the main window made for its Open.
    return chooseAndOpen(prompts, shell_.openFlag);
}

DesignerChange SystemDesigner::OpenFromMainWindow(Prompts& prompts) {
    return chooseAndOpen(prompts, false);
}

DesignerChange SystemDesigner::chooseAndOpen(Prompts& prompts, bool closeOnCancel) {
    const std::string path = prompts.chooseFile(FileDialog::OpenSystem);
    if (!path.empty()) return OpenFile(path, prompts);
    shell_.openFlag = false;
    DesignerChange change;
    change.closeWindow = closeOnCancel;
    return change;
}

DesignerChange SystemDesigner::OpenFile(const std::string& path, Prompts& prompts, NodeIds ids) {
    DesignerChange change;
    shell_.openFlag = false;
    // Read into a scratch system: a damaged file leaves the open one untouched.
    auto scratch = std::make_unique<SystemModel>();
    scratch->currentObjectIndex = tables_->currentObjectIndex;
    scratch->zTargetKind = tables_->zTargetKind;
    scratch->lastCursorPixel = tables_->lastCursorPixel;
    SystemHeader header;
    try {
        header = OpenSystem(path, *scratch, {}, {}, ids);
        // The pool follows the system read before that system replaces the
        // open one: when "p_names.dat" cannot be written, nothing changes.
        NameWorkflow(*scratch, settings_, random_, names_).systemOpened();
    } catch (const UserError& e) {
        prompts.error(e.what());
        return change;
    }
    // Copied, not swapped: callers may hold the tables by reference.
    *tables_ = *scratch;
    header_ = std::move(header);
    filePath_ = path;
    shell_.lastOpenedCaption =
        designer_text::caption(header_.sunName).substr(0, designer_text::kLastOpenedCaptionLength);
    tables_->RenameSystem(header_.sunName);

    change.clearMarkers = true;
    change.added = markers();
    change.headerChanged = true;
    change.systemChanged = true;
    change.caption = caption();
    return change;
}

DesignerChange SystemDesigner::ClearMap(Prompts& prompts) {
    DesignerChange change;
    if (!prompts.ask(std::string(designer_text::kAskClearMap))) return change;
    try {
        names().clearMap();
    } catch (const UserError& e) {
        // The pool could not be refilled: the map stays as it was.
        prompts.error(e.what());
        return change;
    }
    change.clearMarkers = true;
    change.systemChanged = true;
    return change;
}

std::optional<std::string> SystemDesigner::SaveAs(Prompts& prompts) {
    std::string path = prompts.chooseFile(FileDialog::SaveSystem);
    if (path.empty()) return std::nullopt;
    if (!std::filesystem::path(path).has_extension())
        path += "." + std::string(fileDialogText(FileDialog::SaveSystem).defaultExtension);
    if (!SaveTo(path, prompts)) return std::nullopt;
    return path;
}

bool SystemDesigner::SaveTo(const std::string& path, Prompts& prompts) {
    try {
        SaveSystem(path, header_.sunName, header_.sunType, header_.background, header_.scale,
                   *tables_);
    } catch (const UserError& e) {
        prompts.error(e.what());
        return false;
    }
    filePath_ = path;
    return true;
}

bool SystemDesigner::ConfirmClose(Prompts& prompts) {
    return !unsaved_ || prompts.ask(std::string(designer_text::kAskCloseWindow));
}

DesignerChange SystemDesigner::Closing() {
    tables_->ResetTables();
    filePath_.clear();
    DesignerChange change;
    change.clearMarkers = true;
    change.systemChanged = true;
    return change;
}

DesignerChange SystemDesigner::setHeaderText(std::string SystemHeader::*field,
                                             std::string_view text, std::size_t capacity) {
    // What the file cannot keep is not kept here either: the name on screen,
    // the planets' orbits and the saved file agree.
    text = text.substr(0, capacity);
    DesignerChange change;
    change.systemChanged = header_.*field != text;
    change.headerChanged = change.systemChanged;
    header_.*field = std::string(text);
    return change;
}

DesignerChange SystemDesigner::SetSunName(std::string_view text) {
    DesignerChange change = setHeaderText(&SystemHeader::sunName, text, header_capacity::kSunName);
    tables_->RenameSystem(header_.sunName);
    change.caption = caption();
    return change;
}

DesignerChange SystemDesigner::SetSunType(std::string_view text) {
    return setHeaderText(&SystemHeader::sunType, text, header_capacity::kSunType);
}

DesignerChange SystemDesigner::SetBackground(std::string_view text) {
    return setHeaderText(&SystemHeader::background, text, header_capacity::kBackground);
}

DesignerChange SystemDesigner::SetScale(std::string_view text) {
    return setHeaderText(&SystemHeader::scale, text, header_capacity::kScale);
}

DesignerSnapshot SystemDesigner::TakeSnapshot() const {
    return {tables_->Snapshot(), header_, ReadFileBytes(names_.pool()),
            ReadFileBytes(names_.usedList())};
}

void SystemDesigner::RestoreSnapshot(const DesignerSnapshot& snapshot,
                                     const std::vector<FileEdit>& edits, bool forward) {
    // The files first, all or none: when one cannot be written the tables
    // and the header stay as they are. The pool moves last, as in every step
    // (NameListsDraft): a file that cannot be put back is never the pool.
    ApplyFileEdits(edits, forward,
                   {{names_.usedList(), snapshot.usedList}, {names_.pool(), snapshot.pool}});
    tables_->Restore(snapshot.tables);
    header_ = snapshot.header;
}

DesignerChange SystemDesigner::MoveMarker(ObjectRef object, MarkerPos pixel) {
    DesignerChange change;
    if (object.index < 1 || object.index > tables_->count(object.kind) ||
        isDeleted(*tables_, object) || !OnMapPanel(pixel))
        return change;
    const WorldPosition at = WorldFromMarker(pixel);
    if (at.x == 0 && at.y == 0) return change;  // the sun's pixel
    bool moved = false;
    tables_->withTable(object.kind, [&](auto& table) {
        auto& r = table.at(object.index);
        moved = !(r.marker == pixel) || r.x != at.x || r.y != at.y;
        r.marker = pixel;
        r.x = at.x;
        r.y = at.y;
    });
    if (!moved) return change;
    change.removed.push_back(object);
    change.added.push_back(marker(object));
    change.systemChanged = true;
    return change;
}

DesignerChange SystemDesigner::restoredChange(const DesignerStep& step) {
    // Only the markers of the objects the step touched are made anew.
    DesignerChange change;
    change.removed = step.touched();
    for (const ObjectRef& o : change.removed)
        if (o.index <= tables_->count(o.kind) && !isDeleted(*tables_, o))
            change.added.push_back(marker(o));
    change.headerChanged = true;
    change.systemChanged = true;
    change.caption = caption();
    return change;
}

DesignerChange SystemDesigner::UndoStep(const DesignerStep& step) {
    DesignerSnapshot s = TakeSnapshot();
    step.undo(s);
    RestoreSnapshot(s, step.fileEdits(), false);
    return restoredChange(step);
}

DesignerChange SystemDesigner::RedoStep(const DesignerStep& step) {
    DesignerSnapshot s = TakeSnapshot();
    step.redo(s);
    RestoreSnapshot(s, step.fileEdits(), true);
    return restoredChange(step);
}

}  // namespace mw
