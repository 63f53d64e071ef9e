#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QTreeView;

// A modal folder chooser: a tree of the file system's folders under a title text, with a
// status line. Given an initial folder it opens with that folder selected and the tree
// expanded to it, and the status line follows the selection with its full path; without
// one nothing is preselected and the status line stays empty.
class FolderChooser : public QDialog {
    Q_OBJECT
  public:
    FolderChooser(const QString& InitialFolder, const QString& Title, QWidget* Parent = nullptr);

    // Runs the chooser modally; the chosen folder, or "" when the user cancelled.
    static QString Browse(QWidget* Owner, const QString& InitialFolder, const QString& Title);

    // The selected folder: no trailing "/" except for the root "/"; "" when none.
    QString SelectedFolder() const;
    // Selects Folder in the tree, as a click on it would; false when it is not shown.
    bool SelectFolder(const QString& Folder);
    // The status line's text.
    QString StatusText() const;

  private:
    void onCurrentChanged();
    void preselect(const QString& folder);

    QFileSystemModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
    QLabel* m_status = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    // Only a chooser opened at a folder reports each selection in its status line.
    bool m_reportSelection = false;
};
