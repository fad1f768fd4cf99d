#include "mcw.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "check/map_check.h"
#include "check/map_graph.h"
#include "check/map_links.h"
#include "document/editor_context.h"
#include "map/design_file_lookup.h"
#include "map_picture_view.h"
#include "mcw_check.h"
#include "mcw_help.h"
#include "project/map_history_files.h"
#include "project/project_check.h"
#include "prompts/user_errors.h"
#include "tab_control.h"
#include "widgets/field_rules.h"
#include "widgets/hint.h"
#include "widgets/text.h"
#include "widgets/undo_keys.h"
#include "widgets/window_placement.h"

namespace mw::ui {

namespace {

const char kNameHint[] =
    "The name should be one or two words, and the description should be short.";
const char kEmpireCountHint[] =
    "The number of empires can be 2, 4 and 8. Do not modify this by yourself, or the game will "
    "crash. Choose an option from the list.";
const char kShipWarning[] =
    "Please pay attention: DO NOT SET the max number of ships too  high, because it can lead to "
    "instability. The default settings are the best I think.";
// One label over the three group numbers; each spin edit sits under its words.
const char* const kGroupCaptions[] = {"Max spy  ", "Max Ship ", "Max spec."};

// The characters a text field of the map's record keeps.
template <typename Record, typename Field>
constexpr int capacityOf(Field Record::*) {
    return static_cast<int>(Field::capacity);
}

template <std::size_t N>
QStringList items(const std::array<std::string_view, N>& texts) {
    QStringList list;
    for (std::string_view t : texts) list.append(fromModel(t));
    return list;
}

QSpinBox* spinEdit(QWidget* parent) {
    // The fields have no bounds of their own.
    return numberField(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), parent);
}

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

TMCW::TMCW(EditorContext& context, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      context_(context),
      map_(context.state.map()),
      project_(map_.project()) {
    setObjectName(QStringLiteral("MCW"));
    setWindowTitle(QStringLiteral("Map creator wizard..."));
    setModal(true);

    auto* left = new QVBoxLayout;
    left->addWidget(buildSystemsGroup());
    left->addWidget(buildMapGroup());
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(buildEmpiresGroup(), 0, Qt::AlignTop);

    Label14 = named(new QLabel(this), "Label14");
    Label14->hide();
    MCWcheck = new TMCWcheck(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buildBottomRow());
    // Sized for the most tabs, so eight empires' rows of tabs leave the controls their room.
    QStringList most;
    for (int i = 1; i <= kMaxEmpires; ++i) most.append(QStringLiteral("Empire%1").arg(i));
    TabControl1->setTabs(most);
    setFixedSize(sizeHint());

    // Wherever the focus is, its fields included, the keys take back the map's steps.
    const auto shortcut = [this](const QKeySequence& keys, void (TMCW::*slot)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Undo, &TMCW::Button10Click);
    // One shortcut a key: two on the same key would both stay silent.
    QList<QKeySequence> redo = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z),
          QKeySequence(Qt::ControlModifier | Qt::Key_Y)})
        if (!redo.contains(keys)) redo.append(keys);
    for (const QKeySequence& keys : redo) shortcut(keys, &TMCW::Button11Click);
    for (QWidget* field : std::initializer_list<QWidget*>{
             Edit1, Edit2, ComboBox1, Edit3, ComboBox2, ComboBox3, SpinEdit1, ComboBox4, ComboBox5,
             SpinEdit2, SpinEdit3, SpinEdit4})
        takeUndoKeys(field);
}

void TMCW::takeUndoKeys(QWidget* field) {
    field->installEventFilter(this);
    for (QLineEdit* inner : field->findChildren<QLineEdit*>()) inner->installEventFilter(this);
}

bool TMCW::eventFilter(QObject* watched, QEvent* event) {
    // Not taken by the field: the wizard's shortcuts get the keys.
    if (PassUndoKeyOn(event)) return true;
    return QDialog::eventFilter(watched, event);
}

