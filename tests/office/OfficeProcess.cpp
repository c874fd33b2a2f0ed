#include "tests/office/OfficeProcess.h"

#include "office/OpenOffice.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QThread>
#include <QUrl>
#include <QUuid>
#include <QXmlStreamReader>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace uno = css::uno;

OfficeProcess::OfficeProcess()
    : m_pipe(QStringLiteral("pergolan_test_") + QUuid::createUuid().toString(QUuid::Id128).left(12))
{
}

OfficeProcess::~OfficeProcess()
{
    stop();
}

bool OfficeProcess::start(const QString &profileDir)
{
    // The tests talk to the office over a pipe, as the program does: a write after the office
    // closed its end (while it terminates at the end of the tests) must fail as an error, not
    // end the test program with SIGPIPE. The program ignores the signal when it loads the
    // office bridge; the tests use the bridge's code without loading it.
    std::signal(SIGPIPE, SIG_IGN);
    OfficeSettings settings = OfficeSettings::fromEnvironment();
    if (settings.programDir.isEmpty())
        return false;
    m_process = std::make_unique<QProcess>();
    // A process group of its own, so that the office and whatever it spawns end together,
    // and an office that ends with the test process, should that die early. The office
    // itself is started, not its launcher, so that it is the process that gets the signal.
    m_process->setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    // Its output must not keep the test runner waiting for an office that outlived the test.
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // File names with umlauts need a UTF-8 locale in the office; the German one the tests ask
    // for is not installed everywhere.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    m_process->setProcessEnvironment(env);
    QString program = settings.programDir + QStringLiteral("/soffice.bin");
    if (!QFileInfo(program).isExecutable())
        program = settings.programDir + QStringLiteral("/soffice");
    const QStringList arguments
        = { QStringLiteral("--headless"),
            QStringLiteral("--invisible"),
            QStringLiteral("--norestore"),
            QStringLiteral("--nologo"),
            QStringLiteral("--nodefault"),
            QStringLiteral("--accept=pipe,name=") + m_pipe + QStringLiteral(";urp;"),
            QStringLiteral("-env:UserInstallation=")
                + QUrl::fromLocalFile(profileDir.isEmpty()
                                          ? m_profile.path() + QStringLiteral("/profile")
                                          : profileDir)
                      .toString() };
    m_process->start(program, arguments);
    if (!m_process->waitForStarted(30000))
        return false;

    qputenv("PERGOLAN_OFFICE_PIPE", m_pipe.toUtf8());
    qputenv("PERGOLAN_SOFFICE", "");
    // The first start of a fresh profile takes a while on a busy machine.
    settings.pipeName = m_pipe;
    settings.sofficeCommand.clear();
    const QDeadlineTimer deadline(180000);
    while (!deadline.hasExpired()) {
        if (TOpenOffice::Create(settings)->Connected)
            return true;
        // Waiting on the process notices when it ends.
        if (m_process->waitForFinished(250) || m_process->state() == QProcess::NotRunning) {
            // The office ends with this code after setting up a fresh profile and wants to
            // be started again (its launcher would do that).
            if (m_process->exitStatus() != QProcess::NormalExit || m_process->exitCode() != 81)
                return false;
            m_process->start(program, arguments);
            if (!m_process->waitForStarted(30000))
                return false;
        }
    }
    return false;
}

void OfficeProcess::stop()
{
    if (!m_process || m_process->state() == QProcess::NotRunning) {
        m_process.reset();
        return;
    }
    try {
        OfficeSettings settings = OfficeSettings::fromEnvironment();
        settings.pipeName = m_pipe;
        settings.sofficeCommand.clear();
        const auto office = TOpenOffice::Create(settings);
        if (office->Connected && office->Desktop.is())
            office->Desktop->terminate();
    } catch (const uno::Exception &) {
        // The office went away while being asked to; it is ended below in any case.
    }
    if (!m_process->waitForFinished(15000)) {
        const auto pid = static_cast<pid_t>(m_process->processId());
        if (pid > 0)
            ::kill(-pid, SIGKILL);
        m_process->waitForFinished(5000);
    }
    m_process.reset();
}

NoOfficeScope::NoOfficeScope()
    : m_pipe(qgetenv("PERGOLAN_OFFICE_PIPE"))
    , m_soffice(qgetenv("PERGOLAN_SOFFICE"))
{
    qputenv(
        "PERGOLAN_OFFICE_PIPE",
        (QStringLiteral("pergolan_nobody_") + QUuid::createUuid().toString(QUuid::Id128).left(12))
            .toUtf8());
    qputenv("PERGOLAN_SOFFICE", "/nonexistent/soffice");
}

NoOfficeScope::~NoOfficeScope()
{
    qputenv("PERGOLAN_OFFICE_PIPE", m_pipe);
    qputenv("PERGOLAN_SOFFICE", m_soffice);
}

