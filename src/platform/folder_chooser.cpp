#include "platform/folder_chooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

FolderChooser::FolderChooser(const QString& InitialFolder, const QString& Title, QWidget* Parent)
    : QDialog(Parent), m_reportSelection(!InitialFolder.isEmpty()) {
    setWindowTitle(tr("Browse for Folder"));
    resize(420, 440);

    auto* title = new QLabel(Title, this);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setWordWrap(true);

    m_model = new QFileSystemModel(this);
    // Only file-system folders can be chosen, so only they are shown.
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QDir::rootPath());

    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("folderTree"));
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setAccessibleName(tr("Folders"));
    title->setBuddy(m_tree);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    // A long path must not widen the dialog; the tooltip shows it whole.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderChooser::onCurrentChanged);
    preselect(InitialFolder);
}

QString FolderChooser::Browse(QWidget* Owner, const QString& InitialFolder, const QString& Title) {
    FolderChooser chooser(InitialFolder, Title, Owner);
    if (chooser.exec() != QDialog::Accepted)
        return {};
    return chooser.SelectedFolder();
}

QString FolderChooser::SelectedFolder() const {
    const QModelIndex current = m_tree->currentIndex();
    if (!current.isValid())
        return {};
    // cleanPath drops a trailing "/" but keeps the root's own "/".
    return QDir::cleanPath(m_model->filePath(current));
}

bool FolderChooser::SelectFolder(const QString& Folder) {
    const QModelIndex index = m_model->index(QDir::cleanPath(Folder));
    if (!index.isValid())
        return false;
    // Open every level above the folder so that it shows in the tree.
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

QString FolderChooser::StatusText() const {
    return m_status->text();
}

void FolderChooser::onCurrentChanged() {
    const QString folder = SelectedFolder();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!folder.isEmpty());
    if (!m_reportSelection)
        return;
    m_status->setText(folder);
    m_status->setToolTip(folder);
}

void FolderChooser::preselect(const QString& folder) {
    if (folder.isEmpty()) {
        // Nothing chosen yet: show the top level of the tree open, select nothing.
        m_tree->expand(m_model->index(QDir::rootPath()));
        return;
    }
    // A remembered folder that is gone simply leaves nothing selected.
    SelectFolder(folder);
}
