#pragma once

#include "packing/template_kind.h"

#include <QString>

// What the packing logic may change in the window. The window implements it; tests
// record the calls. Keeping it this narrow lets packing live without any widget.
class PackingView {
  public:
    virtual ~PackingView() = default;

    virtual void SetGenerateEnabled(KindCode Code, bool Enabled) = 0;
    virtual void SetCancelEnabled(bool Enabled) = 0;
    // Sets the status line's text (not repainted until RepaintStatus or the next paint).
    virtual void SetStatus(const QString& Text) = 0;
    // Repaints the status line at once, before control returns to the event loop.
    virtual void RepaintStatus() = 0;
    virtual void SetProgressVisible(bool Visible) = 0;
    // Progress bar value, 0 to 100.
    virtual void SetProgressValue(float Value) = 0;
};

// The values the window holds for the packing logic.
struct WindowValues {
    QString ProjectFolder;
    QString DestinationFolder;
    int MaxFolderEntries = 0;
};
