#pragma once

#include "os/temp_output.h"
#include "packing/packing_view.h"
#include "packing/template_kind.h"

#include <QObject>
#include <QString>

#include <memory>

class Platform;
class Zipper;

// The pack command of the six Generate buttons and the window's side of a packing run:
// it asks for the output file, walks the project folder onto the Zipper's queue, starts
// the run and turns the Zipper's events into status text, progress and button states.
// The package is written beside the output without a name (or under a hidden one) and
// replaces an old package only when the run completes, so a refused or failed run leaves
// the old package as it was.
// It reaches the window only through PackingView, Platform and WindowValues.
class Packer : public QObject {
    Q_OBJECT
  public:
    // Connects the five handlers below to the Zipper's events. All four references must
    // outlive the Packer.
    Packer(Zipper& Zipper, Platform& Platform, PackingView& View, WindowValues& Values,
           QObject* Parent = nullptr);

    // A press of the Generate button of kind Code: disables the six Generate buttons,
    // enables the cancel button and runs PackTemplate with the kind's row.
    void Generate(KindCode Code);
    // The pack command for one kind: save dialog, destination checks, extension, overwrite
    // question and the check that the old package can be replaced, folder walk and the start
    // of the run.
    void PackTemplate(const TemplateKind& Kind);
    // Queues every file below FolderPath (ending in "/") under the names Naming forms from
    // NamePrefix, all but the package being replaced; false, with the status text set, when a
    // file could not be queued or the walk failed, or at the first file past MaxPackageFiles,
    // which is neither opened nor queued.
    bool AddFolderFiles(const QString& FolderPath, const QString& NamePrefix, ArchiveNaming Naming);
    // A click on "&Cancel Process": asks the Zipper to stop a running run.
    void Cancel();

    // Shows "Packing " and the file's path, repainted at once.
    void OnStartFile();
    // Moves the progress bar to the share of bytes packed so far.
    void OnProgress();
    // Shows "Packed " and the file's path, repainted at once.
    void OnEndFile();
    // Shows the failed step of a run that ended in an error.
    void OnError();
    // Shows "Success" or "Canceled" and makes the window ready for the next run.
    void OnComplete(bool Canceled);

    // The status text of a refused or failed run: "Err ", Result, " in ", Failed.
    static QString ErrorText(int Result, const QString& Failed);

  private:
    bool readyToPack();
    QString askOutputPath(const TemplateKind& Kind);
    bool destinationIsProject() const;
    void warnDestinationIsProject(KindCode Code);
    bool prepareOutput(const QString& outputPath);
    bool refuseReplacing(const QString& outputPath);
    void startRun(const QString& outputPath);
    void showFileStatus(const QString& text);
    void setGenerateButtons(bool enabled);

    Zipper& m_zipper;
    Platform& m_platform;
    PackingView& m_view;
    WindowValues& m_values;
    // The file the next run writes, from the overwrite question to the start of the run;
    // none when the output is a device or pipe, which is written directly.
    std::unique_ptr<TempOutput> m_output;
    // The package being replaced, left out of the walk by its own path.
    QString m_oldOutputPath;
    // Whether the next run may replace a file at its output: only an old package the user
    // agreed to replace.
    bool m_replaceOld = false;
    // The output of the run in progress or last started.
    QString m_runOutput;
};
