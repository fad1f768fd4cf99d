#include "jump_node_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "node_list.h"
#include "system_designer/object_dialogs.h"
#include "widgets/text.h"

namespace mw::ui {

Tjn::Tjn(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::JumpNode, "jn", QStringLiteral("Jumpnode properties"),
                   QStringLiteral("Set 'Z' coordinate"), context, owner) {
    Edit1 = edit("Edit1", field_capacity::kLeadsTo, this);
    Edit1->setMinimumWidth(240);
    Button4 = button("Button4", QStringLiteral("Link systems"), this);
    connect(Button4, &QPushButton::clicked, this, &Tjn::Button4Click);
    addField(QStringLiteral("Leads to:"), Edit1, Button4);
    // The index is not shown here: the node id on the marker's hint names the node.
    Label2 = addIndexLabel();
    Label2->hide();
}

void Tjn::FormShow() {
    Edit1->setText(fromModel(jumpNodeDialogValues(tables(), index()).leadsTo));
    Label2->setText(fromModel(indexLabel(index())));
}

void Tjn::Button4Click() {
    const std::optional<std::vector<std::string>> entries = document().linkSystems();
    if (!entries || !nodeList_) return;
    // The chooser's OK has linked the node already; the field shows what is stored.
    if (nodeList_->offer(*entries) == QDialog::Accepted)
        Edit1->setText(fromModel(jumpNodeDialogValues(tables(), index()).leadsTo));
}

bool Tjn::confirm() {
    return document().confirmDialog(JumpNodeDialogValues{toModel(Edit1->text())});
}

}  // namespace mw::ui
