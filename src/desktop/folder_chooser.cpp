#include "desktop/folder_chooser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

FolderChooser::FolderChooser(const QString& initialFolder, const QString& title, QWidget* parent)
    : QDialog(parent), m_reportSelection(!initialFolder.isEmpty()) {
    //: Title of the folder chooser dialog.
    setWindowTitle(tr("Browse for Folder"));
    resize(420, 440);
    createTree();
    createLayout(title);
    connectTree();
    preselect(initialFolder);
}

void FolderChooser::createTree() {
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
    //: Name of the folder tree for screen readers.
    m_tree->setAccessibleName(tr("Folders"));
}

void FolderChooser::createLayout(const QString& title) {
    auto* titleLabel = new QLabel(title, this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setWordWrap(true);
    titleLabel->setBuddy(m_tree);

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
    layout->addWidget(titleLabel);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);
}

void FolderChooser::connectTree() {
    // The selection, not the keyboard's current item: a tree that gets the focus makes its
    // first row current without selecting it, and that is no choice of the user's.
    connect(m_tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FolderChooser::onSelectionChanged);
    // Listings arrive in the background and move the preselected row about; several
    // arrivals in a row are answered by one scroll.
    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setSingleShot(true);
    m_scrollTimer->setInterval(0);
    connect(m_scrollTimer, &QTimer::timeout, this, &FolderChooser::scrollToSelection);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &FolderChooser::requestScroll);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &FolderChooser::requestScroll);
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &FolderChooser::requestScroll);
    // Whatever the user does in the tree wins over the following.
    connect(m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_followSelection = false; });
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);
}

QString FolderChooser::Browse(QWidget* owner, const QString& initialFolder, const QString& title) {
    FolderChooser chooser(initialFolder, title, owner);
    if (chooser.exec() != QDialog::Accepted)
        return {};
    return chooser.SelectedFolder();
}

QString FolderChooser::SelectedFolder() const {
    const QModelIndexList selected = m_tree->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return {};
    // cleanPath drops a trailing "/" but keeps the root's own "/".
    return QDir::cleanPath(m_model->filePath(selected.first()));
}

bool FolderChooser::SelectFolder(const QString& folder) {
    const QModelIndex index = m_model->index(QDir::cleanPath(folder));
    if (!index.isValid())
        return false;
    // Open every level above the folder so that it shows in the tree.
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    scrollToSelection();
    return true;
}

QString FolderChooser::StatusText() const {
    return m_status->text();
}

void FolderChooser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Scrolling before the first show went by a guess at the tree's size.
    requestScroll();
}

bool FolderChooser::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        m_followSelection = false;
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void FolderChooser::requestScroll() {
    if (m_followSelection)
        m_scrollTimer->start();
}

void FolderChooser::scrollToSelection() {
    const QModelIndexList selected = m_tree->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        m_tree->scrollTo(selected.first(), QAbstractItemView::PositionAtCenter);
}

void FolderChooser::onSelectionChanged() {
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
    m_followSelection = SelectFolder(folder);
}
