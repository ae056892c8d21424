#pragma once
// The two data editors, titled after their menu items: the enable/disable editor (EditForm) and
// the hilite editor (HiliteForm). A grid of the main set and, with an overlay
// loaded, a grid of the overlay set beside it; a click on a row (or Space on
// the current row) flips that point's state in its data set at once. OK closes
// the window and asks for a redraw (accepted()); Cancel closes it and keeps the
// flipped states. The window is created once and then only hidden; a grid is
// rebuilt only when its set has been loaded since the grid was last built.

#include "core/document/PointEditor.h"

#include <QDialog>
#include <QTableView>

#include <array>

class QLabel;
class QPushButton;

namespace qv {

class PointGridModel;
class Prompter;
class Session;

// A grid of points: one toggle per left click or double click on a data row,
// and Space toggles the current row.
class PointGridView : public QTableView
{
    Q_OBJECT

public:
    explicit PointGridView(QWidget* parent = nullptr);

Q_SIGNALS:
    void toggleRequested(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class DataEditorDialog : public QDialog
{
    Q_OBJECT

public:
    // `session` and `prompter` (for the build failures) must outlive the window.
    DataEditorDialog(Session& session, Prompter& prompter, EditorKind kind,
                     QWidget* parent = nullptr);

    // The opening command: the overlay grid shown exactly when an overlay is
    // loaded, the grids of sets loaded since their last build rebuilt (a
    // failure is reported and leaves that set to be built at the next opening),
    // the focus on OK, and the window shown over the main window, which it
    // blocks until OK or Cancel.
    void showEditor();

    EditorKind kind() const { return m_kind; }
    // The grid and the model of set 1 (main) or 2 (overlay).
    PointGridView* grid(int set) const { return m_grids[index(set)]; }
    PointGridModel* model(int set) const { return m_models[index(set)]; }

private:
    static std::size_t index(int set) { return set == 2 ? 1 : 0; }
    // Rebuilds the grid of `set` when its flag says so; false after a failure.
    bool buildGrid(int set);
    void sizeColumns(int set);

    Session& m_session;
    Prompter& m_prompter;
    EditorKind m_kind;
    std::array<PointGridView*, 2> m_grids{};
    std::array<PointGridModel*, 2> m_models{};
    QLabel* m_overlayLabel = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace qv
