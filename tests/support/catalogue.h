#pragma once

#include <QHash>
#include <QString>

// One language's catalogue of translated texts as it stands in translations/, read straight
// from its .ts file, so that tests compare the programs against what translators wrote.
class Catalogue {
  public:
    struct Message {
        QString Translation; // the first form of a plural
        bool Finished = false;
    };

    // Reads translations/vendrel_<Language>.ts; an unreadable file leaves it empty.
    explicit Catalogue(const QString& Language);

    // Whether the file was read and held at least one message.
    bool IsLoaded() const { return !m_messages.isEmpty(); }
    // Whether Source is a text of Context in the catalogue.
    bool Has(const QString& Context, const QString& Source) const;
    // The finished, non-empty translation of Source in Context; "" when there is none.
    QString Translation(const QString& Context, const QString& Source) const;
    // The sources of Context, in no particular order.
    QStringList Sources(const QString& Context) const;

  private:
    QHash<QString, QHash<QString, Message>> m_messages;
};
