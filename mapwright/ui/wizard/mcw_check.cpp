#include "mcw_check.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "map/design_file_lookup.h"
#include "project/map_document.h"
#include "project/map_history_files.h"
#include "project/project_check.h"
#include "prompts/user_errors.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

TMCWcheck::TMCWcheck(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MCWcheck"));
    setWindowTitle(QStringLiteral("Map check"));
    setModal(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    ListView1 = new QTableWidget(0, 5, this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("System"),
                                          QStringLiteral("Object"), QStringLiteral("Message"),
                                          QStringLiteral("Fix")});
    ListView1->verticalHeader()->hide();
    // Rows follow their texts as the message column narrows or widens.
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAlternatingRowColors(true);
    ListView1->setWordWrap(true);
    ListView1->setTextElideMode(Qt::ElideNone);
    ListView1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* header = ListView1->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column : {SeverityColumn, SystemColumn, ObjectColumn, FixColumn})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(MessageColumn, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    Button1 = buttons->button(QDialogButtonBox::Close);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Button2 = buttons->addButton(QStringLiteral("Undo"), QDialogButtonBox::ActionRole);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setEnabled(false);
    Button2->hide();
    connect(Button2, &QPushButton::clicked, this, &TMCWcheck::undo);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &TMCWcheck::undo);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addWidget(buttons);

    // Room for a message of about a hundred characters on one line and a dozen problems.
    const int line = fontMetrics().height();
    resize(fontMetrics().averageCharWidth() * 150, line * 30);
    setMinimumSize(fontMetrics().averageCharWidth() * 80, line * 14);
}

void TMCWcheck::setProblems(const std::vector<MapProblem>& problems,
                            const std::vector<std::optional<CheckFix>>& fixes) {
    fixes_ = fixes;
    fixes_.resize(problems.size());
    Label1->setText(messageText(wizard_text::checkListSummary(problems)));
    ListView1->clearContents();
    ListView1->setRowCount(static_cast<int>(problems.size()));
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    int row = 0;
    for (const MapProblem& problem : problems) {
        const ProblemColumns c = problemColumns(problem);
        QTableWidgetItem* severity = cell(fromModel(c.severity));
        severity->setIcon(severityOf(problem.kind) == Severity::Error ? errorIcon : warningIcon);
        ListView1->setItem(row, SeverityColumn, severity);
        ListView1->setItem(row, SystemColumn, cell(fromModel(c.system)));
        ListView1->setItem(row, ObjectColumn, cell(fromModel(c.object)));
        // Messages may carry file paths, which are UTF-8.
        QTableWidgetItem* message = cell(messageText(c.message));
        message->setToolTip(message->text());
        ListView1->setItem(row, MessageColumn, message);
        if (const std::optional<CheckFix>& f = fixes_[static_cast<std::size_t>(row)]) {
            auto* button = new QPushButton(fromModel(f->caption), ListView1);
            button->setObjectName(QStringLiteral("Fix%1").arg(row));
            button->setToolTip(messageText(f->change));
            connect(button, &QPushButton::clicked, this,
                    [this, row] { fix(static_cast<std::size_t>(row)); });
            ListView1->setCellWidget(row, FixColumn, button);
        }
        ++row;
    }
    ListView1->setColumnHidden(
        FixColumn,
        std::none_of(fixes_.begin(), fixes_.end(), [](const auto& f) { return f.has_value(); }));
    ListView1->setCurrentItem(nullptr);
    Button1->setFocus();
}

void TMCWcheck::showProblems(const std::vector<MapProblem>& problems) {
    map_ = nullptr;
    Button2->hide();
    setProblems(problems);
    exec();
}

void TMCWcheck::showMap(MapDocument& map, Prompts& prompts) {
    setMap(map, prompts);
    exec();
    map_ = nullptr;
}

void TMCWcheck::setMap(MapDocument& map, Prompts& prompts) {
    map_ = &map;
    prompts_ = &prompts;
    Button2->show();
    recheck();
}

void TMCWcheck::recheck() {
    if (!map_) return;
    const MapProject& project = map_->project();
    const std::vector<MapProblem> problems = CheckMap(project);
    setProblems(problems, FixesFor(problems, BuildProjectRecord(project),
                                   ProjectFolder(project.projectFile)));
    const MapHistory& history = map_->history();
    Button2->setEnabled(history.canUndo());
    Button2->setToolTip(history.canUndo() ? fromModel("Undo " + history.undoLabel()) : QString());
}

void TMCWcheck::fix(std::size_t row) {
    if (!map_ || row >= fixes_.size() || !fixes_[row]) return;
    const CheckFix chosen = *fixes_[row];
    showingErrors(*prompts_, [&] { MakeFixStep(*map_, chosen); });
    recheck();
}

void TMCWcheck::undo() {
    if (!map_) return;
    map_->undo(*prompts_);
    recheck();
}

}  // namespace mw::ui