void closeAllDocuments()
{
    const auto office = TOpenOffice::Create();
    if (!office->Connected)
        return;
    const uno::Reference<css::container::XEnumeration> it(
        office->Desktop->getComponents()->createEnumeration(), uno::UNO_SET_THROW);
    QList<uno::Reference<css::util::XCloseable>> documents;
    while (it->hasMoreElements())
        documents << uno::Reference<css::util::XCloseable>(it->nextElement(), uno::UNO_QUERY);
    for (const auto &document : std::as_const(documents)) {
        if (document.is())
            document->close(true);
    }
}

namespace {

// A connection to the office and its open document with the title; no document when the office
// does not answer or has no such document open.
struct OpenDocument
{
    std::unique_ptr<TOpenOffice> office;
    uno::Reference<css::lang::XComponent> component;
};

OpenDocument openDocument(const QString &title)
{
    OpenDocument open { TOpenOffice::Create(), {} };
    if (!open.office->Connected)
        return open;
    const uno::Reference<css::container::XEnumerationAccess> components(
        open.office->Desktop->getComponents(), uno::UNO_SET_THROW);
    const uno::Reference<css::container::XEnumeration> it(components->createEnumeration(),
                                                          uno::UNO_SET_THROW);
    while (it->hasMoreElements()) {
        const uno::Reference<css::lang::XComponent> component(it->nextElement(), uno::UNO_QUERY);
        const uno::Reference<css::document::XDocumentPropertiesSupplier> supplier(component,
                                                                                  uno::UNO_QUERY);
        if (supplier.is() && toQString(supplier->getDocumentProperties()->getTitle()) == title) {
            open.component = component;
            break;
        }
    }
    return open;
}

uno::Reference<css::container::XEnumeration> enumerate(const uno::Reference<uno::XInterface> &of)
{
    return uno::Reference<css::container::XEnumerationAccess>(of, uno::UNO_QUERY_THROW)
        ->createEnumeration();
}

} // namespace

bool storeOpenDocument(const QString &title, const QString &path)
{
    const OpenDocument open = openDocument(title);
    if (!open.component.is())
        return false;
    open.office->Document = open.component;
    open.office->SaveAs(TOpenOffice::PathToURL(path));
    uno::Reference<css::util::XCloseable>(open.component, uno::UNO_QUERY_THROW)->close(true);
    return true;
}

OpenDocumentText readOpenDocument(const QString &title)
{
    OpenDocumentText result;
    const OpenDocument open = openDocument(title);
    if (!open.component.is())
        return result;
    const uno::Reference<css::lang::XComponent> &component = open.component;
    result.found = true;
    const uno::Reference<css::text::XText> text
        = uno::Reference<css::text::XTextDocument>(component, uno::UNO_QUERY_THROW)->getText();
    const auto paragraphs = enumerate(text);
    while (paragraphs->hasMoreElements()) {
        QList<OfficePortion> portions;
        const auto it = enumerate(paragraphs->nextElement().get<uno::Reference<uno::XInterface>>());
        while (it->hasMoreElements()) {
            const uno::Reference<css::text::XTextRange> portion(it->nextElement(),
                                                                uno::UNO_QUERY_THROW);
            const uno::Reference<css::beans::XPropertySet> properties(portion,
                                                                      uno::UNO_QUERY_THROW);
            sal_Int16 escapement = 0;
            sal_Int8 height = 100;
            properties->getPropertyValue(rtl::OUString("CharEscapement")) >>= escapement;
            properties->getPropertyValue(rtl::OUString("CharEscapementHeight")) >>= height;
            portions.append({ toQString(portion->getString()), escapement, height });
        }
        result.paragraphs.append(portions);
    }
    // At the start when a cursor there cannot go further left.
    const uno::Reference<css::text::XTextViewCursorSupplier> supplier(
        uno::Reference<css::frame::XModel>(component, uno::UNO_QUERY_THROW)->getCurrentController(),
        uno::UNO_QUERY_THROW);
    const uno::Reference<css::text::XTextCursor> probe
        = text->createTextCursorByRange(supplier->getViewCursor()->getStart());
    result.viewAtStart = !probe->goLeft(1, false);
    return result;
}

QString zipMember(const QString &archive, const QString &member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), { QStringLiteral("-p"), archive, member });
    if (!unzip.waitForFinished(30000))
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

namespace {

QString attr(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1StringView(name)).toString();
}

struct AutoStyle
{
    QString parent;
    QString masterPage;
    bool shadowSet = false;
    bool shadowed = false;
    int columns = 0;
    double relWidth = 0;
};

