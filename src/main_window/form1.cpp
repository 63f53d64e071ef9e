#include "main_window/form1.h"

#include "desktop/qt_platform.h"
#include "packing/banner_links.h"
#include "packing/folder_walk.h"
#include "packing/packer.h"
#include "zip_engine/zipper.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace {

// The program's name: the caption starts with it and message boxes carry it as their title.
const QString ProductName = QStringLiteral("Vendrel");
constexpr int ClientWidth = 533;
constexpr int ClientHeight = 625;

const QString TopBannerResource = QStringLiteral(":/vendrel/banner_top.png");
const QString LowerBannerResource = QStringLiteral(":/vendrel/banner_support.png");
// Where the settings store keeps the last chosen project folder.
const QString FoldersSection = QStringLiteral("folders");
const QString LastFolderKey = QStringLiteral("lastfolder");

// Where each kind's frame sits; all frames share one size and place their button alike.
const QPoint& kindFramePosition(KindCode code) {
    static const std::array<QPoint, 6> positions = {{
        {8, 184},   // DZEP, Frame2
        {8, 256},   // DZT, Frame3
        {8, 328},   // DZTR, Frame4
        {272, 184}, // DZS, Frame6
        {272, 328}, // DZM, Frame8
        {272, 256}, // DZP, Frame7
    }};
    return positions[static_cast<std::size_t>(code)];
}
constexpr QSize KindFrameSize(257, 65);
constexpr QRect GenerateButtonGeometry(56, 24, 145, 33);

// The text of a caption without its access-key marker, for screen readers.
QString plainCaption(const QString& caption) {
    QString text = caption;
    return text.remove(QLatin1Char('&'));
}

// The window icon with every size drawn for it, so no size is scaled from another.
QIcon windowIconFromAssets() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/vendrel/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

template <typename W> W* makeControl(QWidget* parent, const char* name, const QRect& geometry) {
    auto* control = new W(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry) {
    auto* button = makeControl<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setAccessibleName(plainCaption(caption));
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption,
                     const QRect& geometry) {
    auto* frame = makeControl<QGroupBox>(parent, name, geometry);
    frame->setTitle(caption);
    return frame;
}

// Display fields are disabled for good; their text stays as legible as a label's.
void makeDisplayField(QWidget* field) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::WindowText));
    field->setPalette(palette);
    field->setFocusPolicy(Qt::NoFocus);
    field->setEnabled(false);
}

// What a URL names, as the window's project folder.
enum class FolderUrl { Folder, NotLocal, Missing, NotAFolder };

// Whether Url names a local folder, which is then in Folder in the form the folder chooser
// returns: no trailing "/" except for the root. Drops and the command line both go by it.
FolderUrl localFolder(const QUrl& Url, QString& Folder) {
    if (!Url.isLocalFile())
        return FolderUrl::NotLocal;
    const QString path = Url.toLocalFile();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return FolderUrl::Missing;
    if (!info.isDir())
        return FolderUrl::NotAFolder;
    Folder = QDir::cleanPath(path);
    return FolderUrl::Folder;
}

// A command-line argument as a URL: a path, relative to the working folder, unless it names
// nothing here and starts with a URL scheme ("file:", "sftp:"), as file managers pass them.
QUrl argumentUrl(const QString& Argument) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (!QFileInfo::exists(Argument) && scheme.match(Argument).hasMatch())
        return QUrl(Argument);
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(Argument));
}

} // namespace

Form1::Form1(Platform& Services, QWidget* Parent) : Form1(nullptr, &Services, Parent) {}

Form1::Form1(QWidget* Parent) : Form1(std::make_unique<QtPlatform>(ProductName), nullptr, Parent) {}

Form1::Form1(std::unique_ptr<QtPlatform> OwnPlatform, Platform* Services, QWidget* Parent)
    : QWidget(Parent), m_ownPlatform(std::move(OwnPlatform)),
      m_platform(Services ? *Services : *m_ownPlatform) {
    if (m_ownPlatform)
        m_ownPlatform->SetOwner(this);
    setWindowTitle(ProductName + QStringLiteral(" v" VENDREL_VERSION));
    setWindowIcon(windowIconFromAssets());
    // Asked for by name; where Tahoma is missing the desktop substitutes the nearest face,
    // and nothing depends on it since every control has a fixed place.
    QFont font(QStringLiteral("Tahoma"), 9);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setFixedSize(ClientWidth, ClientHeight);
    setAcceptDrops(true);
    createControls();
    chainTabOrder();
    connectControls();
    startUp();
}

