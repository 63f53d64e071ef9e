#pragma once

#include "packing/platform.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The desktop as the benchmark plays it: "Browse" answers with the tree to pack, the save
// dialog with the archive to write, every message box with OK. Settings stay in memory, so
// a benchmark run leaves the user's settings alone.
class BenchPlatform : public Platform {
  public:
    BenchPlatform(const QString& ProjectFolder, const QString& OutputPath);

    // The settings store's application name for the benchmark.
    QString AppName() const override;
    // Reads a setting kept in memory.
    QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                       const QString& Default) override;
    // Keeps a setting in memory.
    void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                     const QString& Value) override;
    // The project folder given at construction.
    QString BrowseForFolder(const QString& InitialFolder, const QString& Title) override;
    // The output path given at construction.
    QString ShowSaveDialog(const QString& InitialFolder, const QString& Filter) override;
    // Notes the text and answers OK.
    MsgAnswer MessageBox(const QString& Text, MsgIcon Icon, MsgButtons Buttons) override;
    // Opens nothing.
    void OpenUrl(const QString& Url) override;

    // Texts of the message boxes shown so far; a benchmark run should show none.
    const QStringList& Messages() const { return m_messages; }

  private:
    QString m_projectFolder;
    QString m_outputPath;
    QHash<QString, QString> m_settings;
    QStringList m_messages;
};
