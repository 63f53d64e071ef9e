#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QTimer;
class QTreeView;

// A modal folder chooser: a tree of the file system's folders under a title text, with a
// status line. Given an initial folder it opens with that folder selected and the tree
// expanded to it, and the status line follows the selection with its full path; without
// one nothing is preselected and the status line stays empty.
class FolderChooser : public QDialog {
    Q_OBJECT
  public:
    FolderChooser(const QString& initialFolder, const QString& title, QWidget* parent = nullptr);

    // Runs the chooser modally; the chosen folder, or "" when the user cancelled.
    static QString Browse(QWidget* owner, const QString& initialFolder, const QString& title);

    // The selected folder: no trailing "/" except for the root "/"; "" when none.
    QString SelectedFolder() const;
    // Selects folder in the tree, as a click on it would; false when it is not shown.
    [[nodiscard]] bool SelectFolder(const QString& folder);
    // The status line's text.
    QString StatusText() const;

  protected:
    // Brings the preselected folder into view once the tree has its size.
    void showEvent(QShowEvent* event) override;
    // Notices the user's own moves in the tree, which end the following of the selection.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createTree();
    void createLayout(const QString& title);
    void connectTree();
    void requestScroll();
    void scrollToSelection();
    void onSelectionChanged();
    void preselect(const QString& folder);

    QFileSystemModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
    QLabel* m_status = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QTimer* m_scrollTimer = nullptr;
    // Only a chooser opened at a folder reports each selection in its status line.
    bool m_reportSelection = false;
    // While true the preselected folder is kept in view as the listings above it arrive.
    bool m_followSelection = false;
};
