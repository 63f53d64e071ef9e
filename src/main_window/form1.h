#pragma once

#include "packing/packing_view.h"
#include "packing/template_kind.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <memory>

class Packer;
class Platform;
class QtPlatform;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class Zipper;

// Vendrel's one window: the banners, the project folder field with "Browse", one frame
// and Generate button per template kind, "&Cancel Process", "E&XIT", the status line and
// the progress bar, all at fixed pixel positions. It owns the Zipper that packs, holds
// the values the packing logic shares, and is the PackingView that logic drives.
//
// Two ways to build it: with a Platform the caller owns (tests pass a FakePlatform), or
// with none, in which case the window makes and owns a QtPlatform with itself as owner.
class Form1 : public QWidget, public PackingView {
    Q_OBJECT
  public:
    // The window over a platform that must outlive it.
    explicit Form1(Platform& Services, QWidget* Parent = nullptr);
    // The window over its own QtPlatform (the real desktop).
    explicit Form1(QWidget* Parent = nullptr);
    ~Form1() override;

    // Enables or disables one kind's Generate button.
    void SetGenerateEnabled(KindCode Code, bool Enabled) override;
    // Enables or disables "&Cancel Process".
    void SetCancelEnabled(bool Enabled) override;
    // Sets the status line's text.
    void SetStatus(const QString& Text) override;
    // The status line's text.
    QString Status() const;
    // Repaints the status line at once.
    void RepaintStatus() override;
    // Shows or hides the progress bar.
    void SetProgressVisible(bool Visible) override;
    // Sets the progress bar, 0 to 100; out-of-range values are held at the nearest end.
    void SetProgressValue(float Value) override;

    // The values shared with the packing logic.
    WindowValues& Values() { return m_values; }
    const WindowValues& Values() const { return m_values; }
    // The chosen project folder; "" while none is chosen.
    const QString& ProjectFolder() const { return m_values.ProjectFolder; }
    // The folder of the last chosen output file.
    const QString& DestinationFolder() const { return m_values.DestinationFolder; }
    // The most entries the folder walk takes from one folder.
    int MaxFolderEntries() const { return m_values.MaxFolderEntries; }
    // The window's compression component (object name "Zipper").
    ::Zipper& GetZipper() { return *m_zipper; }
    // The Generate button of one template kind.
    QPushButton* GenerateButton(KindCode Code) const;
    // The banner picture kept by FitBannerPicture, as shown in Picture1.
    QPixmap BannerPicture() const;
    // Takes the folder given on the command line, a path or a URL, as a dropped folder is
    // taken; a file, a missing path or a remote URL leaves the window as it is, with the
    // reason in the status line.
    void OpenFolderArgument(const QString& Argument);

  protected:
    // Centres the window on its screen the first time it is shown.
    void showEvent(QShowEvent* Event) override;
    // Turns clicks on the two banners into their links.
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // Accepts a dragged single local folder while no run is going; refuses anything else.
    void dragEnterEvent(QDragEnterEvent* Event) override;
    // Keeps the verdict of the drag's entry up to date while it moves over the window.
    void dragMoveEvent(QDragMoveEvent* Event) override;
    // Takes a dropped folder exactly as a folder "Browse" returned.
    void dropEvent(QDropEvent* Event) override;

  Q_SIGNALS:
    // A Generate button was pressed; the pack command for its kind runs right after.
    void GenerateClicked(KindCode Code);

  private:
    Form1(std::unique_ptr<QtPlatform> OwnPlatform, Platform* Services, QWidget* Parent);

    void createControls();
    void createProgressBar();
    void createKindFrames();
    void createStatusFrame();
    void createFolderFrame();
    void chainTabOrder();
    void connectControls();
    void startUp();
    void FitBannerPicture();
    void centreOnScreen();
    void setAllGenerateEnabled(bool Enabled);
    void cmdSelectFolderClick();
    void takeProjectFolder(const QString& Folder);
    QString droppableFolder(const QDropEvent& Event) const;
    QString acceptFolderDrop(QDropEvent& Event) const;
    void generateClick(KindCode Code);
    void makeBannerLink(QLabel* Banner);

    std::unique_ptr<QtPlatform> m_ownPlatform;
    Platform& m_platform;
    WindowValues m_values;
    ::Zipper* m_zipper = nullptr;
    Packer* m_packer = nullptr;
    bool m_placed = false;

    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QLineEdit* txtFolder = nullptr;
    QPushButton* cmdSelectFolder = nullptr;
    QPlainTextEdit* txtStatus = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QPushButton*, 6> m_generateButtons{};
};
