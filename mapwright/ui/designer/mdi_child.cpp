#include "mdi_child.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <stdexcept>

#include "common/errors.h"
#include "editor_context.h"
#include "map_panel.h"
#include "object_marker.h"
#include "shell/embedded_pictures.h"
#include "shell/icons_help.h"
#include "system_document.h"

namespace mw::ui {

namespace text = bridge::text;

namespace {

QString q(std::string_view s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

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

const FileDialogSpec& TMDIChild::openDialog() {
    static const FileDialogSpec spec{QStringLiteral("Open map..."),
                                     QStringLiteral("System design files (*.sdf)"), QString()};
    return spec;
}

const FileDialogSpec& TMDIChild::saveDialog() {
    static const FileDialogSpec spec{QStringLiteral("Save current map as..."),
                                     QStringLiteral("System design files (*.sdf)"),
                                     QStringLiteral("sdf")};
    return spec;
}

TMDIChild::TMDIChild(EditorContext& context, const EditorWindows& windows, QWidget* parent)
    : QWidget(parent),
      context_(context),
      document_(context.document),
      windows_(windows),
      tool_(kDesignerTools[0]) {
    setObjectName(QStringLiteral("MDIChild"));
    setFixedSize(kClientWidth, kClientHeight);
    buildForm();

    connect(&document_, &SystemDocument::objectPlaced, this,
            [this](ObjectKind kind, int index, QPoint pixel) { addMarker(kind, index, pixel); });
    connect(&document_, &SystemDocument::objectRemoved, this, &TMDIChild::removeMarker);
    connect(&document_, &SystemDocument::systemReplaced, this, &TMDIChild::rebuildMarkers);
    connect(&document_, &SystemDocument::headerChanged, this, &TMDIChild::syncHeaderFields);
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::buildForm() {
    auto* GroupBox1 = new QGroupBox(QStringLiteral("System properties"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(0, 0, 209, 313);

    // The sun's fields.
    QFrame* Panel1 = panel("Panel1", {8, 16, 113, 225}, GroupBox1);
    label(QStringLiteral("Sun name"), {8, 8}, Panel1);
    Edit1 = new QLineEdit(QStringLiteral("Unnamed"), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 24, 97, 22);
    label(QStringLiteral("Sun type"), {8, 58}, Panel1);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->addItems({QStringLiteral("Sun"), QStringLiteral("Redsun"), QStringLiteral("Bluesun"),
                         QStringLiteral("Blackhole")});
    ComboBox1->setGeometry(8, 74, 97, 22);
    label(QStringLiteral("Background"), {8, 108}, Panel1);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    for (int i = 1; i <= 13; ++i) ComboBox2->addItem(QStringLiteral("Background%1").arg(i));
    ComboBox2->setGeometry(8, 124, 97, 22);
    label(QStringLiteral("Scale"), {8, 158}, Panel1);
    Edit2 = new QLineEdit(QStringLiteral("0.7"), Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(8, 174, 97, 22);

    // The tools: two columns of four, then the selected tool's picture.
    QFrame* Panel2 = panel("Panel2", {128, 16, 73, 225}, GroupBox1);
    for (int i = 0; i < 8; ++i) {
        const DesignerTool& t = kDesignerTools[static_cast<std::size_t>(i)];
        auto* b = new QToolButton(Panel2);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setGeometry(8 + (i % 2) * 32, 8 + (i / 2) * 32, 25, 25);
        b->setIcon(embeddedIcon(q(t.code)));
        b->setIconSize(QSize(21, 21));
        b->setToolTip(q(t.name));
        b->setStatusTip(q(t.name));
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, i] { SpeedButtonClick(i); });
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
    Image1->setPixmap(embeddedPixmap(q(tool_.code), 24));

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
    Label9 = new QLabel(QStringLiteral("XXXXXX"), Panel3);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setGeometry(26, 22, 100, 16);
    Label10 = new QLabel(QStringLiteral("YYYYYY"), Panel3);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(26, 38, 100, 16);

    Panel4 = new MapPanel(this);
    Panel4->move(216, 4);
    connect(Panel4, &MapPanel::cursorMoved, this, &TMDIChild::Panel4MouseMove);
    connect(Panel4, &MapPanel::clicked, this, &TMDIChild::Panel4Click);

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

bool TMDIChild::guarded(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const IoError& e) {
        context_.prompts.error(this, QString::fromUtf8(e.what()));
    } catch (const ConversionError& e) {
        context_.prompts.error(this, QString::fromUtf8(e.what()));
    } catch (const TableFullError& e) {
        context_.prompts.error(this, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        context_.prompts.error(this, QStringLiteral("Unexpected failure: %1").arg(QString::fromUtf8(e.what())));
    }
    return false;
}

void TMDIChild::FormCreate() {
    creating_ = true;
    guarded([this] {
        document_.designerCreated([this] {
            Edit1->setText(document_.currentSystemName());
            Edit1Change();
            if (context_.state.openFlag) openStep();
        });
    });
    creating_ = false;
    if (closeRequested_) closeWindow();
}

void TMDIChild::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    Edit1Change();
}

void TMDIChild::Timer1Timer() {
    Timer1->stop();
    setWindowTitle(document_.currentSystemName() + q(text::kSystemCaptionSuffix));
}

void TMDIChild::Edit1Change() {
    setWindowTitle(Edit1->text() + q(text::kSystemCaptionSuffix));
    document_.setSunName(Edit1->text());
}

void TMDIChild::syncHeaderFields() {
    // The fields follow the document (after an open); typing into a field
    // changes the document first, so nothing differs then.
    const auto sync = [](QLineEdit* edit, const QString& value) {
        if (edit->text() == value) return;
        const QSignalBlocker block(edit);
        edit->setText(value);
    };
    const auto syncCombo = [](QComboBox* combo, const QString& value) {
        if (combo->currentText() == value) return;
        const QSignalBlocker block(combo);
        combo->setEditText(value);
    };
    sync(Edit1, document_.sunName());
    syncCombo(ComboBox1, document_.sunType());
    syncCombo(ComboBox2, document_.background());
    sync(Edit2, document_.scale());
}

void TMDIChild::openStep() {
    EditorState& state = context_.state;
    const bool forOpen = state.openFlag;
    if (!forOpen && !context_.prompts.ask(this, q(text::kAskOpenAnotherMap))) return;
    const QString file = context_.prompts.openFileName(this, openDialog());
    if (file.isEmpty()) {
        state.openFlag = false;
        if (forOpen) {
            if (creating_) closeRequested_ = true;
            else closeWindow();
        }
        return;
    }
    const bool opened = guarded([&] { document_.open(file); });
    state.openFlag = false;
    if (!opened) return;
    const QString caption = document_.sunName() + q(text::kSystemCaptionSuffix);
    state.lastOpenedCaption = toModel(caption.left(27));
    setWindowTitle(caption);
    Edit1Change();
    Edit1Change();
    guarded([this] { document_.systemOpened(); });
}

void TMDIChild::SpeedButtonClick(int tool) {
    const DesignerTool& t = kDesignerTools[static_cast<std::size_t>(tool)];
    try {
        Image1->setPixmap(context_.files.picture(q(t.code) + QStringLiteral(".bmp")));
    } catch (const MissingFile& missing) {
        context_.prompts.error(this, missing.message);
        return;
    }
    tool_ = t;
}

void TMDIChild::Panel4MouseMove(QPoint pixel) {
    document_.setCursorPixel(pixel);
    Label9->setText(QString::number(bridge::WorldFromPixel(pixel.y())));
    Label10->setText(QString::number(bridge::WorldFromPixel(pixel.x())));
}

void TMDIChild::Panel4Click(QPoint pixel) {
    guarded([&] {
        if (!tool_.kind) {
            context_.prompts.notice(this, document_.deleteNothing());
            return;
        }
        if (const std::optional<QString> notice = document_.placeAt(*tool_.kind, pixel))
            context_.prompts.notice(this, *notice);
    });
}

void TMDIChild::MarkerClick(ObjectMarker* marker) {
    const ObjectKind kind = marker->kind();
    const int index = marker->tag();
    guarded([&] { document_.clickMarker(kind, index, !tool_.kind.has_value()); });
}

void TMDIChild::addMarker(ObjectKind kind, int index, QPoint pixel) {
    auto* m = new ObjectMarker(kind, index, pixel, document_.markerCaption(kind),
                               document_.markerHint(kind, index), Panel4);
    connect(m, &QPushButton::clicked, this, [this, m] { MarkerClick(m); });
    markers_.insert(markerKey(kind, index), m);
    m->show();
}

void TMDIChild::removeMarker(ObjectKind kind, int index) {
    ObjectMarker* m = markers_.take(markerKey(kind, index));
    if (!m) return;
    m->hide();
    m->deleteLater();  // it may be the button whose click is being handled
}

void TMDIChild::rebuildMarkers() {
    for (ObjectMarker* m : std::as_const(markers_)) {
        m->hide();
        m->deleteLater();
    }
    markers_.clear();
    for (const bridge::MapObject& o : document_.objectsOnMap())
        addMarker(o.kind, o.index, QPoint(o.marker.x, o.marker.y));
}

QList<ObjectMarker*> TMDIChild::markers() const { return markers_.values(); }

ObjectMarker* TMDIChild::marker(ObjectKind kind, int index) const {
    return markers_.value(markerKey(kind, index));
}

void TMDIChild::Button1Click() { openStep(); }

void TMDIChild::Button2Click() {
    if (!context_.prompts.ask(this, q(text::kAskClearMap))) return;
    guarded([this] { document_.clearMap(); });
}

void TMDIChild::Button3Click() {
    const QString file = context_.prompts.saveFileName(this, saveDialog());
    if (file.isEmpty()) return;
    guarded([&] { document_.saveAs(file); });
}

void TMDIChild::Button4Click() {
    if (!windows_.icons) return;
    windows_.icons->show();
    windows_.icons->raise();
}

void TMDIChild::Button5Click() {
    if (context_.prompts.ask(this, q(text::kAskCloseWindow))) closeWindow();
}

void TMDIChild::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (!closedOnce_) {
        closedOnce_ = true;
        Timer1->stop();
        guarded([this] { document_.closeSystem(); });
        emit closed();
    }
    event->accept();
}

}  // namespace mw::ui
