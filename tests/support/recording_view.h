#pragma once

#include "packing/packing_view.h"
#include "packing/template_kind.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// A PackingView that keeps the window state the packing logic leaves behind and logs every
// call in order. It starts as the window stands after a folder was chosen: Generate buttons,
// cancel button and progress bar all on.
class RecordingView : public PackingView {
  public:
    void SetGenerateEnabled(KindCode Code, bool Enabled) override {
        GenerateEnabled[std::size_t(Code)] = Enabled;
        Log << QString::fromLatin1(KindOf(Code).Button) + (Enabled ? " on" : " off");
    }
    void SetCancelEnabled(bool Enabled) override {
        CancelEnabled = Enabled;
        Log << (Enabled ? QStringLiteral("Command3 on") : QStringLiteral("Command3 off"));
    }
    void SetStatus(const QString& Text) override {
        StatusText = Text;
        Statuses << Text;
        Log << QStringLiteral("status ") + Text;
    }
    QString Status() const { return StatusText; }
    void RepaintStatus() override {
        Repaints << StatusText;
        Log << QStringLiteral("repaint");
    }
    void SetProgressVisible(bool Visible) override {
        ProgressVisible = Visible;
        Log << (Visible ? QStringLiteral("bar shown") : QStringLiteral("bar hidden"));
    }
    void SetProgressValue(float Value) override {
        ProgressValue = Value;
        ProgressValues << Value;
    }

    // The six Generate buttons as "110000" in the window's fixed order.
    QString Buttons() const {
        QString text;
        for (bool on : GenerateEnabled)
            text += on ? QLatin1Char('1') : QLatin1Char('0');
        return text;
    }

    std::array<bool, 6> GenerateEnabled{true, true, true, true, true, true};
    bool CancelEnabled = true;
    bool ProgressVisible = true;
    float ProgressValue = 0;
    QString StatusText = QStringLiteral("before");

    QStringList Log;
    QStringList Statuses;
    QStringList Repaints; // the status text at each repaint
    QList<float> ProgressValues;
};
