#pragma once
#include "platform/platform.h"
class QWidget;
// Placeholder until the Qt platform is implemented.
class QtPlatform : public Platform {
public:
    QString AppName() const override { return {}; }
    QString GetSetting(const QString&, const QString&, const QString&, const QString& d) override { return d; }
    void SaveSetting(const QString&, const QString&, const QString&, const QString&) override {}
    QString BrowseForFolder(const QString&, const QString&) override { return {}; }
    QString ShowSaveDialog(const QString&, const QString&) override { return {}; }
    MsgAnswer MessageBox(const QString&, MsgIcon, MsgButtons) override { return MsgAnswer::Cancel; }
    void OpenUrl(const QString&) override {}
};
