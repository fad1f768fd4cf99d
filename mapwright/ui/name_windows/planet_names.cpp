#include "planet_names.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>
#include <QToolButton>

#include "document/editor_context.h"
#include "prompts/user_errors.h"
#include "widgets/bold_caption.h"
#include "widgets/embedded_pictures.h"
#include "widgets/hint.h"
#include "widgets/text.h"
#include "widgets/window_placement.h"

namespace mw::ui {

TPlanet_Names::TPlanet_Names(EditorContext& context, std::function<void(const QString&)> status,
                             QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      context_(context),
      status_(std::move(status)),
      manager_(context.state.nameSettings(), context.state.nameFiles(),
               context.state.designer().tables()) {
    setObjectName(QStringLiteral("Planet_Names"));
    setWindowTitle(fromModel(manager_.caption()));
    setModal(true);
    setFixedSize(371, 242);

    GroupBox1 = new QGroupBox(QStringLiteral("Overview"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(6, 4, 190, 232);
    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 20, 174, 152);
    Label1 = new QLabel(QStringLiteral("Use this style:"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 178, 174, 16);
    ComboBox1 = new QComboBox(GroupBox1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(8, 198, 174, 24);
    for (const NameStyle& style : kNameStyles) ComboBox1->addItem(fromModel(style.caption));
    ComboBox1->setCurrentIndex(-1);

    GroupBox2 = new QGroupBox(QStringLiteral("Selected database"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(202, 4, 163, 58);
    Edit1 = new QLineEdit(fromPath(manager_.file()), GroupBox2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 24, 118, 24);
    Edit1->setReadOnly(true);
    QFont bold = Edit1->font();
    bold.setBold(true);
    Edit1->setFont(bold);
    SpeedButton1 = new QToolButton(GroupBox2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(130, 24, 25, 24);
    SpeedButton1->setIcon(embeddedIcon(QStringLiteral("toolbar/open")));
    setHint(SpeedButton1, QStringLiteral("Click here to locate an other file."));
    boldCaption(GroupBox1);
    boldCaption(GroupBox2);

    Button3 = new QPushButton(QStringLiteral("OK"), this);
    Button1 = new QPushButton(QStringLiteral("Cancel"), this);
    Button4 = new QPushButton(QStringLiteral("Browser"), this);
    Button2 = new QPushButton(QStringLiteral("Reload"), this);
    Button5 = new QPushButton(QStringLiteral("Help"), this);
    const QPair<QPushButton*, const char*> buttons[] = {{Button3, "Button3"},
                                                        {Button1, "Button1"},
                                                        {Button4, "Button4"},
                                                        {Button2, "Button2"},
                                                        {Button5, "Button5"}};
    int y = 72;
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(202, y, 163, 26);
        button->setAutoDefault(false);
        y += button == Button1 ? 44 : 32;  // OK and Cancel apart from the rest
    }
    Button3->setDefault(true);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TPlanet_Names::ComboBox1Change);
    connect(SpeedButton1, &QToolButton::clicked, this, &TPlanet_Names::SpeedButton1Click);
    connect(Button1, &QPushButton::clicked, this, &TPlanet_Names::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TPlanet_Names::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TPlanet_Names::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TPlanet_Names::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TPlanet_Names::Button5Click);
}

int TPlanet_Names::execute(NamesMode mode) {
    setMode(mode);
    return exec();
}

void TPlanet_Names::setMode(NamesMode mode) {
    manager_.Open(mode);
    setWindowTitle(fromModel(manager_.caption()));
    Edit1->setText(fromPath(manager_.file()));
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->setCurrentIndex(manager_.styleIndex());
    }
}

void TPlanet_Names::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        centreOnScreen(this);
        FormShow();
    }
    QDialog::showEvent(event);
}

void TPlanet_Names::FormShow() {
    fillList();
}

void TPlanet_Names::fillList() {
    showingErrors(context_.prompts, [this] {
        const auto names = manager_.ListNames();
        if (!names) return;
        ListBox1->clear();
        for (const std::string& name : *names) ListBox1->addItem(fromModel(name));
    });
}

void TPlanet_Names::ComboBox1Change(int index) {
    manager_.SelectStyle(index);
}

void TPlanet_Names::SpeedButton1Click() {
    manager_.Locate(context_.prompts);
    Edit1->setText(fromPath(manager_.file()));
    fillList();
}

void TPlanet_Names::Button1Click() {
    reject();
}

void TPlanet_Names::Button2Click() {
    fillList();
}

void TPlanet_Names::Button3Click() {
    if (showingErrors(context_.prompts, [this] { manager_.Confirm(); })) accept();
}

void TPlanet_Names::Button4Click() {
    // Beside the editor first, then the search path.
    const QString name = fromModel(names_text::kNameExplorer);
    QString program = QStandardPaths::findExecutable(name, {context_.files.dir()});
    if (program.isEmpty()) program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) {
        status_(messageText(names_text::nameExplorerNotFound(toPath(context_.files.dir()))));
        return;
    }
    QProcess explorer;
    explorer.setProgram(program);
    explorer.setWorkingDirectory(fromPath(context_.state.workingFolder().string()));
    if (!explorer.startDetached())
        status_(messageText(names_text::nameExplorerNotStarted(toPath(program),
                                                               toMessage(explorer.errorString()))));
}

void TPlanet_Names::Button5Click() {
    context_.prompts.notice(std::string(names_text::kManagerHelp));
}

}  // namespace mw::ui
