#pragma once

#include "bible/OsisImport.h"

#include <QIODevice>
#include <QString>
#include <QXmlStreamReader>

namespace bible {

// Runs the tokens of an XML Bible (OSIS, Zefania) through a reader's handlers, asking the tick
// every few thousand tokens whether to go on. False when the tick says stop (errorText cleared)
// or the XML is broken (errorText says where).
template<class OnStart, class OnEnd, class OnText>
bool walkXmlBible(QXmlStreamReader &xml, const QIODevice &device, const ReadTick &tick,
                  QString *errorText, OnStart onStart, OnEnd onEnd, OnText onText)
{
    constexpr int kTokensPerTick = 4096;
    int tokens = 0;
    while (!xml.atEnd()) {
        if (tick && ++tokens % kTokensPerTick == 0 && !tick(device.pos(), device.size())) {
            if (errorText)
                errorText->clear();
            return false;
        }
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            onStart();
            break;
        case QXmlStreamReader::EndElement:
            onEnd();
            break;
        case QXmlStreamReader::Characters:
            onText();
            break;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        if (errorText)
            *errorText = QStringLiteral("kein gültiges XML (Zeile %1: %2)")
                             .arg(xml.lineNumber())
                             .arg(xml.errorString());
        return false;
    }
    return true;
}

} // namespace bible