Form1::~Form1() {
    // The Zipper goes first, while every control it may report to still exists; a run
    // still going on is finished with the entries written so far.
    delete m_zipper;
}

void Form1::createControls() {
    // In the order the window has always created them.
    createProgressBar();
    //: Button, 89 px wide; keep it short. "&" marks the access key (Alt+X in English).
    cmdExit = makeButton(this, "cmdExit", tr("E&XIT"), {344, 488, 89, 33});
    createKindFrames();
    Picture1 = makeControl<QLabel>(this, "Picture1", {0, 0, 533, 111});
    //: Tooltip of the top banner, a link to the makers' website with free templates.
    Picture1->setToolTip(tr("Visit Us"));
    //: Name of the top banner for screen readers.
    Picture1->setAccessibleName(tr("Free templates banner"));
    createStatusFrame();
    createFolderFrame();
    //: Button, 113 px wide; keep it short. Stops the packing that is going on. "&" marks the
    //: access key.
    Command3 = makeButton(this, "Command3", tr("&Cancel Process"), {112, 488, 113, 33});
    Image1 = makeControl<QLabel>(this, "Image1", {88, 408, 347, 67});
    Image1->setPixmap(QPixmap(LowerBannerResource));
    //: Tooltip of the lower banner, a link to the page where users can support the makers.
    Image1->setToolTip(tr("Please Click Here And Surprise Me :)"));
    //: Name of the lower banner for screen readers.
    Image1->setAccessibleName(tr("Support us banner"));
    m_zipper = new ::Zipper(this);
    m_zipper->setObjectName(QStringLiteral("Zipper"));
    m_packer = new Packer(*m_zipper, m_platform, *this, m_values, this);
}

void Form1::createProgressBar() {
    ProgressBar1 = makeControl<QProgressBar>(this, "ProgressBar1", {8, 600, 513, 21});
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFocusPolicy(Qt::NoFocus);
    //: Name of the progress bar for screen readers.
    ProgressBar1->setAccessibleName(tr("Packing progress"));
}

void Form1::createStatusFrame() {
    //: Frame title around the status line, 513 px wide.
    Frame5 = makeFrame(this, "Frame5", tr("RESULTS"), {8, 536, 513, 57});
    txtStatus = makeControl<QPlainTextEdit>(Frame5, "txtStatus", {8, 16, 489, 37});
    //: Name of the status line for screen readers.
    txtStatus->setAccessibleName(tr("Status"));
    txtStatus->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Two lines fit only with a slim margin around the text.
    txtStatus->document()->setDocumentMargin(2);
    // A display field on the button face, like the frame around it.
    QPalette statusPalette = txtStatus->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        statusPalette.setColor(group, QPalette::Base, statusPalette.color(group, QPalette::Button));
    txtStatus->setPalette(statusPalette);
    makeDisplayField(txtStatus);
}

void Form1::createFolderFrame() {
    //: Frame title, 521 px wide, over the project folder field and the Browse button.
    Frame1 = makeFrame(this, "Frame1", tr("Browse To Project Folder"), {8, 112, 521, 65});
    txtFolder = makeControl<QLineEdit>(Frame1, "txtFolder", {8, 24, 417, 25});
    //: Name of the project folder field for screen readers.
    txtFolder->setAccessibleName(tr("Project folder"));
    //: Tooltip of the project folder field. "Browse" is the button beside it: use its
    //: translation.
    txtFolder->setToolTip(tr("The project folder to pack: choose it with Browse, or drop a "
                             "folder from your file manager anywhere on this window."));
    makeDisplayField(txtFolder);
    //: Button, 65 px wide; keep it very short. Opens the folder chooser.
    cmdSelectFolder = makeButton(Frame1, "cmdSelectFolder", tr("Browse"), {440, 24, 65, 25});
    //: Description of the Browse button for screen readers.
    cmdSelectFolder->setAccessibleDescription(tr("Choose the template project folder"));
}

void Form1::createKindFrames() {
    for (const TemplateKind& kind : TemplateKinds()) {
        const auto index = static_cast<std::size_t>(kind.Code);
        auto* frame = makeFrame(this, kind.Frame, KindText(kind.FrameCaption),
                                QRect(kindFramePosition(kind.Code), KindFrameSize));
        auto* button =
            makeButton(frame, kind.Button, KindText(kind.ButtonCaption), GenerateButtonGeometry);
        button->setAccessibleDescription(KindText(kind.FrameCaption));
        m_generateButtons[index] = button;
    }
}

