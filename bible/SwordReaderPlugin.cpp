// The plugin with the SWORD reader, loaded through QPluginLoader the first time SWORD modules
// are listed or one is read in. The only code of the program that links libsword.
#include "bible/SwordReader.h"

#include <QHash>
#include <QXmlStreamReader>

#include <markupfiltmgr.h>
#include <swmgr.h>
#include <swmodule.h>
#include <versekey.h>

#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace bible {
namespace {

// How often (in verses) the reader reports progress and asks whether to go on.
constexpr long kVersesPerTick = 500;

// A manager that renders plain UTF-8 text without notes, cross references, Strong's numbers,
// morphology or headings: the verse as it is read aloud.
std::unique_ptr<sword::SWMgr> plainTextManager()
{
    auto manager = std::make_unique<sword::SWMgr>(
        new sword::MarkupFilterMgr(sword::FMT_PLAIN, sword::ENC_UTF8));
    for (const char *option :
         { "Footnotes", "Cross-references", "Strong's Numbers", "Morphological Tags", "Headings",
           "Words of Christ in Red", "Lemmas", "Glosses", "Morpheme Segmentation" })
        manager->setGlobalOption(option, "Off");
    return manager;
}

// The plain text of a verse stored as OSIS markup, read with our own rules (as for an OSIS
// file: notes dropped, white space run together), which is many times faster than libsword's
// filter chain. Empty with *ok false when the fragment is not well-formed.
QString osisFragmentText(const char *raw, bool *ok)
{
    QXmlStreamReader xml(u"<v>"_s + QString::fromUtf8(raw) + u"</v>"_s);
    QString text;
    int dropped = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == u"note" || dropped > 0)
                ++dropped;
            else if (xml.name() == u"lb" || xml.name() == u"l" || xml.name() == u"p")
                text += u' ';
            break;
        case QXmlStreamReader::EndElement:
            if (dropped > 0)
                --dropped;
            else if (xml.name() == u"l" || xml.name() == u"p")
                text += u' ';
            break;
        case QXmlStreamReader::Characters:
            if (dropped == 0)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    *ok = !xml.hasError();
    return *ok ? text.simplified() : QString();
}

bool isBible(const sword::SWModule &module)
{
    return std::strcmp(module.getType(), sword::SWMgr::MODTYPE_BIBLES) == 0;
}

QString configText(const sword::SWModule &module, const char *text)
{
    const char *encoding = module.getConfigEntry("Encoding");
    if (encoding && std::strcmp(encoding, "UTF-8") == 0)
        return QString::fromUtf8(text);
    return QString::fromLatin1(text);
}

QList<SwordModule> readInstalledBibles()
{
    QList<SwordModule> modules;
    const auto manager = plainTextManager();
    for (const auto &[name, module] : manager->getModules()) {
        if (module && isBible(*module))
            modules.append({ QString::fromUtf8(name.c_str()),
                             configText(*module, module->getDescription()).trimmed() });
    }
    return modules;
}

ImportResult readModule(const QString &moduleName, const ImportControl &control,
                        QList<ImportedBook> &books)
{
    auto failure = [](const QString &text) {
        ImportResult result;
        result.status = ImportStatus::BadInput;
        result.errorText = text;
        return result;
    };
    const auto manager = plainTextManager();
    sword::SWModule *module
        = moduleName.isEmpty() ? nullptr : manager->getModule(moduleName.toUtf8().constData());
    if (!module)
        return failure(u"Das SWORD-Modul %1 ist nicht installiert."_s.arg(moduleName));
    if (!isBible(*module))
        return failure(u"Das SWORD-Modul %1 ist keine Bibel, sondern: %2."_s.arg(
            moduleName, QString::fromUtf8(module->getType())));

    std::unique_ptr<sword::SWKey> key(module->createKey());
    auto *verseKey = dynamic_cast<sword::VerseKey *>(key.get());
    if (!verseKey)
        return failure(u"Das SWORD-Modul %1 ist keine Bibel."_s.arg(moduleName));
    verseKey->setIntros(false);
    verseKey->setPosition(sword::BOTTOM);
    const long last = std::max(1L, verseKey->getIndex());
    verseKey->setPosition(sword::TOP);
    module->setKey(verseKey);

    const char *sourceType = module->getConfigEntry("SourceType");
    const bool osisMarkup = sourceType && std::strcmp(sourceType, "OSIS") == 0
        && module->getConfigEntry("Encoding")
        && std::strcmp(module->getConfigEntry("Encoding"), "UTF-8") == 0;
    QHash<QString, int> position; // OSIS book -> index in books
    long count = 0;
    int verses = 0;
    for (module->setPosition(sword::TOP); !module->popError(); module->increment(1)) {
        const auto *at = dynamic_cast<const sword::VerseKey *>(module->getKey());
        if (++count % kVersesPerTick == 0) {
            if (control.cancelled && control.cancelled()) {
                ImportResult result;
                result.status = ImportStatus::Cancelled;
                return result;
            }
            // The module walks its own copy of the key.
            if (control.reading && at)
                control.reading(int(std::min(100L, at->getIndex() * 100 / last)));
        }
        if (!at || at->getChapter() <= 0 || at->getVerse() <= 0)
            continue;
        bool ok = false;
        QString text;
        if (osisMarkup)
            text = osisFragmentText(module->getRawEntry(), &ok);
        if (!ok)
            text = QString::fromUtf8(module->renderText().c_str()).simplified();
        if (text.isEmpty())
            continue;
        const QString book = QString::fromUtf8(at->getOSISBookName());
        auto it = position.constFind(book);
        if (it == position.constEnd()) {
            it = position.insert(book, int(books.size()));
            books.append(ImportedBook { book, {} });
        }
        QMap<int, QString> &chapter = books[*it].chapters[at->getChapter()];
        if (!chapter.contains(at->getVerse())) {
            chapter.insert(at->getVerse(), text);
            ++verses;
        }
    }
    if (verses == 0)
        return failure(u"Das SWORD-Modul %1 enthält keine Bibelverse."_s.arg(moduleName));
    if (control.reading)
        control.reading(100);
    return {};
}

} // namespace
} // namespace bible

class LibswordReader : public QObject, public SwordReader
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PERGOLAN_SWORDREADER_IID)
    Q_INTERFACES(SwordReader)

public:
    QList<bible::SwordModule> installedBibles() override { return bible::readInstalledBibles(); }

    bible::ImportResult read(const QString &module, const bible::ImportControl &control,
                             QList<bible::ImportedBook> &books) override
    {
        bible::ImportResult result = bible::readModule(module, control, books);
        if (result.status != bible::ImportStatus::Ok)
            books.clear();
        return result;
    }
};

#include "SwordReaderPlugin.moc"
