#include "catalogue.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

// The text of the <translation> the reader stands on; of a plural, its first form.
QString readTranslation(QXmlStreamReader& Reader) {
    QString text;
    int forms = 0;
    while (!Reader.atEnd()) {
        const QXmlStreamReader::TokenType token = Reader.readNext();
        if (token == QXmlStreamReader::EndElement && Reader.name() == QLatin1String("translation"))
            break;
        if (token == QXmlStreamReader::StartElement &&
            Reader.name() == QLatin1String("numerusform"))
            ++forms;
        else if (token == QXmlStreamReader::Characters && forms <= 1)
            text += Reader.text();
    }
    // Between the forms there is only the file's indentation.
    return forms > 0 ? text.trimmed() : text;
}

// Reads the <message> the reader stands on, up to its end tag.
void readMessage(QXmlStreamReader& Reader, QString& Source, Catalogue::Message& Message) {
    while (Reader.readNextStartElement()) {
        const auto name = Reader.name();
        if (name == QLatin1String("source")) {
            Source = Reader.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = Reader.attributes().value(QLatin1String("type")).toString();
            Message.Finished = type.isEmpty();
            Message.Translation = readTranslation(Reader);
        } else {
            Reader.skipCurrentElement();
        }
    }
}

} // namespace

Catalogue::Catalogue(const QString& Language) {
    QFile file(QStringLiteral(VENDREL_TRANSLATIONS_DIR "/vendrel_%1.ts").arg(Language));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QXmlStreamReader reader(&file);
    QString context;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("name")) {
            context = reader.readElementText();
        } else if (reader.name() == QLatin1String("message")) {
            QString source;
            Message message;
            readMessage(reader, source, message);
            m_messages[context].insert(source, message);
        }
    }
}

bool Catalogue::Has(const QString& Context, const QString& Source) const {
    return m_messages.value(Context).contains(Source);
}

QString Catalogue::Translation(const QString& Context, const QString& Source) const {
    const Message message = m_messages.value(Context).value(Source);
    return message.Finished ? message.Translation : QString();
}

QStringList Catalogue::Sources(const QString& Context) const {
    return m_messages.value(Context).keys();
}
