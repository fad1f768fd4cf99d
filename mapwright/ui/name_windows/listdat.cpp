#include "listdat.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "document/editor_context.h"
#include "prompts/user_errors.h"
#include "widgets/text.h"

namespace mw::ui {

TLISTDAT::TLISTDAT(EditorContext& context, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      ListBox1(new QListWidget(this)),
      Label1(new QLabel(QStringLiteral("XXXX record(s)"), this)),
      Button1(new QPushButton(QStringLiteral("Refresh (LIST.DAT)"), this)),
      Button3(new QPushButton(QStringLiteral("Refresh (P_NAMES.DAT)"), this)),
      Button4(new QPushButton(QStringLiteral("Refresh (PNAMES in editor)"), this)),
      Button2(new QPushButton(QStringLiteral("Close"), this)),
      context_(context) {
    setObjectName(QStringLiteral("LISTDAT"));
    setWindowTitle(QStringLiteral("LISTDAT"));
    setFixedSize(172, 264);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(4, 4, 164, 136);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 143, 160, 16);
    int y = 162;
    for (QPushButton* b : {Button1, Button3, Button4, Button2}) {
        b->setGeometry(4, y, 164, 23);
        y += 25;
    }
    Button1->setObjectName(QStringLiteral("Button1"));
    Button3->setObjectName(QStringLiteral("Button3"));
    Button4->setObjectName(QStringLiteral("Button4"));
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &TLISTDAT::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TLISTDAT::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TLISTDAT::Button4Click);
    connect(Button2, &QPushButton::clicked, this, &QWidget::hide);
}

void TLISTDAT::refresh(WatchList list) {
    showingErrors(context_.prompts, [&] {
        const std::vector<std::string> names =
            WatchNames(list, context_.state.nameFiles(), context_.state.designer().tables());
        ListBox1->clear();
        for (const std::string& name : names) ListBox1->addItem(fromModel(name));
        Label1->setText(fromModel(names_text::recordCountText(names.size())));
    });
}

}  // namespace mw::ui
