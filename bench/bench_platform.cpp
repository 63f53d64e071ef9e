#include "bench_platform.h"

namespace {

QString settingKey(const QString& AppName, const QString& Section, const QString& Key) {
    return AppName + QLatin1Char('/') + Section + QLatin1Char('/') + Key;
}

} // namespace

BenchPlatform::BenchPlatform(const QString& ProjectFolder, const QString& OutputPath)
    : m_projectFolder(ProjectFolder), m_outputPath(OutputPath) {}

QString BenchPlatform::AppName() const {
    return QStringLiteral("vendrel-bench");
}

QString BenchPlatform::GetSetting(const QString& AppName, const QString& Section,
                                  const QString& Key, const QString& Default) {
    return m_settings.value(settingKey(AppName, Section, Key), Default);
}

void BenchPlatform::SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                                const QString& Value) {
    m_settings.insert(settingKey(AppName, Section, Key), Value);
}

QString BenchPlatform::BrowseForFolder(const QString&, const QString&) {
    return m_projectFolder;
}

QString BenchPlatform::ShowSaveDialog(const QString&, const QString&) {
    return m_outputPath;
}

Platform::MsgAnswer BenchPlatform::MessageBox(const QString& Text, MsgIcon, MsgButtons) {
    m_messages << Text;
    return MsgAnswer::Ok;
}

void BenchPlatform::OpenUrl(const QString&) {}
