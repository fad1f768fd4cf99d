#include "bold_caption.h"

#include <QGroupBox>

namespace mw::ui {

void boldCaption(QGroupBox* group) {
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QFont font = child->font();
        if (font.resolveMask() & QFont::WeightResolved) continue;  // a weight of its own
        font.setBold(false);  // explicit, so the group's bold is not inherited
        child->setFont(font);
    }
    QFont bold = group->font();
    bold.setBold(true);
    group->setFont(bold);
}

}  // namespace mw::ui