void Form1::chainTabOrder() {
    const QList<QWidget*> order = {
        Command3,
        cmdSelectFolder,
        GenerateButton(KindCode::DZEP),
        GenerateButton(KindCode::DZT),
        GenerateButton(KindCode::DZTR),
        txtFolder,
        txtStatus,
        GenerateButton(KindCode::DZS),
        GenerateButton(KindCode::DZP),
        GenerateButton(KindCode::DZM),
        cmdExit,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    // The progress bar comes first in the order but takes no focus, so the cancel button
    // is where the focus starts.
    Command3->setFocus();
}

void Form1::connectControls() {
    connect(cmdSelectFolder, &QPushButton::clicked, this, &Form1::cmdSelectFolderClick);
    connect(Command3, &QPushButton::clicked, m_packer, &Packer::Cancel);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    makeBannerLink(Picture1);
    makeBannerLink(Image1);
    for (const TemplateKind& kind : TemplateKinds()) {
        const KindCode code = kind.Code;
        connect(GenerateButton(code), &QPushButton::clicked, this,
                [this, code] { generateClick(code); });
    }
}

void Form1::startUp() {
    m_values.MaxFolderEntries = DefaultMaxFolderEntries;
    setAllGenerateEnabled(false);
    FitBannerPicture();
    //: The status line's first text, 489 px wide and two lines high. The banner is the picture
    //: at the top of the window.
    SetStatus(tr("For FREE Templates pay us a visit by clicking on our banner :)"));
    // Stays above ordinary windows; a window manager that ignores the hint leaves an
    // ordinary window, which is harmless.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void Form1::FitBannerPicture() {
    const QPixmap stored(TopBannerResource);
    const QSize inner = Picture1->contentsRect().size();
    // Drawn at the screen's pixel density so the banner stays sharp on high-DPI screens.
    const qreal ratio = Picture1->devicePixelRatioF();
    QPixmap fitted(inner * ratio);
    fitted.setDevicePixelRatio(ratio);
    fitted.fill(Qt::transparent);
    QPainter painter(&fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The whole picture is stretched over the whole box; its proportions are not kept.
    painter.drawPixmap(QRectF(QPointF(0, 0), QSizeF(inner)), stored,
                       QRectF(QPointF(0, 0), QSizeF(stored.size())));
    painter.end();
    Picture1->setPixmap(fitted);
}

void Form1::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    if (m_placed || Event->spontaneous())
        return;
    m_placed = true;
    centreOnScreen();
}

void Form1::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // The frame, title bar included, is what is centred, where the window system tells it.
    QRect placed(QPoint(0, 0), frameGeometry().size());
    placed.moveCenter(available.center());
    // On a screen smaller than the window keep the top left corner, with the title bar,
    // reachable.
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    move(placed.topLeft());
}

void Form1::setAllGenerateEnabled(bool Enabled) {
    // Always in the table's order: DZEP, DZT, DZTR, DZS, DZM, DZP.
    for (const TemplateKind& kind : TemplateKinds())
        SetGenerateEnabled(kind.Code, Enabled);
}

void Form1::cmdSelectFolderClick() {
    const QString remembered =
        m_platform.GetSetting(m_platform.AppName(), FoldersSection, LastFolderKey, QString());
    //: The text over the folder tree in the folder chooser.
    takeProjectFolder(m_platform.BrowseForFolder(remembered, tr("Please select a folder:")));
}

void Form1::takeProjectFolder(const QString& Folder) {
    if (Folder.isEmpty()) {
        //: Shown in the project folder field when the folder chooser was cancelled.
        txtFolder->setText(tr("Canceled"));
        m_values.ProjectFolder.clear();
        setAllGenerateEnabled(false);
    } else {
        txtFolder->setText(Folder);
        m_values.ProjectFolder = txtFolder->text();
        setAllGenerateEnabled(true);
    }
    // A cancel stores "" too, so the next chooser opens with nothing preselected.
    m_platform.SaveSetting(m_platform.AppName(), FoldersSection, LastFolderKey,
                           m_values.ProjectFolder);
}

QString Form1::droppableFolder(const QDropEvent& Event) const {
    // A run keeps its folder; choosing anew waits until it has ended.
    if (m_zipper->Zipping() || !Event.mimeData()->hasUrls())
        return {};
    const QList<QUrl> urls = Event.mimeData()->urls();
    QString folder;
    if (urls.size() != 1 || localFolder(urls.first(), folder) != FolderUrl::Folder)
        return {};
    return folder;
}

