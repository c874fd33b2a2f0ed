// The plugin with the office bridge, loaded through QPluginLoader the first time an order is
// exported or a sermon document is made. The only code of the program that links UNO.
#include "office/OfficeBridge.h"
#include "office/OfficeUno.h"
#include "office/OpenOffice.h"

namespace {

class UnoSermonSession : public SermonSession
{
public:
    UnoSermonSession()
        : m_office(TOpenOffice::Create())
    {
    }

    bool connected() const override { return m_office && m_office->Connected; }

    Result<bool> createDocument(const QString &title, const QString &path,
                                const SermonDocumentInput &input, const QString &greeting) override
    {
        if (!connected())
            return false;
        return fillSermonDocument(*m_office, title, path, input, greeting);
    }

private:
    std::unique_ptr<TOpenOffice> m_office;
};

} // namespace

class UnoOfficeBridge : public QObject, public OfficeBridge
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PERGOLAN_OFFICEBRIDGE_IID)
    Q_INTERFACES(OfficeBridge)

public:
    Result<bool> exportOrder(const QString &dayName, const OrderExportInput &input) override
    {
        return exportOrderWithUno(dayName, input);
    }

    Result<bool> exportParagraphs(const ParagraphExportInput &input) override
    {
        return exportParagraphsWithUno(input);
    }

    std::unique_ptr<SermonSession> sermonSession() override
    {
        return std::make_unique<UnoSermonSession>();
    }
};

#include "OfficeBridgePlugin.moc"
