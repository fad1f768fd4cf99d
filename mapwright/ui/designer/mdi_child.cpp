#include "mdi_child.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include "document/editor_context.h"
#include "document/system_document.h"
#include "map_panel.h"
#include "object_marker.h"
#include "system/designer_text.h"
#include "system/system_file.h"
#include "tool_names.h"
#include "widgets/embedded_pictures.h"
#include "widgets/field_rules.h"
#include "widgets/text.h"
#include "widgets/undo_keys.h"

namespace mw::ui {

namespace {

quint64 markerKey(ObjectKind kind, int index) {
    return (static_cast<quint64>(kind) << 32) | static_cast<quint32>(index);
}

QFrame* panel(const char* name, QRect geometry, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* label(const QString& caption, QPoint at, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->move(at);
    l->adjustSize();
    return l;
}

}  // namespace

TMDIChild::TMDIChild(EditorContext& context, const PropertyDialogs& dialogs, QWidget* toolsHelp,
                     QWidget* parent)
    : QWidget(parent),
      context_(context),
      document_(context.document),
      dialogs_(dialogs),
      toolsHelp_(toolsHelp) {
    setObjectName(QStringLiteral("MDIChild"));
    setFixedSize(kClientWidth, kClientHeight);
    buildForm();
    connect(&document_, &SystemDocument::changed, this, &TMDIChild::applyChange);
    connect(&document_, &SystemDocument::modifiedChanged, this, &TMDIChild::showCaption);
}

void TMDIChild::setCaption(const QString& caption) {
    caption_ = caption;
    showCaption();
}

void TMDIChild::showCaption() {
    setWindowTitle(document_.isModified() ? caption_ + QLatin1Char('*') : caption_);
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::buildForm() {
    namespace text = designer_text;
    auto* GroupBox1 = new QGroupBox(QStringLiteral("System properties"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(0, 0, 209, 313);

    // The sun's fields.
    QFrame* Panel1 = panel("Panel1", {8, 16, 113, 225}, GroupBox1);
    // A size smaller, so "Background13" fits the field beside the tools.
    QFont fieldFont = Panel1->font();
    fieldFont.setPixelSize(10);
    Panel1->setFont(fieldFont);
    label(QStringLiteral("Sun name"), {8, 8}, Panel1);
    Edit1 = new QLineEdit(fromModel(text::kDefaultSunName), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 24, 99, 22);
    label(QStringLiteral("Sun type"), {8, 58}, Panel1);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    for (std::string_view type : text::kSunTypes) ComboBox1->addItem(fromModel(type));
    ComboBox1->setGeometry(8, 74, 99, 22);
    label(QStringLiteral("Background"), {8, 108}, Panel1);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    for (int i = 1; i <= text::kBackgroundCount; ++i)
        ComboBox2->addItem(QStringLiteral("Background%1").arg(i));
    ComboBox2->setGeometry(8, 124, 99, 22);
    label(QStringLiteral("Scale"), {8, 158}, Panel1);
    Edit2 = new QLineEdit(fromModel(text::kDefaultScale), Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(8, 174, 99, 22);
    // Each field takes what the file's header record keeps of it.
    Edit1->setMaxLength(static_cast<int>(header_capacity::kSunName));
    ComboBox1->lineEdit()->setMaxLength(static_cast<int>(header_capacity::kSunType));
    ComboBox2->lineEdit()->setMaxLength(static_cast<int>(header_capacity::kBackground));
    Edit2->setMaxLength(static_cast<int>(header_capacity::kScale));
    keepStorable(Edit1);
    keepStorable(ComboBox1);
    keepStorable(ComboBox2);
    keepStorable(Edit2);
    // Undo and redo are the system's, also while a field has the keyboard.
    for (QObject* field :
         {static_cast<QObject*>(Edit1), static_cast<QObject*>(Edit2),
          static_cast<QObject*>(ComboBox1), static_cast<QObject*>(ComboBox1->lineEdit()),
          static_cast<QObject*>(ComboBox2), static_cast<QObject*>(ComboBox2->lineEdit())})
        field->installEventFilter(this);

    // The tools: two columns of four, then the selected tool's picture.
    QFrame* Panel2 = panel("Panel2", {128, 16, 73, 225}, GroupBox1);
    // The selected tool's button stands out: its picture covers the button's face.
    Panel2->setStyleSheet(QStringLiteral(
        "QToolButton:checked { border: 2px solid palette(highlight); border-radius: 3px; "
        "background: palette(highlight); padding: 0px; }"));
    for (std::size_t i = 0; i < kTools.size(); ++i) {
        const ToolInfo& t = kTools[i];
        auto* b = new QToolButton(Panel2);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setGeometry(8 + t.column * 32, 8 + t.row * 32, 25, 25);
        b->setIcon(embeddedIcon(toolPicture(t.tool)));
        b->setIconSize(QSize(21, 21));
        b->setCheckable(true);
        b->setAutoExclusive(false);  // the file check decides, not the click
        b->setToolTip(QStringLiteral("%1 (%2)").arg(toolName(t.tool)).arg(i + 1));
        b->setStatusTip(toolName(t.tool));
        connect(b, &QToolButton::clicked, this,
                [this, i] { SpeedButtonClick(static_cast<int>(i)); });
        SpeedButton[i] = b;
    }
    auto* Label5 = new QLabel(QStringLiteral("Selection"), Panel2);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setGeometry(0, 144, 73, 16);
    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image1->setGeometry(23, 166, 27, 27);
    Image1->setAlignment(Qt::AlignCenter);
    showSelection(kInitialTool);

    // Where the mouse is, in world units.
    QFrame* Panel3 = panel("Panel3", {8, 248, 193, 57}, GroupBox1);
    QLabel* Label6 = label(QStringLiteral("Cursor world position"), {8, 4}, Panel3);
    QFont heading = Label6->font();
    heading.setBold(true);
    heading.setUnderline(true);
    Label6->setFont(heading);
    Label6->adjustSize();
    label(QStringLiteral("X:"), {8, 22}, Panel3);
    label(QStringLiteral("Y:"), {8, 38}, Panel3);
    Label9 = new QLabel(fromModel(text::kCursorXInitial), Panel3);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setGeometry(26, 22, 100, 16);
    Label10 = new QLabel(fromModel(text::kCursorYInitial), Panel3);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(26, 38, 100, 16);

    Panel4 = new MapPanel(this);
    Panel4->move(216, 4);
    connect(Panel4, &MapPanel::cursorMoved, this, &TMDIChild::Panel4MouseMove);
    connect(Panel4, &MapPanel::clicked, this, &TMDIChild::Panel4Click);
    connect(Panel4, &MapPanel::markerClicked, this, [this](ObjectMarker* m) { MarkerClick(m); });
    // Return opens the dialog whatever the tool; Delete deletes as the delete tool does.
    connect(Panel4, &MapPanel::markerActivated, this,
            [this](ObjectMarker* m) { MarkerClick(m, kInitialTool); });
    connect(Panel4, &MapPanel::markerDeleteRequested, this,
            [this](ObjectMarker* m) { MarkerClick(m, Tool::Delete); });
    connect(Panel4, &MapPanel::toolKeyPressed, this, &TMDIChild::SpeedButtonClick);

    // The file commands.
    QFrame* Panel5 = panel("Panel5", {0, 320, 209, 177}, this);
    const auto command = [Panel5](const char* name, const QString& caption, int row) {
        auto* b = new QPushButton(caption, Panel5);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(8, 9 + row * 33, 193, 25);
        return b;
    };
    Button1 = command("Button1", QStringLiteral("Open"), 0);
    Button2 = command("Button2", QStringLiteral("Clear map"), 1);
    Button3 = command("Button3", QStringLiteral("Save as"), 2);
    Button4 = command("Button4", QStringLiteral("Help"), 3);
    Button5 = command("Button5", QStringLiteral("Close"), 4);
    connect(Button1, &QPushButton::clicked, this, &TMDIChild::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMDIChild::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TMDIChild::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TMDIChild::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TMDIChild::Button5Click);

    connect(Edit1, &QLineEdit::textChanged, this, &TMDIChild::Edit1Change);
    connect(ComboBox1, &QComboBox::currentTextChanged, &document_, &SystemDocument::setSunType);
    connect(ComboBox2, &QComboBox::currentTextChanged, &document_, &SystemDocument::setBackground);
    connect(Edit2, &QLineEdit::textChanged, &document_, &SystemDocument::setScale);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &TMDIChild::Timer1Timer);
    Timer1->start();
}

void TMDIChild::FormCreate() {
    creating_ = true;
    document_.create();
    creating_ = false;
    if (closeRequested_) closeWindow(true);
}

void TMDIChild::applyChange(const DesignerChange& change) {
    if (change.clearMarkers) removeAllMarkers();
    for (const ObjectRef& object : change.removed) removeMarker(object);
    for (const MarkerView& view : change.added) addMarker(view);
    // The labels are painted by the map itself, beside markers that may have moved.
    if (Panel4->showNames() &&
        (change.clearMarkers || !change.removed.empty() || !change.added.empty()))
        Panel4->update();
    if (change.headerChanged) syncHeaderFields();
    if (change.caption) setCaption(fromModel(*change.caption));
    if (change.closeWindow) {
        // During creation the window is not up yet; it closes right after.
        if (creating_)
            closeRequested_ = true;
        else
            closeWindow(true);
    }
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* event) {
    // Not taken by the field: the main window's Undo and Redo get the
    // keys, and with nothing to undo they do nothing.
    if (PassUndoKeyOn(event)) return true;
    return QWidget::eventFilter(watched, event);
}

void TMDIChild::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    showSelection(tool_);  // now on its screen, at its density
    Edit1Change();
}

void TMDIChild::Timer1Timer() {
    Timer1->stop();
    setCaption(
        fromModel(designer_text::caption(document_.designer().tables().currentSystemName.view())));
}

void TMDIChild::Edit1Change() {
    document_.setSunName(Edit1->text());
}

void TMDIChild::syncHeaderFields() {
    // The fields show the model's header; setting them is no edit of the user.
    const SystemHeader& header = document_.designer().header();
    const auto sync = [](QLineEdit* edit, const std::string& value) {
        const QString text = fromModel(value);
        if (edit->text() == text) return;
        const QSignalBlocker block(edit);
        edit->setText(text);
    };
    const auto syncCombo = [](QComboBox* combo, const std::string& value) {
        const QString text = fromModel(value);
        if (combo->currentText() == text) return;
        const QSignalBlocker block(combo);
        combo->setEditText(text);
    };
    sync(Edit1, header.sunName);
    syncCombo(ComboBox1, header.sunType);
    syncCombo(ComboBox2, header.background);
    sync(Edit2, header.scale);
}

void TMDIChild::SpeedButtonClick(int button) {
    const ToolInfo& t = kTools[static_cast<std::size_t>(button)];
    try {
        context_.files.picture(fromModel(t.picture));  // the tool needs its picture file
    } catch (const MissingFile& missing) {
        context_.prompts.error(toMessage(missing.message));
        showSelection(tool_);
        return;
    }
    tool_ = t.tool;
    showSelection(t.tool);
}

void TMDIChild::showSelection(Tool tool) {
    // Drawn from the file's source at the screen's density: sharp at any scale.
    const qreal ratio = std::max<qreal>(1, devicePixelRatioF());
    Image1->setPixmap(embeddedPixmap(toolPicture(tool), 24, ratio));
    for (std::size_t i = 0; i < kTools.size(); ++i)
        SpeedButton[i]->setChecked(kTools[i].tool == tool);
}

void TMDIChild::Panel4MouseMove(QPoint pixel) {
    const WorldPosition world = document_.moveCursor(pixel);
    Label9->setText(QString::number(world.x));
    Label10->setText(QString::number(world.y));
}

void TMDIChild::Panel4Click(QPoint pixel) {
    document_.clickMap(tool_, pixel);
}

void TMDIChild::MarkerClick(ObjectMarker* marker, std::optional<Tool> tool) {
    // The click has made the object the current one; its dialog works on it.
    clickObject(marker->object(), tool.value_or(tool_));
}

void TMDIChild::clickObject(ObjectRef object, Tool tool) {
    if (const std::optional<ObjectKind> kind = document_.clickMarker(tool, object))
        dialogs_.open(*kind);
}

void TMDIChild::addMarker(const MarkerView& view) {
    auto* m = new ObjectMarker(view, Panel4);
    connect(m, &QPushButton::clicked, this, [this, m] { MarkerClick(m); });
    // A click on a marker gives the map the keyboard, on that marker.
    connect(m, &QPushButton::pressed, this, [this, m] {
        Panel4->setFocus(Qt::MouseFocusReason);
        Panel4->focusMarker(m);
    });
    // The readout follows the drag: the map does not see the mouse meanwhile.
    connect(m, &ObjectMarker::dragged, this, [this](QPoint pixel) {
        if (Panel4->rect().contains(pixel)) Panel4MouseMove(pixel);
    });
    connect(m, &ObjectMarker::dropped, this,
            [this, m](QPoint pixel) { document_.moveMarker(m->object(), pixel); });
    ObjectMarker* old = markers_.value(markerKey(view.kind, view.index));
    markers_.insert(markerKey(view.kind, view.index), m);
    m->show();
    if (old) {
        // The same object shown anew (a dialog renamed it): the keyboard stays on it.
        if (Panel4->focusedMarker() == old) Panel4->focusMarker(m);
        old->hide();
        old->deleteLater();
    }
}

void TMDIChild::removeMarker(ObjectRef object) {
    ObjectMarker* m = markers_.take(markerKey(object.kind, object.index));
    if (!m) return;
    m->hide();
    m->deleteLater();  // it may be the button whose click is being handled
}

void TMDIChild::removeAllMarkers() {
    for (ObjectMarker* m : std::as_const(markers_)) {
        m->hide();
        m->deleteLater();
    }
    markers_.clear();
}

QList<ObjectMarker*> TMDIChild::markers() const {
    return markers_.values();
}

ObjectMarker* TMDIChild::marker(ObjectKind kind, int index) const {
    return markers_.value(markerKey(kind, index));
}

void TMDIChild::Button1Click() {
    document_.open();
}
void TMDIChild::Button2Click() {
    document_.clearMap();
}
void TMDIChild::Button3Click() {
    document_.saveAs();
}

void TMDIChild::Button4Click() {
    if (!toolsHelp_) return;
    toolsHelp_->show();
    toolsHelp_->raise();
}

void TMDIChild::Button5Click() {
    if (document_.confirmClose()) closeWindow(true);
}

void TMDIChild::closeWindow(bool asked) {
    closeAsked_ = closeAsked_ || asked;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
    if (!closedOnce_) closeAsked_ = false;  // refused: the next close asks again
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    // The title bar's close box and "Close window" would otherwise drop
    // unsaved work without a word: they ask what the Close button asks.
    if (!closedOnce_ && !closeAsked_ && !document_.confirmClose()) {
        event->ignore();
        return;
    }
    if (!closedOnce_) {
        closedOnce_ = true;
        Timer1->stop();
        document_.closing();
        emit closed();
    }
    event->accept();
}

}  // namespace mw::ui