QGroupBox* TMCW::buildSystemsGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Solar systems"), this), "GroupBox1");
    ListBox1 = named(new QListWidget(group), "ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setFixedWidth(180);
    ListBox1->setMinimumHeight(10 * ListBox1->fontMetrics().height() + 8);  // ten systems
    // Ten systems with their labels at a size still read with ease.
    Image1 = named(new MapPictureView(group), "Image1");
    Image1->setFixedSize(360, 320);
    connect(Image1, &MapPictureView::linkDragged, this,
            [this](std::size_t from, std::size_t to) { changeLink(from, to, true); });
    connect(Image1, &MapPictureView::unlinkRequested, this,
            [this](std::size_t from, std::size_t to) { changeLink(from, to, false); });
    Button1 = named(new QPushButton(QStringLiteral("Insert"), group), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("Remove"), group), "Button2");
    Button9 = named(new QPushButton(QStringLiteral("Edit system"), group), "Button9");
    setHint(Button9, QStringLiteral("Opens the selected system in the system designer (so does a "
                                    "double-click in the list or on the map)"));
    connect(Button1, &QPushButton::clicked, this, &TMCW::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMCW::Button2Click);
    connect(Button9, &QPushButton::clicked, this, &TMCW::Button9Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { editSystem(ListBox1->row(item)); });
    connect(Image1, &MapPictureView::systemDoubleClicked, this, &TMCW::editSystem);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button9);
    buttons->addStretch();
    auto* list = new QVBoxLayout;
    list->addWidget(ListBox1, 1);
    list->addLayout(buttons);
    auto* layout = new QHBoxLayout(group);
    layout->addLayout(list);
    layout->addWidget(Image1);
    return group;
}

QGroupBox* TMCW::buildMapGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Map properties"), this), "GroupBox2");
    Edit1 = named(textField(capacityOf(&MapProjectRecord::mapName), group), "Edit1");
    Edit2 = named(textField(capacityOf(&MapProjectRecord::description), group), "Edit2");
    setHint(Edit1, QString::fromLatin1(kNameHint));
    setHint(Edit2, QString::fromLatin1(kNameHint));
    ComboBox1 = named(choiceField(items(wizard_text::kEmpireCounts), 1, group), "ComboBox1");
    ComboBox1->setFixedWidth(60);
    setHint(ComboBox1, QString::fromLatin1(kEmpireCountHint));
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
        map_.setMapName(toModel(text));
        showState();
    });
    connect(Edit2, &QLineEdit::textChanged, this, [this](const QString& text) {
        map_.setDescription(toModel(text));
        showState();
    });
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TMCW::ComboBox1Change);

    auto* layout = new QFormLayout(group);
    layout->addRow(QStringLiteral("Name"), Edit1);
    layout->addRow(QStringLiteral("Description"), Edit2);
    layout->addRow(QStringLiteral("Number of empires"), ComboBox1);
    return group;
}

QGroupBox* TMCW::buildEmpiresGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Empires"), this), "GroupBox3");
    TabControl1 = named(new TabControl(group), "TabControl1");
    connect(TabControl1, &TabControl::currentChanged, this, &TMCW::TabControl1Change);
    QWidget* page = TabControl1->page();

    Edit3 = named(textField(capacityOf(&EmpireSetup::name), page), "Edit3");
    ComboBox2 =
        named(choiceField(items(wizard_text::kAiModes), capacityOf(&EmpireSetup::aiMode), page),
              "ComboBox2");
    ComboBox3 = named(choiceField(items(wizard_text::kRaces), capacityOf(&EmpireSetup::race), page),
                      "ComboBox3");
    SpinEdit1 = named(spinEdit(page), "SpinEdit1");
    ComboBox4 = named(choiceField(items(wizard_text::kTeams), capacityOf(&EmpireSetup::team), page),
                      "ComboBox4");
    ComboBox5 = named(choiceField(items(wizard_text::kResearchLists),
                                  capacityOf(&EmpireSetup::researchList), page),
                      "ComboBox5");
    SpinEdit2 = named(spinEdit(page), "SpinEdit2");
    SpinEdit3 = named(spinEdit(page), "SpinEdit3");
    SpinEdit4 = named(spinEdit(page), "SpinEdit4");

    auto* fields = new QGridLayout(page);
    fields->setContentsMargins(0, 0, 0, 0);
    const QPair<const char*, QWidget*> rows[] = {
        {"Name", Edit3},      {"AI mode", ComboBox2}, {"Race", ComboBox3},
        {"Money", SpinEdit1}, {"Team", ComboBox4},    {"Researchlist", ComboBox5},
    };
    int row = 0;
    for (const auto& [caption, control] : rows) {
        fields->addWidget(new QLabel(QString::fromLatin1(caption), page), row, 0);
        fields->addWidget(control, row++, 1);
    }

    QString groupCaption;
    for (const char* caption : kGroupCaptions) groupCaption += QString::fromLatin1(caption);
    auto* groupLabel = named(new QLabel(groupCaption.trimmed(), page), "Label10");
    auto* groups = new QHBoxLayout;
    groups->setSpacing(0);
    int captionIndex = 0;
    for (QSpinBox* spin : {SpinEdit2, SpinEdit3, SpinEdit4}) {
        const QString words = QString::fromLatin1(kGroupCaptions[captionIndex++]);
        spin->setFixedWidth(std::max(56, groupLabel->fontMetrics().horizontalAdvance(words)));
        groups->addWidget(spin);
    }
    groups->addStretch();
    auto* numbers = new QVBoxLayout;
    numbers->setSpacing(2);
    numbers->addWidget(groupLabel);
    numbers->addLayout(groups);
    fields->addLayout(numbers, row++, 0, 1, 2);

    auto* warning = named(new QLabel(QString::fromLatin1(kShipWarning), page), "Label13");
    warning->setWordWrap(true);
    QPalette red = warning->palette();
    red.setColor(QPalette::WindowText, QColor(0xA0, 0x10, 0x10));
    warning->setPalette(red);
    fields->addWidget(warning, row++, 0, 1, 2);
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(row, 1);  // room the tabs of fewer empires leave goes below
    page->setMinimumWidth(310);

    connectEmpireControl(Edit3, EmpireField::Name);
    connectEmpireControl(ComboBox2, EmpireField::AiMode);
    connectEmpireControl(ComboBox3, EmpireField::Race);
    connectEmpireControl(SpinEdit1, EmpireField::Money);
    connectEmpireControl(ComboBox4, EmpireField::Team);
    connectEmpireControl(ComboBox5, EmpireField::ResearchList);
    connectEmpireControl(SpinEdit2, EmpireField::MaxSpyGroups);
    connectEmpireControl(SpinEdit3, EmpireField::MaxShipGroups);
    connectEmpireControl(SpinEdit4, EmpireField::MaxSpecialGroups);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(TabControl1);
    return group;
}

