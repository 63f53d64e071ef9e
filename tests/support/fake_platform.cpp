#include "fake_platform.h"

QString FakePlatform::SettingKey(const QString& AppName, const QString& Section,
                                 const QString& Key) {
    return AppName + QLatin1Char('/') + Section + QLatin1Char('/') + Key;
}

QString FakePlatform::GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                                 const QString& Default) {
    return Settings.value(SettingKey(AppName, Section, Key), Default);
}

void FakePlatform::SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                               const QString& Value) {
    Settings.insert(SettingKey(AppName, Section, Key), Value);
}

QString FakePlatform::BrowseForFolder(const QString& InitialFolder, const QString& Title) {
    BrowseCalls << BrowseCall{InitialFolder, Title};
    return BrowseAnswers.isEmpty() ? QString() : BrowseAnswers.takeFirst();
}

QString FakePlatform::ShowSaveDialog(const QString& InitialFolder, const QString& Filter) {
    SaveCalls << SaveCall{InitialFolder, Filter};
    return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
}

Platform::MsgAnswer FakePlatform::MessageBox(const QString& Text, MsgIcon Icon,
                                             MsgButtons Buttons) {
    Messages << MessageCall{Text, Icon, Buttons};
    return MessageAnswers.isEmpty() ? MsgAnswer::Cancel : MessageAnswers.takeFirst();
}
