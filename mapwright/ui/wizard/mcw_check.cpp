#include "mcw_check.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "map/design_file_lookup.h"
#include "project/map_project.h"
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
    Button2 = buttons->addButton(QStringLiteral("Undo fix"), QDialogButtonBox::ActionRole);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setEnabled(false);
    Button2->hide();
    connect(Button2, &QPushButton::clicked, this, &TMCWcheck::undoFix);

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
    project_ = nullptr;
    Button2->hide();
    setProblems(problems);
    exec();
}

void TMCWcheck::showMap(MapProject& project, Prompts& prompts) {
    setMap(project, prompts);
    exec();
    project_ = nullptr;
}

void TMCWcheck::setMap(MapProject& project, Prompts& prompts) {
    project_ = &project;
    prompts_ = &prompts;
    Button2->show();
    recheck();
}

void TMCWcheck::recheck() {
    if (!project_) return;
    const std::vector<MapProblem> problems = CheckMap(*project_);
    setProblems(problems, FixesFor(problems, BuildProjectRecord(*project_),
                                   ProjectFolder(project_->projectFile)));
    Button2->setEnabled(steps_.canUndo());
    Button2->setToolTip(fromModel(steps_.undoText()));
}

void TMCWcheck::fix(std::size_t row) {
    if (!project_ || row >= fixes_.size() || !fixes_[row]) return;
    const CheckFix chosen = *fixes_[row];
    showingErrors(*prompts_, [&] { steps_.apply(chosen, project_->systems); });
    recheck();
}

void TMCWcheck::undoFix() {
    if (!project_) return;
    showingErrors(*prompts_, [&] { steps_.undo(project_->systems); });
    recheck();
}

}  // namespace mw::ui
