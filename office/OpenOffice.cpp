#include "office/OpenOffice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/ustring.hxx>

namespace uno = css::uno;

QString toQString(const rtl::OUString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getStr()), text.getLength());
}

rtl::OUString toOUString(const QString &text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode *>(text.utf16()),
                         static_cast<sal_Int32>(text.size()));
}

QString unoErrorText(const uno::Exception &error)
{
    QString text = toQString(error.Message);
    // The office appends the source position of the throw in debug builds; keep the message.
    if (const qsizetype at = text.indexOf(QStringLiteral(" at "));
        at > 0 && text.indexOf(QStringLiteral(".cxx:"), at) > 0)
        text.truncate(at);
    return text.isEmpty() ? QStringLiteral("LibreOffice hat einen Fehler gemeldet.") : text;
}

namespace {

// The folder of the office's program files: UNO_PATH, the usual install folder, or the folder
// that the soffice found on PATH really lives in.
QString findProgramDir()
{
    QStringList candidates;
    if (const QString unoPath = qEnvironmentVariable("UNO_PATH"); !unoPath.isEmpty())
        candidates << unoPath;
    candidates << QStringLiteral("/usr/lib/libreoffice/program");
    if (const QString onPath = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        !onPath.isEmpty())
        candidates << QFileInfo(QFileInfo(onPath).canonicalFilePath()).absolutePath();
    for (const QString &dir : std::as_const(candidates)) {
        if (QFileInfo::exists(dir + QStringLiteral("/unorc"))
            && QFileInfo::exists(dir + QStringLiteral("/fundamentalrc")))
            return QDir::cleanPath(dir);
    }
    return {};
}

// The local UNO runtime, bootstrapped once per process (again only after a failure).
uno::Reference<uno::XComponentContext> localContext(const QString &programDir)
{
    static uno::Reference<uno::XComponentContext> context;
    if (context.is() || programDir.isEmpty())
        return context;
    // The office's own ini files describe where its types and services live.
    if (qEnvironmentVariableIsEmpty("URE_BOOTSTRAP"))
        qputenv("URE_BOOTSTRAP",
                (QStringLiteral("vnd.sun.star.pathname:") + programDir
                 + QStringLiteral("/fundamentalrc"))
                    .toLocal8Bit());
    try {
        context = cppu::defaultBootstrap_InitialComponentContext(
            toOUString(QUrl::fromLocalFile(programDir + QStringLiteral("/unorc")).toString()));
    } catch (const uno::Exception &) {
        context.clear();
    } catch (const std::exception &) {
        context.clear();
    }
    return context;
}

} // namespace

OfficeSettings OfficeSettings::fromEnvironment()
{
    OfficeSettings settings;
    settings.pipeName = qEnvironmentVariable("PERGOLAN_OFFICE_PIPE");
    if (settings.pipeName.isEmpty())
        settings.pipeName = QStringLiteral("pergolan_office");
    settings.programDir = findProgramDir();
    if (qEnvironmentVariableIsSet("PERGOLAN_SOFFICE"))
        settings.sofficeCommand = qEnvironmentVariable("PERGOLAN_SOFFICE");
    else if (!settings.programDir.isEmpty())
        settings.sofficeCommand = settings.programDir + QStringLiteral("/soffice");
    return settings;
}

std::unique_ptr<TOpenOffice> TOpenOffice::Create()
{
    return Create(OfficeSettings::fromEnvironment());
}

std::unique_ptr<TOpenOffice> TOpenOffice::Create(const OfficeSettings &settings)
{
    std::unique_ptr<TOpenOffice> office(new TOpenOffice);
    try {
        office->connect(settings);
    } catch (...) {
        // Whatever went wrong, the caller only learns that the office cannot be reached.
        office->Connected = false;
    }
    return office;
}