QHBoxLayout* TMCW::buildBottomRow() {
    Button8 = named(new QPushButton(QStringLiteral("Check map"), this), "Button8");
    Button4 = named(new QPushButton(QStringLiteral("Save map"), this), "Button4");
    Button7 = named(new QPushButton(QStringLiteral("Load map"), this), "Button7");
    Button3 = named(new QPushButton(QStringLiteral("Clear"), this), "Button3");
    Button6 = named(new QPushButton(QStringLiteral("Help"), this), "Button6");
    Button5 = named(new QPushButton(QStringLiteral("Close"), this), "Button5");
    Button10 = named(new QPushButton(QStringLiteral("Undo"), this), "Button10");
    Button11 = named(new QPushButton(QStringLiteral("Redo"), this), "Button11");
    connect(Button10, &QPushButton::clicked, this, &TMCW::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TMCW::Button11Click);
    connect(Button8, &QPushButton::clicked, this, &TMCW::Button8Click);
    connect(Button4, &QPushButton::clicked, this, &TMCW::Button4Click);
    connect(Button7, &QPushButton::clicked, this, &TMCW::Button7Click);
    connect(Button3, &QPushButton::clicked, this, &TMCW::Button3Click);
    connect(Button6, &QPushButton::clicked, this, &TMCW::Button6Click);
    connect(Button5, &QPushButton::clicked, this, &TMCW::Button5Click);
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {Button10, Button11, Button8, Button4, Button7, Button3, Button6}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    row->addStretch();
    Button5->setAutoDefault(false);
    row->addWidget(Button5);
    return row;
}

void TMCW::connectEmpireControl(QWidget* control, EmpireField field) {
    empireControls_.append({control, field});
    const auto store = [this, field](const QString& text) {
        map_.setEmpireField(field, toModel(text));
        showState();
    };
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, store);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        connect(combo, &QComboBox::currentTextChanged, this, store);
    else if (auto* spin = qobject_cast<QSpinBox*>(control))
        connect(spin, &QSpinBox::textChanged, this, store);
}

void TMCW::showEvent(QShowEvent* event) {
    // Coming back from the minimised state is not a new showing.
    if (!event->spontaneous()) {
        FormShow();
        centreOnScreen(this);
    }
    QDialog::showEvent(event);
}

void TMCW::FormShow() {
    // The map is kept from the last showing; its picture is drawn anew from
    // the files, which the designer may have changed meanwhile.
    editRequest_.clear();
    if (!projectToLoad_.isEmpty()) {
        const std::string path = toPath(projectToLoad_);
        projectToLoad_.clear();
        bool loaded = false;
        showingErrors(context_.prompts, [&] { loaded = map_.loadFile(path, context_.prompts); });
        if (loaded) emit projectFileUsed(fromPath(path));
    }
    showProject();
}

void TMCW::execWithProject(const QString& path) {
    projectToLoad_ = path;
    exec();
}

QString TMCW::takeEditRequest() {
    return std::exchange(editRequest_, QString());
}

void TMCW::showProject() {
    {
        const QSignalBlocker name(Edit1), description(Edit2), count(ComboBox1);
        Edit1->setText(fromModel(project_.mapName));
        Edit2->setText(fromModel(project_.description));
        ComboBox1->setCurrentText(QString::number(project_.empireCount));
    }
    showSystems();
    showEmpireTabs();
    showEmpire();
    showState();
}

