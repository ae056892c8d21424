#include "gui/dialogs/DataEditorDialog.h"

#include "core/model/Prompter.h"
#include "core/model/Session.h"
#include "gui/dialogs/PointGridModel.h"
#include "gui/widgets/BusyCursor.h"
#include "gui/widgets/Twips.h"
#include "render/QtText.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <exception>

namespace qv {

namespace {

// Rows a grid shows without scrolling.
constexpr int VisibleRows = 16;

bool& builtFlag(DataSet& set, EditorKind kind)
{
    return kind == EditorKind::EnableDisable ? set.editGridBuilt : set.hiliteGridBuilt;
}

QLabel* makeLabel(const char* objectName, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromUtf8(objectName));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

PointGridView::PointGridView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalHeader()->hide();
    // Fixed row heights keep a grid of 100000 rows as quick as one of ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { Q_EMIT toggleRequested(index.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT toggleRequested(index.row()); });
}

void PointGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (currentIndex().isValid()) {
            Q_EMIT toggleRequested(currentIndex().row());
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void PointGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click toggles again, as any click does;
    // other buttons toggle nothing.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

DataEditorDialog::DataEditorDialog(Session& session, Prompter& prompter, EditorKind kind,
                                   QWidget* parent)
    : QDialog(parent), m_session(session), m_prompter(prompter), m_kind(kind)
{
    const EditorTexts& texts = editorTexts(kind);
    setObjectName(QString::fromUtf8(texts.formName));
    // Titled after the menu item that opens it, so the two editors are told apart.
    setWindowTitle(kind == EditorKind::EnableDisable ? QStringLiteral("Enable/Disable Data")
                                                     : QStringLiteral("Hilite/UnHilite Data"));
    setWindowModality(Qt::ApplicationModal);

    auto* instruction = makeLabel(InstructionLabelName, texts.instruction, this);
    QFont bold = instruction->font();
    bold.setBold(true);
    instruction->setFont(bold);
    instruction->setAlignment(Qt::AlignCenter);

    auto* mainLabel = makeLabel(texts.mainLabelName, MainDataCaption, this);
    m_overlayLabel = makeLabel(texts.overlayLabelName, OverlayDataCaption, this);
    const char* gridNames[] = {texts.mainGridName, texts.overlayGridName};
    QLabel* gridLabels[] = {mainLabel, m_overlayLabel};
    auto* grids = new QGridLayout;
    for (int set = 1; set <= 2; ++set) {
        const std::size_t i = index(set);
        auto* model = new PointGridModel(session.set(set), kind, this);
        auto* grid = new PointGridView(this);
        grid->setObjectName(QString::fromUtf8(gridNames[i]));
        grid->setModel(model);
        grid->setToolTip(QString::fromUtf8(texts.gridTip));
        grid->setAccessibleName(gridLabels[i]->text());
        grid->setAccessibleDescription(QString::fromUtf8(texts.instruction));
        grid->setMinimumHeight(grid->verticalHeader()->defaultSectionSize() * VisibleRows +
                               grid->horizontalHeader()->sizeHint().height());
        gridLabels[i]->setBuddy(grid);
        connect(grid, &PointGridView::toggleRequested, model,
                [model](int row) { model->toggleRow(row); });
        grids->addWidget(gridLabels[i], 0, static_cast<int>(i), Qt::AlignHCenter);
        grids->addWidget(grid, 1, static_cast<int>(i));
        m_models[i] = model;
        m_grids[i] = grid;
        sizeColumns(set);
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setToolTip(QString::fromUtf8(texts.okTip));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QString::fromUtf8(texts.cancelName));
    cancel->setToolTip(QString::fromUtf8(texts.cancelTip));
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addLayout(grids);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_grids[0], m_grids[1]);
    setTabOrder(m_grids[1], m_ok);
    setTabOrder(m_ok, cancel);
}

void DataEditorDialog::showEditor()
{
    m_grids[1]->setVisible(m_session.sources.overlayLoaded);
    {
        const BusyCursor busy;
        if (buildGrid(1) && m_session.sources.overlayLoaded) {
            buildGrid(2);
        }
    }
    adjustSize();
    if (!isVisible()) {
        centreOnScreen(*this);
    }
    show();
    raise();
    activateWindow();
    m_ok->setFocus(Qt::OtherFocusReason);
}

bool DataEditorDialog::buildGrid(int set)
{
    bool& built = builtFlag(m_session.set(set), m_kind);
    if (built) {
        return true;
    }
    PointGridModel* model = m_models[index(set)];
    try {
        model->rebuild();
    } catch (const std::exception& failure) {
        model->clear();
        sizeColumns(set);
        QApplication::restoreOverrideCursor();
        m_prompter.message(buildFailureText(m_kind, failure), editorTexts(m_kind).failureTitle,
                           MessageIcon::Exclamation);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return false;
    }
    sizeColumns(set);
    m_grids[index(set)]->scrollToTop();
    built = true;
    return true;
}

void DataEditorDialog::sizeColumns(int set)
{
    PointGridView* grid = m_grids[index(set)];
    const PointGridModel* model = m_models[index(set)];
    const QFontMetrics metrics = grid->fontMetrics();
    const QFontMetrics header = grid->horizontalHeader()->fontMetrics();
    const int padding = 2 * metrics.averageCharWidth();
    auto width = [&](const std::string& cell, const char* heading) {
        return std::max(metrics.horizontalAdvance(toQString(cell)),
                        header.horizontalAdvance(QString::fromUtf8(heading))) +
               padding;
    };
    grid->setColumnWidth(0,
                         width(widestPointNumberText(model->dataSet().pointCount), NumberHeading));
    grid->setColumnWidth(1, width(EditorValueSample, DataHeading));
    grid->setColumnWidth(2, width(EditorValueSample, SigmaHeading));
    grid->setColumnWidth(3, width(EditorLineSample, LineHeading));
    grid->setColumnHidden(2, !model->showsSigmas());
    int total = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < model->columnCount(); ++column) {
        if (!grid->isColumnHidden(column)) {
            total += grid->columnWidth(column);
        }
    }
    grid->setFixedWidth(total);
}

} // namespace qv