void TOpenOffice::connect(const OfficeSettings &settings)
{
    const uno::Reference<uno::XComponentContext> local = localContext(settings.programDir);
    if (!local.is())
        return;
    const uno::Reference<css::bridge::XUnoUrlResolver> resolver
        = css::bridge::UnoUrlResolver::create(local);
    const rtl::OUString url = toOUString(QStringLiteral("uno:pipe,name=") + settings.pipeName
                                         + QStringLiteral(";urp;StarOffice.ComponentContext"));

    bool started = false;
    QElapsedTimer waited;
    for (;;) {
        try {
            const uno::Reference<uno::XComponentContext> remote(resolver->resolve(url),
                                                                uno::UNO_QUERY_THROW);
            ServiceManager.set(remote->getServiceManager(), uno::UNO_QUERY_THROW);
            Desktop.set(ServiceManager->createInstance(rtl::OUString("com.sun.star.frame.Desktop")),
                        uno::UNO_QUERY);
            CoreReflection.set(ServiceManager->createInstance(
                                   rtl::OUString("com.sun.star.reflection.CoreReflection")),
                               uno::UNO_QUERY);
            DispatchHelper.set(
                ServiceManager->createInstance(rtl::OUString("com.sun.star.frame.DispatchHelper")),
                uno::UNO_QUERY);
            PropertyValue = css::beans::PropertyValue();
            Connected = true;
            return;
        } catch (const css::connection::NoConnectException &) {
            // Nobody listens on the pipe (yet).
        } catch (const uno::Exception &) {
            // An office that is still starting may refuse the first calls.
            if (!started)
                return;
        }
        if (!started) {
            // The office is visible: the user goes on working in it. It outlives this
            // program and must not hold on to our output channels.
            QProcess soffice;
            soffice.setProgram(settings.sofficeCommand);
            soffice.setArguments({ QStringLiteral("--accept=pipe,name=") + settings.pipeName
                                       + QStringLiteral(";urp;"),
                                   QStringLiteral("--norestore"), QStringLiteral("--nologo") });
            soffice.setStandardInputFile(QProcess::nullDevice());
            soffice.setStandardOutputFile(QProcess::nullDevice());
            soffice.setStandardErrorFile(QProcess::nullDevice());
            if (settings.sofficeCommand.isEmpty() || !soffice.startDetached())
                return;
            started = true;
            waited.start();
        } else if (waited.elapsed() > settings.startTimeoutMs) {
            return;
        }
        QThread::msleep(200);
    }
}

TOpenOffice::~TOpenOffice()
{
    ServiceManager.clear();
}

css::beans::PropertyValue TOpenOffice::MakePropertyValue(const QString &name, const uno::Any &value)
{
    css::beans::PropertyValue property;
    property.Name = toOUString(name);
    property.Value = value;
    return property;
}

void TOpenOffice::SaveAs(const QString &url)
{
    const uno::Reference<css::frame::XStorable> storable(Document, uno::UNO_QUERY_THROW);
    const css::beans::PropertyValue overwrite
        = MakePropertyValue(QStringLiteral("Overwrite"), uno::Any(true));
    const uno::Sequence<css::beans::PropertyValue> arguments(&overwrite, 1);
    storable->storeAsURL(toOUString(url), arguments);
}

bool TOpenOffice::NewDocument(const QString &kind)
{
    try {
        const uno::Reference<css::frame::XComponentLoader> loader(Desktop, uno::UNO_QUERY_THROW);
        const uno::Reference<css::lang::XComponent> document = loader->loadComponentFromURL(
            toOUString(QStringLiteral("private:factory/") + kind), rtl::OUString("_blank"), 0, {});
        if (!document.is())
            return false;
        Document = document;
        return true;
    } catch (const uno::Exception &) {
        return false;
    }
}

bool TOpenOffice::OpenDocument(const QString &path)
{
    const QString url = PathToURL(path);
    try {
        const uno::Reference<css::frame::XComponentLoader> loader(Desktop, uno::UNO_QUERY_THROW);
        Document = loader->loadComponentFromURL(toOUString(url), rtl::OUString("_blank"), 0, {});
        if (!Document.is())
            return false;
        SaveAs(url);
        return true;
    } catch (const uno::Exception &) {
        return false;
    }
}

QString TOpenOffice::PathToURL(const QString &path)
{
    QString url = path;
    url.replace(u'\\', u'/');
    // A path of this system begins with its root "/", which the prefix already ends with;
    // "file:////home/..." would name a host-less network path instead of the file.
    while (url.startsWith(u'/'))
        url.remove(0, 1);
    return QStringLiteral("file:///") + url;
}