void readAutoStyles(QXmlStreamReader &xml, QHash<QString, AutoStyle> &styles, QString current = {})
{
    while (xml.readNextStartElement()) {
        const auto a = xml.attributes();
        if (xml.name() == u"style") {
            current = attr(a, "style:name");
            AutoStyle &s = styles[current];
            s.parent = attr(a, "style:parent-style-name");
            s.masterPage = attr(a, "style:master-page-name");
            readAutoStyles(xml, styles, current);
            continue;
        }
        AutoStyle &s = styles[current];
        if (xml.name() == u"text-properties") {
            const QString shadow = attr(a, "fo:text-shadow");
            s.shadowSet = !shadow.isEmpty();
            s.shadowed = s.shadowSet && shadow != u"none";
        } else if (xml.name() == u"columns") {
            s.columns = attr(a, "fo:column-count").toInt();
        } else if (xml.name() == u"table-column-properties") {
            QString rel = attr(a, "style:rel-column-width");
            rel.remove(u'*');
            s.relWidth = rel.toDouble();
        }
        readAutoStyles(xml, styles, current);
    }
}

// The text of a paragraph element with a shadow flag per character; a span's own text
// properties decide over the paragraph's.
void readParagraphText(QXmlStreamReader &xml, const QHash<QString, AutoStyle> &styles,
                       QString &text, QList<bool> &shadow, bool shadowed)
{
    const auto add = [&](const QString &chars, bool flag) {
        text += chars;
        for (qsizetype i = 0; i < chars.size(); ++i)
            shadow << flag;
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement())
            return;
        if (xml.isCharacters()) {
            add(xml.text().toString(), shadowed);
        } else if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"line-break") {
                add(QStringLiteral("\n"), false);
                xml.skipCurrentElement();
            } else if (name == u"tab") {
                add(QStringLiteral("\t"), shadowed);
                xml.skipCurrentElement();
            } else if (name == u"s") {
                const int count = qMax(1, attr(xml.attributes(), "text:c").toInt());
                add(QString(count, u' '), shadowed);
                xml.skipCurrentElement();
            } else if (name == u"span") {
                const AutoStyle style = styles.value(attr(xml.attributes(), "text:style-name"));
                readParagraphText(xml, styles, text, shadow,
                                  style.shadowSet ? style.shadowed : shadowed);
            } else {
                readParagraphText(xml, styles, text, shadow, shadowed);
            }
        }
    }
}

QStringList shadowedRuns(const QString &text, const QList<bool> &shadow)
{
    QStringList runs;
    QString run;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && shadow.at(i)) {
            run += text.at(i);
        } else if (!run.isEmpty()) {
            runs << run;
            run.clear();
        }
    }
    return runs;
}

void readBody(QXmlStreamReader &xml, const QHash<QString, AutoStyle> &styles, OdtContent &content,
              bool inSection, QStringList *row, QStringList *cell)
{
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        const auto a = xml.attributes();
        if (name == u"p" || name == u"h") {
            OdtParagraph paragraph;
            paragraph.element = name.toString();
            const QString styleName = attr(a, "text:style-name");
            const AutoStyle style = styles.value(styleName);
            paragraph.style = style.parent.isEmpty() ? styleName : style.parent;
            paragraph.masterPage = style.masterPage;
            paragraph.inSection = inSection;
            QList<bool> shadow;
            readParagraphText(xml, styles, paragraph.text, shadow, style.shadowed);
            paragraph.shadowedRuns = shadowedRuns(paragraph.text, shadow);
            if (cell)
                cell->append(paragraph.text);
            else
                content.paragraphs << paragraph;
        } else if (name == u"section") {
            ++content.sections;
            content.sectionColumns = styles.value(attr(a, "text:style-name")).columns;
            readBody(xml, styles, content, true, row, cell);
        } else if (name == u"table") {
            content.tables.append(QList<QStringList>());
            content.tableColumnWidths.append(QStringList());
            readBody(xml, styles, content, inSection, nullptr, nullptr);
        } else if (name == u"table-column") {
            const int repeat = qMax(1, attr(a, "table:number-columns-repeated").toInt());
            for (int i = 0; i < repeat; ++i)
                content.tableColumnWidths.last()
                    << QString::number(styles.value(attr(a, "table:style-name")).relWidth);
            xml.skipCurrentElement();
        } else if (name == u"table-row") {
            content.tables.last().append(QStringList());
            readBody(xml, styles, content, inSection, &content.tables.last().last(), nullptr);
        } else if (name == u"table-cell" && row) {
            QStringList cellTexts;
            readBody(xml, styles, content, inSection, row, &cellTexts);
            row->append(cellTexts.join(u'\r'));
        } else {
            readBody(xml, styles, content, inSection, row, cell);
        }
    }
}

} // namespace

OdtContent readOdtContent(const QString &archive)
{
    OdtContent content;
    QHash<QString, AutoStyle> styles;
    QXmlStreamReader xml(zipMember(archive, QStringLiteral("content.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"automatic-styles")
            readAutoStyles(xml, styles);
        else if (xml.name() == u"text" && xml.namespaceUri().endsWith(u"office:1.0"))
            readBody(xml, styles, content, false, nullptr, nullptr);
    }
    return content;
}
