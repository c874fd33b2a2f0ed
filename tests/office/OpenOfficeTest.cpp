// The bridge to LibreOffice, against a real headless office.
#include "office/OpenOffice.h"
#include "tests/office/OfficeTestMain.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <gtest/gtest.h>

namespace {

namespace uno = css::uno;

void closeDocument(const uno::Reference<css::lang::XComponent> &document)
{
    if (const uno::Reference<css::util::XCloseable> closeable { document, uno::UNO_QUERY };
        closeable.is())
        closeable->close(true);
}

TEST(PathToURL, TurnsBackslashesAndKeepsEverythingElse)
{
    EXPECT_EQ(TOpenOffice::PathToURL(QStringLiteral("D:\\Daten\\3\\Predigten\\a b.odt")),
              QStringLiteral("file:///D:/Daten/3/Predigten/a b.odt"));
    EXPECT_EQ(TOpenOffice::PathToURL(QStringLiteral("Predigt.odt")),
              QStringLiteral("file:///Predigt.odt"));
    // A path of this system keeps exactly three slashes after "file:".
    EXPECT_EQ(TOpenOffice::PathToURL(QStringLiteral("/home/pfarrer/Gottesdienst Übersicht.odt")),
              QStringLiteral("file:///home/pfarrer/Gottesdienst Übersicht.odt"));
}

TEST(OpenOfficeBridge, ConnectsToTheRunningOffice)
{
    const auto office = TOpenOffice::Create();
    ASSERT_TRUE(office->Connected);
    EXPECT_TRUE(office->ServiceManager.is());
    EXPECT_TRUE(office->Desktop.is());
    EXPECT_TRUE(office->CoreReflection.is());
    EXPECT_TRUE(office->DispatchHelper.is());
    EXPECT_FALSE(office->Document.is());
    const css::beans::PropertyValue value
        = office->MakePropertyValue(QStringLiteral("Overwrite"), uno::Any(true));
    EXPECT_EQ(toQString(value.Name), QStringLiteral("Overwrite"));
    EXPECT_TRUE(value.Value.get<bool>());
}

TEST(OpenOfficeBridge, WithoutAnOfficeIsNotConnectedAndRaisesNothing)
{
    const NoOfficeScope noOffice;
    std::unique_ptr<TOpenOffice> office;
    EXPECT_NO_THROW(office = TOpenOffice::Create());
    ASSERT_TRUE(office);
    EXPECT_FALSE(office->Connected);

    // Not installed at all: nothing to bootstrap from and nothing to start.
    OfficeSettings none;
    none.pipeName = QStringLiteral("pergolan_nobody");
    EXPECT_FALSE(TOpenOffice::Create(none)->Connected);
}

TEST(OpenOfficeBridge, NewDocumentLoadsAnEmptyTextDocument)
{
    const auto office = TOpenOffice::Create();
    ASSERT_TRUE(office->Connected);
    ASSERT_TRUE(office->NewDocument(QStringLiteral("swriter")));
    const uno::Reference<css::text::XTextDocument> text(office->Document, uno::UNO_QUERY);
    ASSERT_TRUE(text.is());
    EXPECT_TRUE(text->getText()->getString().isEmpty());
    EXPECT_FALSE(uno::Reference<css::frame::XStorable>(office->Document, uno::UNO_QUERY_THROW)
                     ->hasLocation());
    const uno::Reference<css::lang::XComponent> first = office->Document;

    // An unknown kind fails and keeps the document loaded before.
    EXPECT_FALSE(office->NewDocument(QStringLiteral("keinprogramm")));
    EXPECT_EQ(office->Document, first);
    closeDocument(office->Document);
}

TEST(OpenOfficeBridge, OpenDocumentStoresTheFileBackToItsPlace)
{
    QTemporaryDir dir;
    // Blanks and umlauts stay as they are in the URL and still reach the file.
    const QString path = dir.filePath(QStringLiteral("3 20261206 - 2. Sonntag im Advent Ü.odt"));
    {
        const auto office = TOpenOffice::Create();
        ASSERT_TRUE(office->Connected);
        ASSERT_TRUE(office->NewDocument(QStringLiteral("swriter")));
        uno::Reference<css::text::XTextDocument>(office->Document, uno::UNO_QUERY_THROW)
            ->getText()
            ->setString(rtl::OUString("Predigtentwurf"));
        office->SaveAs(TOpenOffice::PathToURL(path));
        closeDocument(office->Document);
    }
    ASSERT_TRUE(QFileInfo::exists(path));
    // Make the file look old, so that storing it back shows in its time stamp.
    const QDateTime old(QDate(2001, 1, 1), QTime(12, 0));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }

    const auto office = TOpenOffice::Create();
    ASSERT_TRUE(office->Connected);
    ASSERT_TRUE(office->OpenDocument(path));
    EXPECT_GT(QFileInfo(path).lastModified(), old);
    const uno::Reference<css::frame::XStorable> storable(office->Document, uno::UNO_QUERY_THROW);
    EXPECT_EQ(QUrl(toQString(storable->getLocation())).toLocalFile(), path);
    EXPECT_EQ(
        toQString(uno::Reference<css::text::XTextDocument>(office->Document, uno::UNO_QUERY_THROW)
                      ->getText()
                      ->getString()),
        QStringLiteral("Predigtentwurf"));
    closeDocument(office->Document);

    // A file the office cannot load gives false.
    EXPECT_FALSE(office->OpenDocument(dir.filePath(QStringLiteral("fehlt.odt"))));
}

} // namespace
