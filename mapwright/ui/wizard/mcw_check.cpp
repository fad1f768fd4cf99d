#include "mcw_check.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "project/map_project.h"
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

    ListView1 = new QTableWidget(0, 4, this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("System"),
                                          QStringLiteral("Object"), QStringLiteral("Message")});
    ListView1->verticalHeader()->hide();
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAlternatingRowColors(true);
    ListView1->setWordWrap(true);
    ListView1->setTextElideMode(Qt::ElideNone);
    ListView1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* header = ListView1->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column : {SeverityColumn, SystemColumn, ObjectColumn})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(MessageColumn, QHeaderView::Stretch);
    // A wider or narrower message column wraps its texts anew.
    connect(header, &QHeaderView::sectionResized, ListView1,
            [this] { ListView1->resizeRowsToContents(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    Button1 = buttons->button(QDialogButtonBox::Close);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListView1, 1);
    layout->addWidget(buttons);

    // Room for a message of about a hundred characters on one line and a dozen problems.
    const int line = fontMetrics().height();
    resize(fontMetrics().averageCharWidth() * 150, line * 30);
    setMinimumSize(fontMetrics().averageCharWidth() * 80, line * 14);
}

void TMCWcheck::setProblems(const std::vector<MapProblem>& problems) {
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
        ListView1->setItem(row++, MessageColumn, message);
    }
    ListView1->resizeRowsToContents();
    ListView1->setCurrentItem(nullptr);
    Button1->setFocus();
}

void TMCWcheck::showProblems(const std::vector<MapProblem>& problems) {
    setProblems(problems);
    exec();
}

}  // namespace mw::ui