void TMCW::showState() {
    setWindowTitle(fromModel(map_.caption()));
    const MapHistory& history = map_.history();
    Button10->setEnabled(history.canUndo());
    Button11->setEnabled(history.canRedo());
    Button10->setToolTip(history.canUndo() ? fromModel("Undo " + history.undoLabel()) : QString());
    Button11->setToolTip(history.canRedo() ? fromModel("Redo " + history.redoLabel()) : QString());
}

void TMCW::showSystems() {
    ListBox1->clear();
    for (const std::string& name : project_.systemNames()) ListBox1->addItem(fromModel(name));
    Label14->setText(QString::number(project_.systemCount));
    showPicture();
}

void TMCW::showPicture() {
    // Drawn off the window's thread, from a copy of the map as it is now.
    Image1->drawMap(
        [map = BuildProjectRecord(project_), folder = ProjectFolder(project_.projectFile)] {
            return BuildMapGraph(map, folder);
        });
}

void TMCW::changeLink(std::size_t from, std::size_t to, bool link) {
    showingErrors(context_.prompts, [&] {
        const MapProjectRecord map = BuildProjectRecord(project_);
        const auto folder = ProjectFolder(project_.projectFile);
        MakeFixStep(map_, link ? LinkSystemsBothWays(map, folder, from, to)
                               : UnlinkSystems(map, folder, from, to));
    });
    showPicture();
    showState();
}

void TMCW::showEmpireTabs() {
    QStringList tabs;
    for (const std::string& tab : project_.empireTabs()) tabs.append(fromModel(tab));
    TabControl1->setTabs(tabs);
    TabControl1->setCurrentIndex(project_.selectedEmpire);
}

void TMCW::showEmpire() {
    for (const auto& [control, field] : empireControls_) {
        const QSignalBlocker blocker(control);
        const QString text = fromModel(EmpireFieldText(project_, field));
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->setText(text);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setCurrentText(text);
        else if (auto* spin = qobject_cast<QSpinBox*>(control))
            spin->setValue(text.toInt());
    }
}

void TMCW::Button1Click() {
    map_.insert(context_.prompts);
    showSystems();
    showState();
}

void TMCW::Button2Click() {
    std::vector<int> rows;
    for (const QListWidgetItem* item : ListBox1->selectedItems())
        rows.push_back(ListBox1->row(item));
    map_.remove(rows);
    showSystems();
    showState();
}

void TMCW::Button3Click() {
    if (map_.clear(context_.prompts)) showProject();
}

void TMCW::Button4Click() {
    std::string written;
    showingErrors(context_.prompts, [&] { written = map_.save(context_.prompts); });
    if (!written.empty()) emit projectFileUsed(fromPath(written));
    showState();
}

void TMCW::Button5Click() {
    reject();
}

void TMCW::reject() {
    // Hidden already (Edit system closed it): nothing to ask.
    if (!isVisible() || map_.confirmClose(context_.prompts)) QDialog::reject();
}

void TMCW::Button6Click() {
    if (help_) help_->showHelp();
}

void TMCW::Button7Click() {
    bool loaded = false;
    showingErrors(context_.prompts, [&] { loaded = map_.load(context_.prompts); });
    if (loaded) emit projectFileUsed(fromPath(project_.projectFile));
    showProject();
}

void TMCW::Button8Click() {
    MCWcheck->showMap(map_, context_.prompts);
    showProject();  // a fix, or an undo there, may have changed the map or its files
}

void TMCW::Button9Click() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty()) {
        context_.prompts.notice(std::string(wizard_text::kChooseSystemToEdit));
        return;
    }
    editSystem(ListBox1->row(selected.constFirst()));
}

void TMCW::editSystem(int row) {
    std::string path;
    if (!showingErrors(context_.prompts, [&] { path = map_.designFileToEdit(row); })) return;
    // Closed with the map kept; the main window opens the file once the wizard is down.
    editRequest_ = fromPath(path);
    QDialog::accept();
}

void TMCW::Button10Click() {
    if (map_.undo(context_.prompts)) showProject();
}

void TMCW::Button11Click() {
    if (map_.redo(context_.prompts)) showProject();
}

void TMCW::ComboBox1Change() {
    const int count = map_.setEmpireCount(toModel(ComboBox1->currentText()), context_.prompts);
    const QString shown = QString::number(count);
    if (ComboBox1->currentText() != shown) {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->setCurrentText(shown);
    }
    showEmpireTabs();
    showEmpire();
    showPicture();  // an owner beyond the new count shows as a warning
    showState();
}

void TMCW::TabControl1Change() {
    map_.selectEmpire(TabControl1->currentIndex());
    showEmpire();
}

}  // namespace mw::ui
