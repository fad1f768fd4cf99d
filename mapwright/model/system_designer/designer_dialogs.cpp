// The designer's operations behind the property dialogs, the Z dialog and the
// node chooser: each OK is one call on the current object index.
#include <filesystem>
#include <system_error>

#include "common/decimal_field.h"
#include "common/errors.h"
#include "names/name_workflow.h"
#include "system/designer_text.h"
#include "system/two_way_link.h"
#include "system_designer/system_designer.h"

namespace mw {

std::optional<int> SystemDesigner::currentObject(ObjectKind kind) const {
    const int index = tables_->currentObjectIndex;
    if (index < 1 || index > tables_->count(kind)) return std::nullopt;
    return index;
}

std::optional<DesignerChange> SystemDesigner::ConfirmDialog(const DialogValues& values,
                                                            Prompts& prompts) {
    DesignerChange change;
    const std::optional<int> index = currentObject(kindOf(values));
    if (!index) return change;  // no such object: nothing to store
    try {
        std::visit(
            [&](const auto& v) {
                if constexpr (std::is_same_v<std::decay_t<decltype(v)>, PlanetDialogValues>)
                    names().confirmPlanetDialog(*index, v);
                else
                    storeDialogValues(*tables_, *index, v);
            },
            values);
    } catch (const UserError& e) {
        prompts.error(e.what());
        return std::nullopt;
    }
    // Its marker shows what the dialog may have renamed (label and hint).
    change.added.push_back(marker({kindOf(values), *index}));
    change.systemChanged = true;
    return change;
}

std::string SystemDesigner::BeginZ(ObjectKind kind) {
    tables_->zTargetKind = kind;
    zRemembered_ = 0;
    if (const std::optional<int> index = currentObject(kind))
        zRemembered_ = tables_->withTable(kind, [&](const auto& t) { return t.at(*index).z; });
    return std::to_string(zRemembered_);
}

std::optional<DesignerChange> SystemDesigner::ConfirmZ(std::string_view text, Prompts& prompts) {
    std::int32_t z = 0;
    try {
        z = parseInteger(text);
    } catch (const UserError& e) {
        prompts.error(e.what());
        return std::nullopt;
    }
    zRemembered_ = z;
    DesignerChange change;
    if (const std::optional<int> index = currentObject(tables_->zTargetKind)) {
        tables_->SetZ(tables_->zTargetKind, *index, z);
        change.systemChanged = true;
    }
    return change;
}

std::string SystemDesigner::CancelZ() const {
    return std::to_string(zRemembered_);
}

std::optional<std::vector<std::string>> SystemDesigner::LinkSystems(Prompts& prompts) {
    const std::string path = prompts.chooseFile(FileDialog::LinkSystems);
    if (path.empty()) return std::nullopt;
    links_.clear();
    linkedFile_.clear();
    std::vector<JumpNodeLink> nodes;
    try {
        nodes = ReadJumpNodes(path);
    } catch (const UserError& e) {
        prompts.error(e.what());
        return std::nullopt;
    }
    linkedFile_ = path;
    const std::size_t count = nodes.size();
    if (links_.assign(std::move(nodes)) > 0)
        prompts.notice(designer_text::tooManyJumpNodes(path, count, JumpNodeLinks::kCapacity));
    return links_.chooserEntries();
}

std::optional<DesignerChange> SystemDesigner::ChooseLink(std::string_view chosen, Prompts& prompts,
                                                         bool bothWays) {
    DesignerChange change;
    const std::optional<int> index = currentObject(ObjectKind::JumpNode);
    if (!index) return change;
    if (const std::string tooLong = LeadsToTooLong(chosen); !tooLong.empty()) {
        prompts.error("This jump node cannot lead to the chosen node: " + tooLong);
        return std::nullopt;
    }
    // "0" unlinks this node only: there is no node to lead back.
    if (bothWays && chosen != placement::kJumpNodeLeadsTo) {
        try {
            std::error_code same;
            if (!filePath_.empty() && std::filesystem::equivalent(filePath_, linkedFile_, same))
                throw UserError(printableBytes(linkedFile_) +
                                ": this is the system open in the designer; link both ways to "
                                "a node of another system");
            const auto& node = tables_->jumpNodes.at(*index);
            const std::string ownId = node.nodeId.str();
            // The node it leads to now is looked for beside the chosen file and this one.
            std::vector<std::filesystem::path> folders{
                std::filesystem::path(linkedFile_).parent_path()};
            if (!filePath_.empty())
                folders.push_back(std::filesystem::path(filePath_).parent_path());
            const TwoWayLink link =
                PlanTwoWayLink(linkedFile_, chosen, ownId, node.leadsTo.view(), folders, filePath_);
            if (const std::string question = link_text::askRelink(linkedFile_, link, ownId);
                !question.empty() && !prompts.ask(question))
                return std::nullopt;
            // The other files first: when they cannot be written, nothing has changed.
            ApplyFileEdits({link.partnerEdit, link.oldPartnerEdit}, true);
            for (const FileEdit& edit : {link.partnerEdit, link.oldPartnerEdit})
                if (!edit.empty()) change.filesEdited.push_back(edit);
        } catch (const UserError& e) {
            prompts.error(e.what());
            return std::nullopt;
        }
    }
    storeDialogValues(*tables_, *index, JumpNodeDialogValues{std::string(chosen)});
    change.systemChanged = true;
    return change;
}

}  // namespace mw
