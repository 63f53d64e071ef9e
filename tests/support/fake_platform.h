#pragma once

#include "packing/platform.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A scripted Platform for tests: answers come from queues the test fills, every call is
// logged, and settings live in memory. An unscripted dialog answers as if cancelled.
class FakePlatform : public Platform {
  public:
    struct MessageCall {
        QString Text;
        MsgIcon Icon;
        MsgButtons Buttons;
    };
    struct SaveCall {
        QString InitialFolder;
        QString Filter;
    };
    struct BrowseCall {
        QString InitialFolder;
        QString Title;
    };

    QString AppName() const override { return m_appName; }
    QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                       const QString& Default) override;
    void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                     const QString& Value) override;
    QString BrowseForFolder(const QString& InitialFolder, const QString& Title) override;
    QString ShowSaveDialog(const QString& InitialFolder, const QString& Filter) override;
    MsgAnswer MessageBox(const QString& Text, MsgIcon Icon, MsgButtons Buttons) override;
    void OpenUrl(const QString& Url) override { OpenedUrls << Url; }

    static QString SettingKey(const QString& AppName, const QString& Section, const QString& Key);

    // Scripted answers, taken front first.
    QStringList BrowseAnswers;
    QStringList SaveAnswers;
    QList<MsgAnswer> MessageAnswers;

    // What the code under test asked for.
    QList<BrowseCall> BrowseCalls;
    QList<SaveCall> SaveCalls;
    QList<MessageCall> Messages;
    QStringList OpenedUrls;
    QHash<QString, QString> Settings;

    QString m_appName = QStringLiteral("vendrel");
};