QString Form1::acceptFolderDrop(QDropEvent& Event) const {
    const QString folder = droppableFolder(Event);
    const Qt::DropActions possible = Event.possibleActions();
    // Never a move: the source could then delete what it sent.
    const Qt::DropAction action =
        possible.testFlag(Qt::LinkAction) ? Qt::LinkAction : Qt::CopyAction;
    if (folder.isEmpty() || !possible.testFlag(action)) {
        // An ignored drag shows the "no drop" pointer.
        Event.ignore();
        return {};
    }
    Event.setDropAction(action);
    Event.accept();
    return folder;
}

void Form1::dragEnterEvent(QDragEnterEvent* Event) {
    acceptFolderDrop(*Event);
}

void Form1::dragMoveEvent(QDragMoveEvent* Event) {
    acceptFolderDrop(*Event);
}

void Form1::dropEvent(QDropEvent* Event) {
    const QString folder = acceptFolderDrop(*Event);
    if (!folder.isEmpty())
        takeProjectFolder(folder);
}

void Form1::OpenFolderArgument(const QString& Argument) {
    QString folder;
    // An empty argument would otherwise stand for the working folder.
    const FolderUrl named =
        Argument.isEmpty() ? FolderUrl::Missing : localFolder(argumentUrl(Argument), folder);
    switch (named) {
    case FolderUrl::Folder:
        takeProjectFolder(folder);
        return;
    case FolderUrl::NotLocal:
        //: Status line, when the folder given to the vendrel command is on another computer
        //: (an sftp:// address...); %1 is what was given.
        SetStatus(tr("\"%1\" is not a folder on this computer").arg(Argument));
        return;
    case FolderUrl::Missing:
        //: Status line, when the folder given to the vendrel command does not exist; %1 is
        //: what was given.
        SetStatus(tr("\"%1\" does not exist").arg(Argument));
        return;
    case FolderUrl::NotAFolder:
        //: Status line, when a file was given to the vendrel command instead of a folder; %1
        //: is what was given.
        SetStatus(tr("\"%1\" is not a folder").arg(Argument));
        return;
    }
}

void Form1::generateClick(KindCode Code) {
    emit GenerateClicked(Code);
    m_packer->Generate(Code);
}

void Form1::makeBannerLink(QLabel* Banner) {
    // The hand shows over the banner whatever the mouse does there; the window system
    // restores the pointer of whatever lies under it once the mouse leaves.
    Banner->setCursor(Qt::PointingHandCursor);
    Banner->installEventFilter(this);
}

bool Form1::eventFilter(QObject* Watched, QEvent* Event) {
    const bool onBanner = Watched == Picture1 || Watched == Image1;
    if (!onBanner || Event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(Watched, Event);
    const auto* mouse = static_cast<QMouseEvent*>(Event);
    // A press dragged off the banner before release is no click.
    if (mouse->button() != Qt::LeftButton ||
        !static_cast<QWidget*>(Watched)->rect().contains(mouse->position().toPoint()))
        return false;
    BannerLinks::OpenBannerLink(m_platform, Watched == Picture1 ? BannerLinks::Banner::Top
                                                                : BannerLinks::Banner::Lower);
    return true;
}

QPushButton* Form1::GenerateButton(KindCode Code) const {
    return m_generateButtons[static_cast<std::size_t>(Code)];
}

QPixmap Form1::BannerPicture() const {
    return Picture1->pixmap();
}

void Form1::SetGenerateEnabled(KindCode Code, bool Enabled) {
    GenerateButton(Code)->setEnabled(Enabled);
}

void Form1::SetCancelEnabled(bool Enabled) {
    Command3->setEnabled(Enabled);
}

void Form1::SetStatus(const QString& Text) {
    txtStatus->setPlainText(Text);
}

QString Form1::Status() const {
    return txtStatus->toPlainText();
}

void Form1::RepaintStatus() {
    txtStatus->repaint();
}

void Form1::SetProgressVisible(bool Visible) {
    ProgressBar1->setVisible(Visible);
}

void Form1::SetProgressValue(float Value) {
    // NaN and values below 0 show as 0; the bar's range ends at 100.
    const int value = Value > 0 ? static_cast<int>(std::min(Value, 100.0F)) : 0;
    ProgressBar1->setValue(value);
}
