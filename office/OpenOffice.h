#pragma once

// The bridge to LibreOffice through its C++ UNO interface. One TOpenOffice lives for one user
// action: the caller creates it, checks Connected, works on the document and releases it.
// Documents opened through the bridge stay open in the office when the bridge goes.

#include <QString>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XDispatchHelper.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/reflection/XIdlReflection.hpp>
#include <com/sun/star/uno/Reference.hxx>

#include <memory>

// Where the bridge finds the office. The defaults come from the system; the environment
// variables PERGOLAN_OFFICE_PIPE and PERGOLAN_SOFFICE override the pipe name and the command
// that starts the office (tests use their own office on a pipe of their own).
struct OfficeSettings
{
    // The named pipe on which the office accepts UNO connections.
    QString pipeName;
    // The office's start command; empty when no office is installed.
    QString sofficeCommand;
    // The folder of the office's program files (types, services, fundamentalrc); empty when
    // no office is installed.
    QString programDir;
    // How long to wait for an office that was just started.
    int startTimeoutMs = 15000;

    static OfficeSettings fromEnvironment();
};

class TOpenOffice
{
public:
    // Connects to the office on the settings' pipe and, when none answers, starts it and
    // waits for it. Never throws; Connected tells whether every step succeeded.
    static std::unique_ptr<TOpenOffice> Create();
    static std::unique_ptr<TOpenOffice> Create(const OfficeSettings &settings);

    // Drops the service manager first, then the other references.
    ~TOpenOffice();

    TOpenOffice(const TOpenOffice &) = delete;
    TOpenOffice &operator=(const TOpenOffice &) = delete;

    css::uno::Reference<css::lang::XMultiServiceFactory> ServiceManager;
    css::uno::Reference<css::frame::XDesktop2> Desktop;
    css::uno::Reference<css::lang::XComponent> Document;
    css::uno::Reference<css::reflection::XIdlReflection> CoreReflection;
    css::uno::Reference<css::frame::XDispatchHelper> DispatchHelper;
    // The struct the automation bridge hands out for "com.sun.star.beans.PropertyValue";
    // in C++ UNO a struct is a plain value.
    css::beans::PropertyValue PropertyValue;
    bool Connected = false;

    // A property value with the name and the value. Errors reach the caller.
    css::beans::PropertyValue MakePropertyValue(const QString &name, const css::uno::Any &value);
    // Stores Document under the URL, overwriting. Errors reach the caller.
    void SaveAs(const QString &url);
    // Loads a new, empty document of the kind ("swriter") into a new frame; false on error.
    bool NewDocument(const QString &kind);
    // Loads the file into a new frame and stores it straight back to its place, so that it
    // has the file as its location; false on error.
    bool OpenDocument(const QString &path);
    // "file:///" followed by the path with every "\" turned into "/"; nothing else changes.
    static QString PathToURL(const QString &path);

private:
    TOpenOffice() = default;
    void connect(const OfficeSettings &settings);
};

// Conversions between Qt's and UNO's strings, both UTF-16.
QString toQString(const rtl::OUString &text);
rtl::OUString toOUString(const QString &text);

// The text of a UNO exception (its message, or its type name when the message is empty).
QString unoErrorText(const css::uno::Exception &error);
